#!/usr/bin/env bash
# Packages for the older Linux systems that schools run: the program built
# against Qt 5.15 inside a minimal Debian 11 root, the oldest system it is
# for, and packed there as a .deb and an .rpm into build-older-linux/ (or
# the folder given: the suite keeps them in its build folder).
# Their dependencies are what the packaging tools compute from what the
# program links, and libjpeg is linked in (Debian's libjpeg62-turbo is
# missing elsewhere), so they install wherever Qt 5.15 is; docs/install.md
# tells which file suits which system.
#
# The build root, with its build tools and Qt 5, is made once from the
# machine's own apt sources (tools/debian-root.sh) and kept as a tarball in
# a cache folder, named by its recipe; each run unpacks it anew. The
# compiler's work is cached there too. Needs root rights (status 77
# without them).
set -euo pipefail
shopt -s inherit_errexit
cd "$(dirname "$0")/.."
source=$PWD
out=$(realpath -m "${1:-$source/build-older-linux}")
cache=${ZARTEX_OLDER_LINUX_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zartex-older-linux}
suite=bullseye
build_packages=(cmake make g++ ccache qtbase5-dev libjpeg62-turbo-dev fonts-liberation2 dpkg-dev file rpm)
# What each file is for, in its name; a .deb is named name_version_arch.
version=$(sed -n 's/^project(zartex VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb_name=zartex_${version}_qt5-debian11-ubuntu22.04-astra1.8_amd64.deb
rpm_name=zartex-${version}-1.qt5-alt-p10-p11.x86_64.rpm

say() { printf '== %s\n' "$*"; }

if [ "$(id -u)" -ne 0 ]; then
    echo "SKIPPED: the packages for older systems are built in a Debian 11 root, which needs root rights"
    exit 77
fi
bash tools/install-deps.sh debootstrap zstd

# The build root: remade when the suite, its packages or the way a root is
# made change.
recipe=$( (printf '%s\n' "$suite" "${build_packages[@]}"; cat tools/debian-root.sh) | sha256sum | cut -c1-16)
tarball=$cache/build-root-$suite-$recipe.tar.zst
mkdir -p "$cache" "$out"
# The cache serves one build at a time (another checkout's suite may be
# running this script too).
exec 9>"$cache/lock"
flock 9
if [ ! -f "$tarball" ]; then
    say "making the Debian 11 build root; it is kept in $tarball"
    fresh=$out/fresh-build-root
    bash tools/debian-root.sh remove "$fresh"
    bash tools/debian-root.sh make "$suite" "$fresh" "${build_packages[@]}"
    rm -f "$cache"/build-root-*.tar.zst
    tar -C "$fresh" --zstd -cf "$tarball.part" .
    mv "$tarball.part" "$tarball"
    bash tools/debian-root.sh remove "$fresh"
fi

root=$out/build-root
bash tools/debian-root.sh remove "$root"
mkdir -p "$root"
tar -C "$root" --zstd -xf "$tarball"
# The compiler's cache moves into the root for the build and back after it.
mkdir -p "$cache/ccache"
mv "$cache/ccache" "$root/ccache"
finish() {
    [ ! -d "$root/ccache" ] || mv "$root/ccache" "$cache/ccache"
    bash tools/debian-root.sh remove "$root"
}
trap finish EXIT

# The source as it stands in this checkout, built outside it.
say "building the program against Qt 5.15 in Debian 11"
mkdir -p "$root/src"
tar -C "$source" --exclude='./build*' --exclude=./.git -cf - . | tar -C "$root/src" -xf -
export CCACHE_DIR=/ccache
# CMake 3.18 reads every file of the tree, the tests' and the tools' too.
bash tools/debian-root.sh run "$root" cmake -S /src -B /configure-check -DZARTEX_QT_MAJOR=5 -DZARTEX_TOOLS=ON >/dev/null
# libjpeg is linked in: the libjpeg62-turbo package is Debian's own, and
# Ubuntu, for one, has none.
bash tools/debian-root.sh run "$root" cmake -S /src -B /build -DCMAKE_BUILD_TYPE=Release -DZARTEX_QT_MAJOR=5 \
    -DJPEG_LIBRARY=/usr/lib/x86_64-linux-gnu/libjpeg.a \
    -DZARTEX_TESTS=OFF -DZARTEX_WERROR=ON -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
bash tools/debian-root.sh run "$root" cmake --build /build -j"$(nproc)"

say "packing the .deb and the .rpm"
bash tools/debian-root.sh run "$root" sh -c 'cd /build && cpack -G DEB >/dev/null && cpack -G RPM >/dev/null'
rm -f "$out"/*.deb "$out"/*.rpm
mv "$root/build/zartex_${version}_amd64.deb" "$out/$deb_name"
mv "$root/build/zartex-${version}-1.x86_64.rpm" "$out/$rpm_name"
say "done: $(du -h "$out/$deb_name" | cut -f1) $out/$deb_name"
say "done: $(du -h "$out/$rpm_name" | cut -f1) $out/$rpm_name"
