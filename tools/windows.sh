#!/usr/bin/env bash
# Builds the program for 64-bit Windows on Debian: a portable .zip and an
# NSIS installer in build-windows/. Qt and libjpeg are cross-built once from
# Debian's own source packages and kept in a cache folder; later runs only
# rebuild the program.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
cache=${ZARTEX_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zartex-windows}
jobs=$(nproc)
toolchain=$root/tools/windows/mingw-toolchain.cmake
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

say() { printf '== %s\n' "$*"; }

# --if-cached: the test suite's way in. Without a cross-built Qt and
# libjpeg in the cache (the first build takes most of an hour), nothing is
# built and the status is 77.
if_cached=false
[ "${1:-}" = "--if-cached" ] && if_cached=true
skip_uncached() {
    echo "SKIPPED: the Windows build and its journeys under Wine: no cross-built Qt and libjpeg in $cache" \
        "(bash tools/windows.sh builds them once, in about an hour)"
    exit 77
}
if $if_cached && [ ! -f "$cache/qt/.stamp" ]; then
    skip_uncached
fi

bash tools/install-deps.sh cmake ninja-build g++ ccache dpkg-dev nasm \
    g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools \
    fonts-liberation2 qt6-translations-l10n nsis zip wine wine64

# apt-get source needs a deb-src line for the suite the machine runs.
if ! apt-get source --print-uris qt6-base >/dev/null 2>&1; then
    say "adding Debian's source lines for $(. /etc/os-release && echo "$VERSION_CODENAME")"
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    $sudo tee /etc/apt/sources.list.d/zartex-sources.sources >/dev/null <<SOURCES
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $codename $codename-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    $sudo apt-get update -qq
fi

# Unpacks a Debian source package (its patches applied) under $cache/src
# and prints the folder.
debian_source() {
    local package=$1 folder
    mkdir -p "$cache/src"
    folder=$(cd "$cache/src" && ls -d "$package"-*/ 2>/dev/null | head -n1 || true)
    if [ -z "$folder" ]; then
        (cd "$cache/src" && apt-get source -qq "$package" >&2 2>/dev/null)
        folder=$(cd "$cache/src" && ls -d "$package"-*/ | head -n1)
    fi
    echo "$cache/src/${folder%/}"
}

# A library is rebuilt when its recipe or the compiler changes: the stamp
# holds both.
compiler=$(x86_64-w64-mingw32-g++-posix --version | head -n1)
recipe_stamp() { printf '%s\n' "$compiler" "$@" | sha256sum | cut -c1-16; }

# Qt: only what the program uses (Core, Gui, Widgets, the Windows platform
# and style). Shared, as Qt's licence (LGPL) expects of a program that
# links it: a school may replace the Qt DLLs beside the program. Three
# features do not build this way in Qt 6.4 and are left out too: dynamic
# OpenGL without OpenGL, the tablet support (it needs the Wintab header that
# Debian's source leaves out), and the DirectWrite 3 font database without
# Direct2D (the platform uses its GDI font database, Qt's default).
qt_args=(-DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_vulkan=OFF -DFEATURE_dbus=OFF -DFEATURE_sql=OFF
    -DFEATURE_network=OFF -DFEATURE_testlib=OFF -DFEATURE_printsupport=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_direct2d=OFF
    -DFEATURE_freetype=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_directwrite3=OFF
    -DFEATURE_accessibility=ON -DFEATURE_png=ON
    -DFEATURE_tabletevent=OFF)
jpeg_args=(-DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF
    -DWITH_SIMD=ON -DCMAKE_BUILD_TYPE=Release)
jpeg_prefix=$cache/libjpeg
jpeg_stamp=$(recipe_stamp libjpeg-turbo "${jpeg_args[@]}")
qt_prefix=$cache/qt
qt_stamp=$(recipe_stamp qt6-base "${qt_args[@]}")
if $if_cached && { [ "$(cat "$jpeg_prefix/.stamp" 2>/dev/null)" != "$jpeg_stamp" ] ||
                   [ "$(cat "$qt_prefix/.stamp" 2>/dev/null)" != "$qt_stamp" ]; }; then
    skip_uncached
fi
if [ "$(cat "$jpeg_prefix/.stamp" 2>/dev/null)" != "$jpeg_stamp" ]; then
    say "building libjpeg-turbo for Windows"
    source_dir=$(debian_source libjpeg-turbo)
    rm -rf "$cache/build-libjpeg" "$jpeg_prefix"
    cmake -S "$source_dir" -B "$cache/build-libjpeg" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_INSTALL_PREFIX="$jpeg_prefix" "${jpeg_args[@]}" >/dev/null
    cmake --build "$cache/build-libjpeg" -j"$jobs"
    cmake --install "$cache/build-libjpeg" >/dev/null
    echo "$jpeg_stamp" >"$jpeg_prefix/.stamp"
    rm -rf "$cache/build-libjpeg"
fi

