#!/usr/bin/env bash
# Builds the program for 64-bit Windows on Debian: a portable .zip, an
# NSIS installer and a Windows Installer package in build-windows/. Qt and libjpeg are cross-built once from
# Debian's own source packages and kept in a cache folder; later runs only
# rebuild the program.
set -euo pipefail
# A failing command inside $(...) stops the script too.
shopt -s inherit_errexit
cd "$(dirname "$0")/.."
root=$PWD
cache=${ZARTEX_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zartex-windows}
jobs=$(nproc)
toolchain=$root/tools/windows/mingw-toolchain.cmake
cross_compiler=x86_64-w64-mingw32-g++-posix

say() { printf '== %s\n' "$*"; }

# --if-cached: the test suite's way in. Without a cross-built Qt and
# libjpeg in the cache (the first build takes most of an hour), nothing is
# installed, no apt setting is touched, and the status is 77.
if_cached=false
[ "${1:-}" = "--if-cached" ] && if_cached=true
skip_uncached() {
    echo "SKIPPED: the Windows build and its journeys under Wine: no cross-built Qt and libjpeg in $cache" \
        "(bash tools/windows.sh builds them once, in about an hour)"
    exit 77
}
if $if_cached && { [ ! -f "$cache/qt/.stamp" ] || [ ! -f "$cache/libjpeg/.stamp" ] ||
                   ! command -v "$cross_compiler" >/dev/null; }; then
    skip_uncached
fi
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

# A library is rebuilt when its recipe, the compiler or its Debian source
# changes. Its stamp holds a digest of the first two and the source's
# version; --if-cached, which asks apt nothing, checks the digest only.
recipe_stamp() {
    local compiler
    compiler=$("$cross_compiler" --version | head -n1)
    printf '%s\n' "$compiler" "$@" | sha256sum | cut -c1-16
}
install_deps() {
    bash tools/install-deps.sh cmake ninja-build g++ ccache dpkg-dev nasm \
        g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools \
        fonts-liberation2 qt6-translations-l10n nsis wixl msitools zip wine wine64
}
# The digests need the cross-compiler: --if-cached knows it is there.
$if_cached || install_deps
jpeg_prefix=$cache/libjpeg
jpeg_recipe=$(recipe_stamp libjpeg-turbo "${jpeg_args[@]}")
qt_prefix=$cache/qt
qt_recipe=$(recipe_stamp qt6-base "${qt_args[@]}")
stamp_recipe() { head -n1 "$1/.stamp" 2>/dev/null || true; }
if $if_cached && { [ "$(stamp_recipe "$jpeg_prefix")" != "$jpeg_recipe" ] ||
                   [ "$(stamp_recipe "$qt_prefix")" != "$qt_recipe" ]; }; then
    skip_uncached
fi
$if_cached && install_deps

# The host's Qt (moc, uic, rcc) and where its CMake files are.
host_cmake_dir=/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake

# Debian's source packages. When the machine's apt has no deb-src lines,
# they are made from its deb lines (the same URIs, suites and keys) in a
# private apt folder inside the cache, read with the machine's own apt
# settings (its proxy, its mirror); the machine's apt sources stay as
# they were.
apt_src=(apt-get)
if $if_cached; then
    : # the sources' versions are not checked: that needs apt's lists
elif ! apt-get source --print-uris -qq qt6-base libjpeg-turbo >/dev/null 2>&1; then
    private=$cache/apt
    say "reading Debian's source packages through $private/sources.list.d (the machine's apt sources are left as they are)"
    rm -rf "$private/sources.list.d"
    mkdir -p "$private/sources.list.d" "$private/lists/partial" "$private/cache/archives/partial"
    eval "$(apt-config shell source_list Dir::Etc::SourceList/f source_parts Dir::Etc::SourceParts/d)"
    as_source_lines() {
        case $1 in
            *.list) sed -E 's/^([[:space:]]*)deb(-src)?([[:space:]])/\1deb-src\3/' "$1" ;;
            *.sources) sed -E 's/^[Tt][Yy][Pp][Ee][Ss]:.*/Types: deb-src/' "$1" ;;
        esac
    }
    [ -f "$source_list" ] && as_source_lines "$source_list" >"$private/sources.list.d/sources.list"
    for file in "$source_parts"*.list "$source_parts"*.sources; do
        [ -f "$file" ] && as_source_lines "$file" >"$private/sources.list.d/$(basename "$file")"
    done
    apt_src=(apt-get -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$private/sources.list.d"
        -o Dir::State::Lists="$private/lists" -o Dir::Cache="$private/cache")
    "${apt_src[@]}" update -qq
fi

# The version of a source package that apt offers, as "name_version".
source_version() {
    local uris
    uris=$("${apt_src[@]}" source --print-uris -qq "$1")
    printf '%s\n' "$uris" | sed -n "s/^'[^']*' \($1_[^ ]*\)\.dsc .*/\1/p"
}
# Unpacks that version (its patches applied) into $cache/src/name_version,
# replacing any other version, and leaves the folder in $source_dir.
debian_source() {
    local package=$1 version
    version=$(source_version "$package")
    [ -n "$version" ] || { echo "apt offers no source package $package" >&2; exit 1; }
    source_dir=$cache/src/$version
    [ -f "$source_dir/.unpacked" ] && return
    rm -rf "$cache/src/${package}_"* "$cache/src/unpack-$package"
    mkdir -p "$cache/src/unpack-$package"
    (cd "$cache/src/unpack-$package" && "${apt_src[@]}" source -qq "$package" >/dev/null)
    mv "$cache/src/unpack-$package/$(cd "$cache/src/unpack-$package" && ls -d "$package"-*/)" "$source_dir"
    rm -rf "$cache/src/unpack-$package"
    touch "$source_dir/.unpacked"
}
# Is the library in prefix $1 built by this recipe ($2) from the source
# apt offers for package $3?
up_to_date() {
    [ "$(stamp_recipe "$1")" = "$2" ] || return 1
    $if_cached || [ "$(sed -n 2p "$1/.stamp")" = "$(source_version "$3")" ]
}

