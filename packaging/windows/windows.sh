#!/usr/bin/env bash
# Builds the program for 64-bit Windows 7 SP1 to Windows 11 on Debian: a
# portable .zip, an NSIS installer and a Windows Installer package in
# build-windows/. Qt 5.15 and libjpeg are cross-built once from Debian's own
# source packages and kept in a cache folder; later runs only rebuild the
# program. docs/windows.md tells why Qt 5.15 and not Qt 6.
#
#     bash packaging/windows/windows.sh [--if-cached]
#
# --if-cached: the test suite's way in. Without a cross-built Qt and
# libjpeg in the cache (the first build takes most of an hour), nothing is
# installed, no apt setting is touched, and the status is 77.
set -euo pipefail
# A failing command inside $(...) stops the script too.
shopt -s inherit_errexit
cd "$(dirname "$0")/../.."
root=$PWD
cache=${ZARTEX_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zartex-windows}
jobs=$(nproc)
toolchain=$root/packaging/windows/mingw-toolchain.cmake
cross_compiler=x86_64-w64-mingw32-g++-posix
build=$root/build-windows
stage=$build/zartex
jpeg_prefix=$cache/libjpeg
qt_prefix=$cache/qt5
if_cached=false
[ "${1:-}" = "--if-cached" ] && if_cached=true
# Qt 5.15, the last Qt that runs on Windows 7: only what the program uses
# (Core, Gui, Widgets, the Windows platform and style). Shared, as Qt's
# licence (LGPL) expects of a program that links it: a school may replace
# the Qt DLLs beside the program. Built with Qt's own zlib, libpng,
# HarfBuzz and PCRE, which Windows lacks; the fonts are Windows' own. Qt
# Test too, which the program does not carry: the forms' texts are
# measured against this Qt.
qt_args=(-opensource -confirm-license -release -shared -xplatform win32-g++
    -device-option CROSS_COMPILE=x86_64-w64-mingw32- -nomake examples -nomake tests
    -no-opengl -no-dbus -no-icu -no-freetype -no-fontconfig -no-libjpeg -no-gif
    -qt-zlib -qt-libpng -qt-harfbuzz -qt-pcre
    -no-feature-network -no-feature-sql -no-feature-xml
    -no-feature-concurrent -no-feature-tabletevent)
jpeg_args=(-DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF
    -DWITH_SIMD=ON -DCMAKE_BUILD_TYPE=Release)

say() { printf '== %s\n' "$*"; }
fact() { sh packaging/fact.sh "$1"; }

skip_uncached() {
    echo "SKIPPED: the Windows build and its journeys under Wine: no cross-built Qt and libjpeg in $cache" \
        "(bash packaging/windows/windows.sh builds them once, in about an hour)"
    exit 77
}
install_deps() {
    bash packaging/install-deps.sh cmake ninja-build g++ ccache dpkg-dev nasm \
        g++-mingw-w64-x86-64-posix fonts-liberation2 qttranslations5-l10n nsis wixl msitools zip wine wine64 \
        python3
}

# A library is rebuilt when its recipe, the compiler or its Debian source
# changes. Its stamp holds a digest of the first two and the source's
# version; --if-cached, which asks apt nothing, checks the digest only.
recipe_stamp() {
    local compiler
    compiler=$("$cross_compiler" --version | head -n1)
    printf '%s\n' "$compiler" "$@" | sha256sum | cut -c1-16
}
stamp_recipe() { head -n1 "$1/.stamp" 2>/dev/null || true; }
# Is the library in prefix $1 built by this recipe ($2) from the source
# apt offers for package $3?
up_to_date() {
    [ "$(stamp_recipe "$1")" = "$2" ] || return 1
    $if_cached || [ "$(sed -n 2p "$1/.stamp")" = "$(bash packaging/debian-source.sh --version "$cache" "$3")" ]
}
# Debian's source packages, as the machine's apt sources offer them.
debian_source() { source_dir=$(bash packaging/debian-source.sh "$cache" "$1"); }

# What the suite finds cached, or the packages that the build needs.
prepare() {
    if $if_cached && { [ ! -f "$qt_prefix/.stamp" ] || [ ! -f "$jpeg_prefix/.stamp" ] ||
                       ! command -v "$cross_compiler" >/dev/null; }; then
        skip_uncached
    fi
    # The digests need the cross-compiler: --if-cached knows it is there.
    $if_cached || install_deps
    jpeg_recipe=$(recipe_stamp libjpeg-turbo "${jpeg_args[@]}")
    qt_recipe=$(recipe_stamp qtbase-opensource-src "${qt_args[@]}")
    if $if_cached && { [ "$(stamp_recipe "$jpeg_prefix")" != "$jpeg_recipe" ] ||
                       [ "$(stamp_recipe "$qt_prefix")" != "$qt_recipe" ]; }; then
        skip_uncached
    fi
    $if_cached && install_deps
    return 0
}

build_libjpeg() {
    ! up_to_date "$jpeg_prefix" "$jpeg_recipe" libjpeg-turbo || return 0
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
}