if [ "$(cat "$qt_prefix/.stamp" 2>/dev/null)" != "$qt_stamp" ]; then
    say "building Qt for Windows; the first time this takes an hour or more"
    source_dir=$(debian_source qt6-base)
    rm -rf "$qt_prefix"
    # A build left half-done by an interrupted run goes on where it stopped.
    cmake -S "$source_dir" -B "$cache/build-qt" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_INSTALL_PREFIX="$qt_prefix" "${qt_args[@]}" >"$cache/qt-configure.log"
    cmake --build "$cache/build-qt" -j"$jobs"
    cmake --install "$cache/build-qt" >/dev/null
    echo "$qt_stamp" >"$qt_prefix/.stamp"
    rm -rf "$cache/build-qt"
fi

say "building the program"
build=$root/build-windows
cmake -S . -B "$build/program" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_FIND_ROOT_PATH="$qt_prefix;$jpeg_prefix" -DQt6_DIR="$qt_prefix/lib/cmake/Qt6" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DZARTEX_TESTS=OFF -DZARTEX_WERROR=ON -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build "$build/program" -j"$jobs"
version=$(sed -n 's/^project(zartex VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# The folder a teacher copies: the program, the DLLs it loads, its five
# run-time pictures (read from the folder it starts in), Qt's Russian
# texts, and the licences of what it carries.
say "laying out the program's folder"
stage=$build/zartex
rm -rf "$stage"
mkdir -p "$stage/platforms" "$stage/styles" "$stage/translations" "$stage/licenses"
cp "$build/program/app/zartex.exe" "$stage/"
cp "$qt_prefix/plugins/platforms/qwindows.dll" "$stage/platforms/"
cp "$qt_prefix/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
cp assets/runtime/{circleNew,parNew,prNew,uslNew,fon}.jpg "$stage/"
cp /usr/share/qt6/translations/qtbase_ru.qm "$stage/translations/"

# The DLLs that the program and its plugins import, found among Qt's and
# the compiler's; Windows' own DLLs are not in those folders and stay out.
dll_folders=("$qt_prefix/bin" "$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")"
    /usr/x86_64-w64-mingw32/lib)
imports() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p'; }
pending=("$stage/zartex.exe" "$stage/platforms/qwindows.dll" "$stage/styles/qwindowsvistastyle.dll")
while [ ${#pending[@]} -gt 0 ]; do
    binary=${pending[0]}
    pending=("${pending[@]:1}")
    for dll in $(imports "$binary"); do
        [ -e "$stage/$dll" ] && continue
        for folder in "${dll_folders[@]}"; do
            if [ -e "$folder/$dll" ]; then
                cp "$folder/$dll" "$stage/"
                pending+=("$stage/$dll")
                break
            fi
        done
    done
done
x86_64-w64-mingw32-strip --strip-unneeded "$stage"/*.dll "$stage"/*/*.dll "$stage/zartex.exe"

source_qt=$(debian_source qt6-base)
source_jpeg=$(debian_source libjpeg-turbo)
cp "$source_qt/LICENSES/LGPL-3.0-only.txt" "$stage/licenses/Qt-LGPL-3.0.txt"
cp "$source_qt/LICENSES/GPL-3.0-only.txt" "$stage/licenses/Qt-GPL-3.0.txt"
cp "$source_jpeg/LICENSE.md" "$stage/licenses/libjpeg-turbo.md"
cp "$source_jpeg/README.ijg" "$stage/licenses/libjpeg-turbo-README.ijg"
cp /usr/share/doc/fonts-liberation2/copyright "$stage/licenses/LiberationSans.txt"
cp tools/windows/licenses.txt "$stage/licenses/README.txt"
cp tools/install/copyright "$stage/licenses/zartex.txt"

say "packing the portable .zip"
zip_file=$build/zartex-$version-windows-x64.zip
rm -f "$zip_file"
(cd "$build" && zip -qr9X "$zip_file" zartex)

say "making the installer"
# What the installer lays down and the uninstaller removes, file by file.
windows_path() { local path=${1#.}; printf '%s' "${path//\//\\}"; }
{
    (cd "$stage" && find . -type d | sort) | while read -r folder; do
        printf 'SetOutPath "$INSTDIR%s"\n' "$(windows_path "$folder")"
        find "$stage${folder#.}" -maxdepth 1 -type f | sort | while read -r file; do
            printf 'File "%s"\n' "$file"
        done
    done
} >"$stage.files.nsh"
{
    (cd "$stage" && find . -type f | sort) | while read -r file; do
        printf 'Delete "$INSTDIR%s"\n' "$(windows_path "$file")"
    done
    (cd "$stage" && find . -mindepth 1 -type d | sort -r) | while read -r folder; do
        printf 'RMDir "$INSTDIR%s"\n' "$(windows_path "$folder")"
    done
} >"$stage.remove-files.nsh"
installer=$build/zartex-$version-windows-x64-setup.exe
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$installer" \
    -DICON="$root/tools/windows/zartex.ico" -DSIZE_KB="$(du -sk "$stage" | cut -f1)" tools/windows/installer.nsi

say "done: $(du -h "$zip_file" | cut -f1) $zip_file"
say "done: $(du -h "$installer" | cut -f1) $installer"
