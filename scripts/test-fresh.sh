#!/bin/sh
# make test-fresh: the set-up as a new user meets it, on a Debian 12 system
# that has nothing but git, make and ca-certificates.
#
#  1. A minimal Debian 12 (debootstrap --variant=minbase), kept as a tarball
#     in the build folder so that later runs unpack it in seconds.
#  2. In a fresh copy of it, the committed HEAD cloned, and as root with an
#     empty environment apart from PATH: `make run` (no display: the example
#     chart), then `make test`.
#  3. In the same system, an ordinary user: `make deps` while sudo still wants
#     a password (it must say so), then with password-less sudo, on a fresh
#     clone: `make test` and `make package` (which installs what it needs
#     through sudo).
#  4. lintian on the package, then in a second fresh copy the package
#     installed with `apt-get install ./velorin_...deb`, and velorin-chart
#     (text, JSON, --image) and velorin --version run from PATH.
#
# Mounts are undone on every way out. Needs root (it asks sudo otherwise).
# FRESH_MIRROR sets the Debian mirror; CMAKE_FLAGS go to every build.
set -eu

cd "$(dirname "$0")/.."
project=$(pwd)
build=${BUILD:-build}
case $build in /*) ;; *) build=$project/$build ;; esac
work=$build/fresh
mirror=${FRESH_MIRROR:-http://deb.debian.org/debian}
cmake_flags=${CMAKE_FLAGS:-}
path=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
user=builder

if [ "$(id -u)" -ne 0 ]; then
    echo "test-fresh: making and entering a system needs root; asking sudo"
    exec sudo env BUILD="$build" FRESH_MIRROR="$mirror" CMAKE_FLAGS="$cmake_flags" "$0" "$@"
fi

if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
    echo "test-fresh: note: uncommitted changes are not tested; the clone holds the committed HEAD ($(git rev-parse --short HEAD))"
fi

./scripts/deps.sh debootstrap lintian

step() {
    now=$(date +%s)
    echo
    echo "=== test-fresh [$((now - started)) s]: $*"
}
started=$(date +%s)

mkdir -p "$work"
cache=$work/bookworm-minbase.tar.gz
# Downloaded packages are kept beside it, shared by the systems of a run and
# by later runs; what each system has installed is its own.
archives=$work/apt-archives
mkdir -p "$archives/partial"

# Every mount below $work, deepest first.
mounts_below() {
    awk -v root="$1" '$5 == root || index($5, root "/") == 1 { print $5 }' /proc/self/mountinfo | sort -r
}

unmount_all() {
    for point in $(mounts_below "$work"); do
        umount "$point" 2>/dev/null || umount -l "$point" 2>/dev/null ||
            echo "test-fresh: could not unmount $point" >&2
    done
}

systems=""
cleanup() {
    status=$?
    trap - EXIT INT TERM HUP
    unmount_all
    if [ -n "$(mounts_below "$work")" ]; then
        echo "test-fresh: mounts remain below $work; the systems are left in place" >&2
    else
        for system in $systems; do rm -rf --one-file-system "$system"; done
    fi
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

if [ ! -f "$cache" ]; then
    step "making a minimal Debian 12 with debootstrap from $mirror"
    bootstrap=$work/bootstrap
    systems="$systems $bootstrap"
    rm -rf --one-file-system "$bootstrap"
    debootstrap --variant=minbase --include=git,make,ca-certificates bookworm "$bootstrap" "$mirror"
    rm -rf "$bootstrap"/var/cache/apt/archives/*.deb
    tar -C "$bootstrap" -czf "$cache.part" .
    mv "$cache.part" "$cache"
    rm -rf --one-file-system "$bootstrap"
fi

# new_system NAME: a fresh copy of the minimal system, with /proc, /sys, a
# /dev of its own, the host's name servers and the shared package folder.
new_system() {
    root=$work/$1
    systems="$systems $root"
    rm -rf --one-file-system "$root"
    mkdir -p "$root"
    tar -C "$root" -xzf "$cache"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    mount -t proc proc "$root/proc"
    mount -t sysfs sysfs "$root/sys"
    mount -t tmpfs -o mode=0755,size=16m dev "$root/dev"
    for node in "null c 1 3" "zero c 1 5" "full c 1 7" "random c 1 8" "urandom c 1 9" "tty c 5 0"; do
        # shellcheck disable=SC2086
        set -- $node
        mknod -m 0666 "$root/dev/$1" "$2" "$3" "$4"
    done
    mkdir -p "$root/dev/pts" "$root/dev/shm"
    mount -t devpts -o newinstance,ptmxmode=0666,mode=0620 devpts "$root/dev/pts"
    ln -s pts/ptmx "$root/dev/ptmx"
    mount -t tmpfs -o mode=1777 shm "$root/dev/shm"
    mount -t tmpfs -o mode=1777 tmp "$root/tmp"
    mount --bind "$archives" "$root/var/cache/apt/archives"
}

# as ROOT USER COMMAND: COMMAND run by sh in the system, with an empty
# environment but for PATH (and for an ordinary user, HOME, USER and LOGNAME
# as a login gives them).
as() {
    if [ "$2" = root ]; then
        chroot "$1" /usr/bin/env -i PATH="$path" /bin/sh -c "$3"
    else
        chroot --userspec="$2:$2" "$1" /usr/bin/env -i PATH="$path" HOME="/home/$2" USER="$2" LOGNAME="$2" \
            /bin/sh -c "$3"
    fi
}

# clone ROOT FOLDER OWNER: the committed HEAD into the system.
clone() {
    git clone --quiet --no-hardlinks "$project" "$1$2"
    chroot "$1" chown -R "$3:" "$2"
}

step "system A: a fresh copy of the minimal system"
new_system a
a=$work/a
clone "$a" /root/velorin root

step "system A, root: make run (no display)"
# Into a file first: behind a pipe (sh has no pipefail) a failing make run
# would pass as the pipe's last command.
as "$a" root "cd /root/velorin && make run CMAKE_FLAGS='$cmake_flags'" >"$work/make-run.log" 2>&1 || {
    cat "$work/make-run.log"
    echo "test-fresh: make run failed" >&2
    exit 1
}
cat "$work/make-run.log"
grep -q "./build/velorin-chart --help" "$work/make-run.log" || {
    echo "test-fresh: make run did not end with the way on (./build/velorin-chart --help)" >&2
    exit 1
}

step "system A, root: make test"
as "$a" root "cd /root/velorin && make test CMAKE_FLAGS='$cmake_flags'"

step "system A, an ordinary user: make deps while sudo wants a password"
as "$a" root "DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends sudo >/dev/null &&
    useradd --create-home --shell /bin/sh --groups sudo $user"
clone "$a" "/home/$user/velorin" "$user"
# A package that is missing, so that deps.sh has to ask sudo.
if as "$a" "$user" "cd ~/velorin && ./scripts/deps.sh hello </dev/null" >"$work/sudo.log" 2>&1; then
    echo "test-fresh: deps.sh succeeded although sudo needs a password" >&2
    exit 1
fi
cat "$work/sudo.log"
grep -q "password" "$work/sudo.log" || {
    echo "test-fresh: deps.sh did not say that sudo needs a password" >&2
    exit 1
}

step "system A, the ordinary user with password-less sudo: make test, make package"
echo "$user ALL=(ALL) NOPASSWD: ALL" >"$a/etc/sudoers.d/$user"
chmod 0440 "$a/etc/sudoers.d/$user"
as "$a" "$user" "cd ~/velorin && make test CMAKE_FLAGS='$cmake_flags' && make package CMAKE_FLAGS='$cmake_flags'"
package=$(cd "$a/home/$user/velorin/build" && ls velorin_*_amd64.deb)
cp "$a/home/$user/velorin/build/$package" "$work/$package"

step "lintian $package"
lintian --fail-on error --info "$work/$package"

step "system B: apt-get install ./$package, then the programs from PATH"
new_system b
b=$work/b
cp "$work/$package" "$b/root/$package"
as "$b" root "apt-get update -q >/dev/null && DEBIAN_FRONTEND=noninteractive apt-get install -y -q ./root/$package >/dev/null"
as "$b" root "set -e; cd /tmp
    velorin --version
    velorin --help | head -3
    velorin-chart --version
    velorin-chart --name Ravi --date 1990-05-15 --time 10:30 --zone IST --lat 28:36N --lon 77:12E \
        --city 'New Delhi' --state Delhi --country India >chart.txt
    grep -q 'Ravi' chart.txt
    velorin-chart --name Ravi --date 1990-05-15 --time 10:30 --zone IST --lat 28:36N --lon 77:12E \
        --city 'New Delhi' --state Delhi --country India --format json >chart.json
    grep -q '\"Ascendant' chart.json
    velorin-chart --name Ravi --date 1990-05-15 --time 10:30 --zone IST --lat 28:36N --lon 77:12E \
        --city 'New Delhi' --state Delhi --country India --image chart.jpg
    test \"\$(head -c 3 chart.jpg | od -An -tx1 | tr -d ' ')\" = ffd8ff
    velorin-chart --name Ravi --place Pune --date 1990-05-15 --time 10:30 --format json >place.json 2>place.txt
    grep -q 'zone 34 Indian Time' place.txt
    grep -q '\"TimeZone\": \"Asia/Kolkata\"' place.json
    man -w velorin-chart >/dev/null 2>&1 || test -f /usr/share/man/man1/velorin-chart.1.gz
    echo 'installed package: velorin, velorin-chart (text, JSON, --image, --place) run from PATH'"

step "passed"
