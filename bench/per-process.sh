#!/bin/sh
# One chart per process: velorin-chart (text and JSON) against swetest, the
# command-line program of an independent ephemeris (Debian package swetest),
# which computes eight bodies and the houses for one moment. Both are started
# from scratch for every run, as a script that makes one chart at a time does.
#
#   bench/per-process.sh [build/velorin-chart]
#
# Uses hyperfine (Debian package hyperfine) when it is installed, otherwise a
# shell loop of 200 runs each.
set -eu
chart=${1:-build/velorin-chart}
birth="--name Ravi --date 1990-05-15 --time 10:30 --zone 34 --lat 28:36N --lon 77:12E --city Delhi --state Delhi --country India"
peer="swetest -b15.5.1990 -ut5:00 -p0123456789 -house77.2,28.6,P -fPl -head"

if ! command -v swetest >/dev/null 2>&1; then
    echo "swetest is not installed (apt-get install swetest); measuring velorin-chart alone" >&2
    peer=""
fi
if command -v hyperfine >/dev/null 2>&1; then
    set -- "$chart $birth --format json" "$chart $birth --format text"
    [ -n "$peer" ] && set -- "$@" "$peer"
    hyperfine -N --warmup 20 --runs 300 "$@"
    exit 0
fi
loop() {
    start=$(date +%s%N)
    i=0
    while [ $i -lt 200 ]; do $1 >/dev/null 2>&1; i=$((i + 1)); done
    end=$(date +%s%N)
    echo "$2: $(( (end - start) / 200000 )) µs per process"
}
loop "$chart $birth --format json" "velorin-chart --format json"
loop "$chart $birth --format text" "velorin-chart --format text"
[ -n "$peer" ] && loop "$peer" "swetest"