if ! up_to_date "$jpeg_prefix" "$jpeg_recipe" libjpeg-turbo; then
    say "building libjpeg-turbo for Windows"
    debian_source libjpeg-turbo
    rm -rf "$cache/build-libjpeg" "$jpeg_prefix"
    cmake -S "$source_dir" -B "$cache/build-libjpeg" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_INSTALL_PREFIX="$jpeg_prefix" "${jpeg_args[@]}" >/dev/null
    cmake --build "$cache/build-libjpeg" -j"$jobs"
    cmake --install "$cache/build-libjpeg" >/dev/null
    # Its licence goes with every copy of the program.
    mkdir -p "$jpeg_prefix/licenses"
    cp "$source_dir/LICENSE.md" "$source_dir/README.ijg" "$jpeg_prefix/licenses/"
    printf '%s\n' "$jpeg_recipe" "$(basename "$source_dir")" >"$jpeg_prefix/.stamp"
    rm -rf "$cache/build-libjpeg"
fi

if ! up_to_date "$qt_prefix" "$qt_recipe" qt6-base; then
    say "building Qt for Windows; the first time this takes an hour or more"
    debian_source qt6-base
    rm -rf "$qt_prefix"
    # A build left half-done by an interrupted run goes on where it
    # stopped, unless it was of another source.
    grep -qx "CMAKE_HOME_DIRECTORY:INTERNAL=$source_dir" "$cache/build-qt/CMakeCache.txt" 2>/dev/null ||
        rm -rf "$cache/build-qt"
    cmake -S "$source_dir" -B "$cache/build-qt" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir" \
        -DCMAKE_INSTALL_PREFIX="$qt_prefix" "${qt_args[@]}" >"$cache/qt-configure.log"
    cmake --build "$cache/build-qt" -j"$jobs"
    cmake --install "$cache/build-qt" >/dev/null
    mkdir -p "$qt_prefix/licenses"
    cp "$source_dir/LICENSES/LGPL-3.0-only.txt" "$source_dir/LICENSES/GPL-3.0-only.txt" "$qt_prefix/licenses/"
    printf '%s\n' "$qt_recipe" "$(basename "$source_dir")" >"$qt_prefix/.stamp"
    rm -rf "$cache/build-qt"
fi

say "building the program"
build=$root/build-windows
cmake -S . -B "$build/program" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_FIND_ROOT_PATH="$qt_prefix;$jpeg_prefix" -DQt6_DIR="$qt_prefix/lib/cmake/Qt6" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir" \
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
# the cross-compiler's; Windows' own DLLs are in neither and stay out.
find_dll() {
    local found
    found=$("$cross_compiler" -print-file-name="$1")
    if [ -e "$qt_prefix/bin/$1" ]; then
        echo "$qt_prefix/bin/$1"
    elif [ "$found" != "$1" ] && [ -e "$found" ]; then
        echo "$found"
    fi
}
imports() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p'; }
pending=("$stage/zartex.exe" "$stage/platforms/qwindows.dll" "$stage/styles/qwindowsvistastyle.dll")
while [ ${#pending[@]} -gt 0 ]; do
    binary=${pending[0]}
    pending=("${pending[@]:1}")
    for dll in $(imports "$binary"); do
        [ -e "$stage/$dll" ] && continue
        found=$(find_dll "$dll")
        if [ -n "$found" ]; then
            cp "$found" "$stage/"
            pending+=("$stage/$dll")
        fi
    done
done
x86_64-w64-mingw32-strip --strip-unneeded "$stage"/*.dll "$stage"/*/*.dll "$stage/zartex.exe"

cp "$qt_prefix/licenses/LGPL-3.0-only.txt" "$stage/licenses/Qt-LGPL-3.0.txt"
cp "$qt_prefix/licenses/GPL-3.0-only.txt" "$stage/licenses/Qt-GPL-3.0.txt"
cp "$jpeg_prefix/licenses/LICENSE.md" "$stage/licenses/libjpeg-turbo.md"
cp "$jpeg_prefix/licenses/README.ijg" "$stage/licenses/libjpeg-turbo-README.ijg"
cp /usr/share/doc/fonts-liberation2/copyright "$stage/licenses/LiberationSans.txt"
cp tools/windows/licenses.txt "$stage/licenses/README.txt"
cp tools/install/copyright "$stage/licenses/zartex.txt"
cp LICENSE "$stage/licenses/GPL-3.0.txt"

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
    -DICON="$root/tools/windows/zartex.ico" -DLICENSE="$root/LICENSE" -DSIZE_KB="$(du -sk "$stage" | cut -f1)" \
    tools/windows/installer.nsi

say "making the Windows Installer package"
msi=$build/zartex-$version-windows-x64.msi
bash tools/windows/make-msi.sh "$version" "$stage" "$msi"

say "done: $(du -h "$zip_file" | cut -f1) $zip_file"
say "done: $(du -h "$installer" | cut -f1) $installer"
say "done: $(du -h "$msi" | cut -f1) $msi"
