#!/bin/sh
# Runs a Windows program of the cross build under Wine: wine-run.sh PREFIX
# WINE WINESERVER PROGRAM [ARGUMENTS...]. The build folder's own prefix,
# quiet; the Wine server is kept running a minute after its last program, so
# that a test that starts the program a hundred times does not start Wine a
# hundred times (nor races a server that is shutting down).
set -eu
WINEPREFIX=$1
export WINEPREFIX
WINEDEBUG=-all
export WINEDEBUG
wine=$2
wineserver=$3
shift 3
# The first program of a server starts Wine's own services, which outlive it
# with its streams: they are started here, with none, so that a caller that
# reads the program's output to its end is not kept waiting. One caller at a
# time (nor does the server or a service keep the lock). Status 2 of the
# server: one is running already.
(
    flock 9
    if "$wineserver" -p60 </dev/null >/dev/null 2>&1 9>&-; then
        "$wine" cmd /c exit </dev/null >/dev/null 2>&1 9>&- || true
    fi
) 9>"$WINEPREFIX/.start-lock"
exec "$wine" "$@"