build_qt() {
    ! up_to_date "$qt_prefix" "$qt_recipe" qtbase-opensource-src || return 0
    say "building Qt 5.15 for Windows; the first time this takes most of an hour"
    debian_source qtbase-opensource-src
    rm -rf "$qt_prefix" "$cache/build-qt"
    mkdir -p "$cache/build-qt" "$cache/mingw-posix"
    # Qt's make rules call the cross-compiler by its plain name: the POSIX
    # threads one, as for the program.
    for tool in gcc g++; do
        ln -sf "$(command -v "x86_64-w64-mingw32-$tool-posix")" "$cache/mingw-posix/x86_64-w64-mingw32-$tool"
    done
    (cd "$cache/build-qt" && PATH=$cache/mingw-posix:$PATH \
        "$source_dir/configure" -prefix "$qt_prefix" "${qt_args[@]}" >"$cache/qt-configure.log" 2>&1 &&
        PATH=$cache/mingw-posix:$PATH make -j"$jobs" >"$cache/qt-build.log" 2>&1 &&
        make install >/dev/null) || { tail -n 40 "$cache"/qt-*.log >&2; exit 1; }
    mkdir -p "$qt_prefix/licenses"
    cp "$source_dir/LICENSE.LGPL3" "$source_dir/LICENSE.GPL3" "$qt_prefix/licenses/"
    printf '%s\n' "$qt_recipe" "$(basename "$source_dir")" >"$qt_prefix/.stamp"
    rm -rf "$cache/build-qt"
}

# The program, and the Qt Test program that measures every form's texts as
# Windows draws them (build-windows/texts-check, run under Wine by the suite).
build_program() {
    say "building the program"
    # A build folder made with the toolchain file at another path is made afresh.
    grep -qsF "$toolchain" "$build"/program/CMakeFiles/*/CMakeSystem.cmake || rm -rf "$build/program"
    cmake -S . -B "$build/program" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_FIND_ROOT_PATH="$qt_prefix;$jpeg_prefix" -DZARTEX_QT_MAJOR=5 -DQt5_DIR="$qt_prefix/lib/cmake/Qt5" \
        -DZARTEX_WERROR=ON -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
    cmake --build "$build/program" -j"$jobs" --target zartex tst_theorypages
}

# The folder a teacher copies: the program, the DLLs it loads, its five
# run-time pictures (read from the folder it starts in), Qt's Russian
# texts, and the licences of what it carries.
lay_out_folder() {
    say "laying out the program's folder"
    rm -rf "$stage"
    mkdir -p "$stage/translations" "$stage/licenses"
    cp "$build/program/app/zartex.exe" "$stage/"
    lay_out_plugins "$stage"
    cp assets/runtime/{circleNew,parNew,prNew,uslNew,fon}.jpg "$stage/"
    cp /usr/share/qt5/translations/qtbase_ru.qm "$stage/translations/"
    carry_dlls "$stage" zartex.exe
    cp "$qt_prefix/licenses/LICENSE.LGPL3" "$stage/licenses/Qt-LGPL-3.0.txt"
    cp "$qt_prefix/licenses/LICENSE.GPL3" "$stage/licenses/Qt-GPL-3.0.txt"
    cp "$jpeg_prefix/licenses/LICENSE.md" "$stage/licenses/libjpeg-turbo.md"
    cp "$jpeg_prefix/licenses/README.ijg" "$stage/licenses/libjpeg-turbo-README.ijg"
    cp /usr/share/doc/fonts-liberation2/copyright "$stage/licenses/LiberationSans.txt"
    cp packaging/windows/licenses.txt "$stage/licenses/README.txt"
    cp packaging/install/copyright "$stage/licenses/zartex.txt"
    cp LICENSE "$stage/licenses/GPL-3.0.txt"
}

# The check of the texts: the Qt Test program in a folder of its own, as
# the program's folder lays it out, with Qt Test beside it.
lay_out_texts_check() {
    local check=$build/texts-check
    rm -rf "$check"
    mkdir -p "$check"
    cp "$build/program/tests/gui/tst_theorypages.exe" "$check/"
    lay_out_plugins "$check"
    carry_dlls "$check" tst_theorypages.exe
}

lay_out_plugins() {
    mkdir -p "$1/platforms" "$1/styles"
    # Qt looks for its plugins and texts in this folder alone.
    cp packaging/windows/qt.conf "$1/"
    cp "$qt_prefix/plugins/platforms/qwindows.dll" "$1/platforms/"
    cp "$qt_prefix/plugins/styles/qwindowsvistastyle.dll" "$1/styles/"
}

# The DLLs that a folder's program and its plugins import, found among Qt's
# and the cross-compiler's; Windows' own DLLs are in neither and stay out.
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
carry_dlls() {  # the folder, its program
    local folder=$1 pending binary dll found
    pending=("$folder/$2" "$folder/platforms/qwindows.dll" "$folder/styles/qwindowsvistastyle.dll")
    while [ ${#pending[@]} -gt 0 ]; do
        binary=${pending[0]}
        pending=("${pending[@]:1}")
        for dll in $(imports "$binary"); do
            [ -e "$folder/$dll" ] && continue
            found=$(find_dll "$dll")
            if [ -n "$found" ]; then
                cp "$found" "$folder/"
                pending+=("$folder/$dll")
            fi
        done
    done
    x86_64-w64-mingw32-strip --strip-unneeded "$folder"/*.dll "$folder"/*/*.dll "$folder/$2"
}

pack_zip() {
    say "packing the portable .zip"
    zip_file=$build/zartex-$version-windows-x64.zip
    rm -f "$zip_file"
    (cd "$build" && zip -qr9X "$zip_file" zartex)
}

make_installers() {
    say "making the installer"
    installer=$build/zartex-$version-windows-x64-setup.exe
    bash packaging/windows/make-setup.sh "$version" "$stage" "$installer"
    say "making the Windows Installer package"
    msi=$build/zartex-$version-windows-x64.msi
    bash packaging/windows/make-msi.sh "$version" "$stage" "$msi"
}

prepare
version=$(fact Version)
build_libjpeg
build_qt
build_program
lay_out_folder
lay_out_texts_check
pack_zip
make_installers
say "done: $(du -h "$zip_file" | cut -f1) $zip_file"
say "done: $(du -h "$installer" | cut -f1) $installer"
say "done: $(du -h "$msi" | cut -f1) $msi"
