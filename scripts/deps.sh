#!/bin/sh
# Installs the Debian packages the build needs, only those that are missing.
set -eu

packages="cmake ninja-build g++ make pkg-config liberfa-dev libsqlite3-dev libglib2.0-dev zlib1g-dev libabsl-dev libgtest-dev libgmock-dev googletest libbenchmark-dev qt6-base-dev libgl-dev fonts-dejavu-core locales $*"

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -z "$missing" ]; then
    exit 0
fi

echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then
    sudo=""
elif ! command -v sudo >/dev/null 2>&1; then
    echo "deps.sh: these packages are missing and sudo is not installed; as root, run: apt-get install$missing" >&2
    exit 1
elif ! sudo -n true 2>/dev/null; then
    # sudo asks for the password on the terminal; without one it cannot.
    if ! (: </dev/tty) 2>/dev/null; then
        echo "deps.sh: sudo needs a password to install these packages, and there is no terminal to ask for it." >&2
        echo "deps.sh: run 'make deps' in a terminal first, or as root: apt-get install$missing" >&2
        exit 1
    fi
    echo "deps.sh: sudo will ask for your password to install them."
    sudo="sudo"
else
    sudo="sudo"
fi
# A package is missing: without a fresh package index it cannot be installed.
if ! $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q -o DPkg::Lock::Timeout=600; then
    echo "deps.sh: the package index could not be updated, and these packages are missing:$missing" >&2
    exit 1
fi
# shellcheck disable=SC2086
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends -o DPkg::Lock::Timeout=600 $missing
