#!/usr/bin/env bash
# Minimal Debian systems in a folder, made with debootstrap: the program is
# built for older systems in one, and its package is tried in fresh ones
# that hold nothing else.
#
#     bash packaging/linux/debian-root.sh make SUITE DIR [PACKAGE...]
#         makes a fresh minimal root of Debian SUITE (bullseye, bookworm)
#         in DIR, which must not exist, with the suite's updates and
#         security fixes, and installs the packages named; what
#         debootstrap lays down is kept a week in ~/.cache/zartex-debian-roots
#         (or $ZARTEX_DEBIAN_ROOT_CACHE)
#     bash packaging/linux/debian-root.sh run DIR COMMAND [ARG...]
#         runs COMMAND inside the root as root, with /proc and /dev mounted
#         for it alone; the environment is kept but for PATH
#     bash packaging/linux/debian-root.sh remove DIR
#         deletes the root
#
# Debian's packages come through the machine's own apt sources: the
# archive's and the security archive's addresses are read from them when a
# root is made, and the machine's settings for reaching them (a proxy, the
# date checks) go into the root's apt. No address is written anywhere but
# into the root, and the machine's apt settings stay as they are.
#
# Needs root rights; without them the status is 77.
set -euo pipefail
shopt -s inherit_errexit

fail() {
    echo "debian-root.sh: $*" >&2
    exit 1
}

# Runs a command, showing what it printed only if it fails.
quietly() {
    local output
    if ! output=$("$@" 2>&1); then
        printf '%s\n' "$output" | tail -n 30 >&2
        fail "failed: $*"
    fi
}

if [ "$(id -u)" -ne 0 ]; then
    echo "SKIPPED: making and entering a Debian root needs root rights (debootstrap, chroot, mount)"
    exit 77
fi

# Runs a command in root $1. The mounts are made in a mount namespace of
# the command's own, so they vanish with it however it ends, and none is
# ever left for a deletion of the root to go through. Every step execs the
# next: the command keeps the process id that its caller started.
enter=(unshare --mount --propagation private -- /bin/sh -ec '
    root=$1
    shift
    mount -t proc proc "$root/proc"
    mount --rbind /dev "$root/dev"
    exec chroot "$root" /usr/bin/env PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"' sh)

is_root_folder() {
    [ -d "$1/etc/apt" ] && [ -d "$1/var/lib/dpkg" ]
}

# The addresses of Debian's archive and of its security archive, as the
# machine's apt sources give them for the machine's own suite ("bookworm",
# "bookworm-updates", "bookworm-security"); the same archives hold the
# other suites.
read_sources() {
    local own targets
    own=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    [ -n "$own" ] || fail "/etc/os-release names no Debian suite for this machine"
    targets=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE)' 'Created-By: Packages' | sort -u)
    archive=$(awk -v suite="$own" '$2 == suite { print $1; exit }' <<<"$targets")
    updates=$(awk -v suite="$own-updates" '$2 == suite { print $1; exit }' <<<"$targets")
    security=$(awk -v suite="$own-security" '$2 == suite { print $1; exit }' <<<"$targets")
    [ -n "$archive" ] || fail "the machine's apt sources have no line for Debian $own"
    # debootstrap fetches with wget, which takes apt's proxy from the environment.
    eval "$(apt-config shell http_proxy Acquire::http::Proxy https_proxy Acquire::https::Proxy)"
    export http_proxy https_proxy
}

# What debootstrap lays down for a suite is kept for a week as a tarball in
# a cache folder, and a root is unpacked from it: debootstrap takes most of
# the time of making a root, and the suite's updates and security fixes
# come anyway from the dist-upgrade that follows.
cache=${ZARTEX_DEBIAN_ROOT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zartex-debian-roots}

bootstrap() {
    local suite=$1 dir=$2
    local tarball
    tarball=$cache/$suite-$(printf '%s\n' "$archive" | sha256sum | cut -c1-16).tar.zst
    mkdir -p "$cache"
    # One root is bootstrapped at a time; the others wait and unpack it.
    exec {lock}>"$cache/lock"
    flock "$lock"
    find "$cache" -maxdepth 1 -name '*.tar.zst' -mtime +6 -delete
    if [ ! -f "$tarball" ]; then
        local log=$dir.debootstrap.log
        if ! debootstrap --variant=minbase --components=main "$suite" "$dir" "$archive" >"$log" 2>&1; then
            tail -n 20 "$log" >&2
            fail "debootstrap of Debian $suite failed; its log: $log"
        fi
        rm -f "$log"
        tar -C "$dir" --zstd -cf "$tarball.part" .
        mv "$tarball.part" "$tarball"
    else
        mkdir "$dir"
        tar -C "$dir" --zstd -xf "$tarball"
    fi
    exec {lock}>&-
}

make_root() {
    local suite=$1 dir=$2
    shift 2
    [ ! -e "$dir" ] || fail "$dir exists; a root is made in a new folder"
    read_sources
    mkdir -p "$(dirname "$dir")"
    bootstrap "$suite" "$dir"
    {
        echo "deb $archive $suite main"
        [ -z "$updates" ] || echo "deb $updates $suite-updates main"
        [ -z "$security" ] || echo "deb $security $suite-security main"
    } >"$dir/etc/apt/sources.list"
    apt-config dump | grep -E '^Acquire::((https?|ftp)::Proxy|Check-Valid-Until|Check-Date|Retries)[ :]' \
        >"$dir/etc/apt/apt.conf.d/50machine" || true
    # No service starts inside the root while packages are installed.
    printf '#!/bin/sh\nexit 101\n' >"$dir/usr/sbin/policy-rc.d"
    chmod 755 "$dir/usr/sbin/policy-rc.d"
    export DEBIAN_FRONTEND=noninteractive
    quietly "${enter[@]}" "$dir" apt-get update
    quietly "${enter[@]}" "$dir" apt-get dist-upgrade -y
    [ $# -eq 0 ] || quietly "${enter[@]}" "$dir" apt-get install -y --no-install-recommends "$@"
    "${enter[@]}" "$dir" apt-get clean
}

remove_root() {
    local dir=$1
    [ -e "$dir" ] || return 0
    is_root_folder "$dir" || fail "$dir is not a Debian root; left as it is"
    local real
    real=$(realpath "$dir")
    if findmnt -rno TARGET | grep -q "^$real/"; then
        fail "something is mounted below $dir; left as it is"
    fi
    rm -rf --one-file-system "$dir"
}

case ${1:-} in
    make)
        [ $# -ge 3 ] || fail "usage: debian-root.sh make SUITE DIR [PACKAGE...]"
        shift
        make_root "$@"
        ;;
    run)
        [ $# -ge 3 ] || fail "usage: debian-root.sh run DIR COMMAND [ARG...]"
        is_root_folder "$2" || fail "$2 is not a Debian root"
        dir=$2
        shift 2
        exec "${enter[@]}" "$dir" "$@"
        ;;
    remove)
        [ $# -eq 2 ] || fail "usage: debian-root.sh remove DIR"
        remove_root "$2"
        ;;
    *)
        fail "usage: debian-root.sh make SUITE DIR [PACKAGE...] | run DIR COMMAND [ARG...] | remove DIR"
        ;;
esac
