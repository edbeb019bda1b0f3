#!/usr/bin/env bash
# Packages for the older Linux systems that schools run, made in a minimal
# Debian 11 root, the oldest system with Qt 5.15:
# - a .deb and an .rpm of the program built against the system's Qt 5.15,
#   for Debian 11, Ubuntu 22.04, Astra Linux 1.8 and ALT;
# - the program with its own Qt 5.15 in a folder, for systems whose Qt is
#   older or missing (Astra Linux SE 1.7, glibc 2.28): a .tar.gz that runs
#   wherever it is unpacked, and a .deb that puts the folder in /opt/zartex.
# They go into build-older-linux/, or the folder given. docs/install.md
# tells which file suits which system.
#
#     sudo bash packaging/linux/older-linux.sh [--if-cached] [FOLDER]
#
# The build root, with its build tools and Qt 5, is made once from the
# machine's own apt sources (packaging/linux/debian-root.sh) and kept as a tarball in
# a cache folder, named by its recipe; each run unpacks it anew. So is the
# Qt 5.15 that the folder carries, built in that root from Debian's source package
# (most of an hour); with --if-cached, the suite's way in, a missing Qt
# leaves the folder out, and says so. The compiler's work is cached too.
# Needs root rights (status 77 without them).
set -euo pipefail
shopt -s inherit_errexit
cd "$(dirname "$0")/../.."
source=$PWD
if_cached=false
[ "${1:-}" = "--if-cached" ] && { if_cached=true; shift; }
out=$(realpath -m "${1:-$source/build-older-linux}")
cache=${ZARTEX_OLDER_LINUX_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zartex-older-linux}
suite=bullseye
# What Qt 5.15 needs to be built with the libraries of the base
# (packaging/linux/folder/base-packages) and those it carries.
qt_build_packages=(perl pkg-config patchelf qttranslations5-l10n libfontconfig1-dev libfreetype6-dev
    libx11-dev libx11-xcb-dev libxcb1-dev libxcb-icccm4-dev libxcb-image0-dev libxcb-keysyms1-dev
    libxcb-randr0-dev libxcb-render-util0-dev libxcb-render0-dev libxcb-shape0-dev libxcb-shm0-dev
    libxcb-sync-dev libxcb-xfixes0-dev libxcb-xinerama0-dev libxcb-xkb-dev libxcb-util-dev
    libxkbcommon-dev libxkbcommon-x11-dev libatspi2.0-dev)
build_packages=(cmake make g++ ccache qtbase5-dev libjpeg62-turbo-dev fonts-liberation2 dpkg-dev file rpm
    "${qt_build_packages[@]}")
# What each file is for, in its name; a .deb is named name_version_arch.
fact() { sh packaging/fact.sh "$1"; }
version=$(fact Version)
deb_name=zartex_${version}_qt5-debian11-ubuntu22.04-astra1.8_amd64.deb
rpm_name=zartex-${version}-1.qt5-alt-p10-p11.x86_64.rpm
bundle_name=zartex-${version}-linux-x86_64-own-qt5-glibc2.28
bundle_deb_name=zartex_${version}_own-qt5-astra1.7-debian10_amd64.deb
# Qt 5.15 as the folder carries it: only what the program uses, Qt's own
# zlib, libpng, HarfBuzz and PCRE, no ICU (a third of the size), no OpenGL;
# D-Bus, for screen readers, is loaded when the desktop has it. Every file
# is compiled against glibc 2.28's symbol versions. Qt Test too, which the
# folder does not carry: the forms' texts are measured against this Qt.
qt_args=(-opensource -confirm-license -release -shared -prefix /opt/qt5 -nomake examples -nomake tests
    -no-opengl -no-icu -no-glib -dbus-runtime -no-openssl -no-cups -no-evdev -no-libinput -no-mtdev -no-tslib
    -no-eglfs -no-linuxfb -no-kms -no-gbm -no-directfb -no-vulkan -no-gtk
    -qt-zlib -qt-libpng -no-libjpeg -no-gif -qt-pcre -qt-harfbuzz -system-freetype -fontconfig
    -xcb -xcb-xlib -bundled-xcb-xinput -xkbcommon
    -no-feature-sql -no-feature-xml -no-feature-concurrent
    "QMAKE_CFLAGS+=-include /glibc-2.28.h" "QMAKE_CXXFLAGS+=-include /glibc-2.28.h")

say() { printf '== %s\n' "$*"; }
in_root() { bash packaging/linux/debian-root.sh run "$root" "$@"; }

# The build root is remade when the suite, its packages or the way a root
# is made change. Qt's own recipe leaves out how a root is made, so that a
# change there does not cost the hour that Qt takes.
recipes() {
    recipe=$( (printf '%s\n' "$suite" "${build_packages[@]}"; cat packaging/linux/debian-root.sh) | sha256sum | cut -c1-16)
    tarball=$cache/build-root-$suite-$recipe.tar.zst
    qt_recipe=$( (printf '%s\n' "$suite" "${build_packages[@]}" "${qt_args[@]}"; cat packaging/linux/folder/glibc-2.28.h) |
        sha256sum | cut -c1-16)
    qt_tarball=$cache/qt5-$qt_recipe.tar.zst
}

make_root() {
    [ ! -f "$tarball" ] || return 0
    say "making the Debian 11 build root; it is kept in $tarball"
    local fresh=$out/fresh-build-root
    bash packaging/linux/debian-root.sh remove "$fresh"
    bash packaging/linux/debian-root.sh make "$suite" "$fresh" "${build_packages[@]}"
    rm -f "$cache"/build-root-*.tar.zst
    tar -C "$fresh" --zstd -cf "$tarball.part" .
    mv "$tarball.part" "$tarball"
    bash packaging/linux/debian-root.sh remove "$fresh"
}

# A fresh copy of the root for this run, with the compiler's cache moved
# in for the build and back after it, and the source as it stands in this
# checkout, built outside it.
enter_root() {
    root=$out/build-root
    bash packaging/linux/debian-root.sh remove "$root"
    mkdir -p "$root"
    tar -C "$root" --zstd -xf "$tarball"
    mkdir -p "$cache/ccache"
    mv "$cache/ccache" "$root/ccache"
    trap leave_root EXIT
    mkdir -p "$root/src"
    tar -C "$source" --exclude='./build*' --exclude=./.git -cf - . | tar -C "$root/src" -xf -
    export CCACHE_DIR=/ccache
}
leave_root() {
    [ ! -d "$root/ccache" ] || mv "$root/ccache" "$cache/ccache"
    bash packaging/linux/debian-root.sh remove "$root"
}

# The .deb and the .rpm against Debian 11's Qt 5.15. libjpeg is linked in:
# the libjpeg62-turbo package is Debian's own, and Ubuntu, for one, has none.
build_system_packages() {
    say "building the program against Qt 5.15 in Debian 11"
    # CMake 3.18 reads every file of the tree, the tests' and the tools' too.
    in_root cmake -S /src -B /configure-check -DZARTEX_QT_MAJOR=5 -DZARTEX_TOOLS=ON >/dev/null
    in_root cmake -S /src -B /build -DCMAKE_BUILD_TYPE=Release -DZARTEX_QT_MAJOR=5 \
        -DJPEG_LIBRARY=/usr/lib/x86_64-linux-gnu/libjpeg.a \
        -DZARTEX_TESTS=OFF -DZARTEX_WERROR=ON -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
    in_root cmake --build /build -j"$(nproc)"
    say "packing the .deb and the .rpm"
    in_root sh -c 'cd /build && cpack -G DEB >/dev/null && cpack -G RPM >/dev/null'
    rm -f "$out"/*.deb "$out"/*.rpm "$out"/*.tar.gz
    mv "$root/build/zartex_${version}_amd64.deb" "$out/$deb_name"
    mv "$root/build/zartex-${version}-1.x86_64.rpm" "$out/$rpm_name"
    say "done: $(du -h "$out/$deb_name" | cut -f1) $out/$deb_name"
    say "done: $(du -h "$out/$rpm_name" | cut -f1) $out/$rpm_name"
}

# Every form's texts measured as this root's Qt draws them, with its own
# font engine: a label that cuts off its text fails, at 100, 150 and 200 %.
measure_texts() {  # a build folder, then CMake's options
    local folder=$1
    shift
    say "measuring the forms' texts in $folder"
    in_root cmake -S /src -B "$folder" -DZARTEX_QT_MAJOR=5 -DZARTEX_WERROR=ON \
        -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@" >/dev/null
    in_root cmake --build "$folder" --target tst_theorypages -j"$(nproc)" >/dev/null
    in_root sh -c "cd $folder && ctest -R '^tst_theorypages' --output-on-failure"
}

# Qt 5.15 for the folder, from Debian's source package as the machine's apt
# sources offer it (Debian 12's 5.15.8: the mirrors hold no Debian 11
# sources), built with Debian 11's compiler and libraries; kept in the cache.
build_own_qt() {
    if [ -f "$qt_tarball" ]; then
        tar -C "$root/opt" --zstd -xf "$qt_tarball"
        return 0
    fi
    say "building Qt 5.15 for the folder in Debian 11; the first time this takes most of an hour"
    local qt_source_dir qt_source
    qt_source_dir=$(bash packaging/debian-source.sh "$cache" qtbase-opensource-src)
    mkdir -p "$root/qt-source" "$root/qt-build"
    cp -a "$qt_source_dir" "$root/qt-source/"
    qt_source=$(basename "$qt_source_dir")
    cp packaging/linux/folder/glibc-2.28.h "$root/"
    if ! in_root sh -c "cd /qt-build && /qt-source/$qt_source/configure $(printf '%q ' "${qt_args[@]}") \
            >/qt-configure.log 2>&1 && make -j$(nproc) >/qt-build.log 2>&1 && make install >/dev/null"; then
        tail -n 40 "$root"/qt-*.log >&2
        exit 1
    fi
    mkdir -p "$root/opt/qt5/licenses"
    cp "$qt_source_dir"/{LICENSE.LGPL3,LICENSE.GPL3} "$root/opt/qt5/licenses/"
    echo "$qt_source" >"$root/opt/qt5/source-package"
    rm -f "$cache"/qt5-*.tar.zst
    tar -C "$root/opt" --zstd -cf "$qt_tarball.part" qt5
    mv "$qt_tarball.part" "$qt_tarball"
}

build_on_own_qt() {
    say "building the program against its own Qt 5.15"
    local floor="-include /src/packaging/linux/folder/glibc-2.28.h"
    in_root cmake -S /src -B /bundle-build -DCMAKE_BUILD_TYPE=Release -DZARTEX_QT_MAJOR=5 -DCMAKE_PREFIX_PATH=/opt/qt5 \
        -DJPEG_LIBRARY=/usr/lib/x86_64-linux-gnu/libjpeg.a -DCMAKE_CXX_FLAGS="$floor" -DCMAKE_C_FLAGS="$floor" \
        -DZARTEX_TESTS=OFF -DZARTEX_WERROR=ON -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
    in_root cmake --build /bundle-build -j"$(nproc)"
    stage=$root/stage/$bundle_name
    in_root cmake --install /bundle-build --prefix "/stage/$bundle_name" --strip >/dev/null
    # The package's lintian notes are the folder's own.
    rm -rf "$stage/share/lintian"
}

lay_out_folder() {
    say "laying out the folder"
    mkdir -p "$stage/lib" "$stage/plugins"/{platforms,generic,platforminputcontexts} "$stage/translations" \
        "$stage/licenses"
    local qt=$root/opt/qt5
    cp "$qt/plugins/platforms/libqxcb.so" "$stage/plugins/platforms/"
    cp "$qt/plugins/generic/libqtuiotouchplugin.so" "$stage/plugins/generic/"
    cp "$qt/plugins/platforminputcontexts/libcomposeplatforminputcontextplugin.so" "$stage/plugins/platforminputcontexts/"
    cp "$root/usr/share/qt5/translations/qtbase_ru.qm" "$stage/translations/"
    # Where Qt finds its plugins and texts: beside the folder's program.
    printf '[Paths]\nPrefix=../..\nPlugins=plugins\nTranslations=translations\n' >"$stage/libexec/zartex/qt.conf"
    cp packaging/linux/folder/{install.sh,uninstall.sh,elf-files.sh} "$stage/"
    chmod 0755 "$stage"/{install.sh,uninstall.sh,elf-files.sh}
    # What install.sh copies to /usr: the menu entry, the icons, the listing and the manual page.
    (cd "$stage" && find share/applications share/icons share/metainfo share/man -type f | sort) \
        >"$stage/share/zartex/system-files"
}

# Every library that the program, the plugins and what they carry name
# (DT_NEEDED) and the base lacks, as the root's loader finds it, until
# nothing new comes; what the base's own libraries need is the base's.
# Each is found through paths relative to its file: no LD_LIBRARY_PATH,
# no wrapper.
carry_libraries() {
    local base_libraries pending elf found name path
    base_libraries=$(in_root sh -c 'for p in $(sed -n "s/^\([a-z0-9][a-z0-9.+-]*\).*/\1/p" /src/packaging/linux/folder/base-packages); do
        dpkg -L "$p" 2>/dev/null || true; done' | grep -E '\.so(\.[0-9]+)*$' | xargs -n1 basename | sort -u)
    pending=("$stage"/libexec/zartex/zartex "$stage"/plugins/*/*.so)
    pending=("${pending[@]#"$root"}")
    carried=()
    while [ ${#pending[@]} -gt 0 ]; do
        elf=${pending[0]}
        pending=("${pending[@]:1}")
        found=$(in_root env LD_LIBRARY_PATH=/opt/qt5/lib ldd "$elf")
        for name in $(objdump -p "$root$elf" | sed -n 's/^\s*NEEDED\s*//p'); do
            grep -qxF "$name" <<<"$base_libraries" && continue
            [ -e "$stage/lib/$name" ] && continue
            path=$(sed -n "s|^\s*$name => \(/\S*\) .*|\1|p" <<<"$found")
            [ -n "$path" ] || { echo "$elf needs $name, which Debian 11 does not resolve" >&2; exit 1; }
            cp -L "$root$path" "$stage/lib/$name"
            carried+=("$path")
            pending+=("/stage/$bundle_name/lib/$name")
        done
    done
    in_root sh -c "cd /stage/$bundle_name && patchelf --set-rpath '\$ORIGIN/../../lib' libexec/zartex/zartex &&
        for f in plugins/*/*.so; do patchelf --set-rpath '\$ORIGIN/../../lib' \"\$f\"; done &&
        for f in lib/*.so*; do patchelf --set-rpath '\$ORIGIN' \"\$f\"; done"
    strip --strip-unneeded "$stage"/lib/*.so* "$stage"/plugins/*/*.so
    chmod 0644 "$stage"/lib/*.so* "$stage"/plugins/*/*.so
}

# The licences of what the folder carries.
gather_licences() {
    local qt=$root/opt/qt5 path package
    cp "$qt/licenses/LICENSE.LGPL3" "$stage/licenses/Qt-LGPL-3.0.txt"
    cp "$qt/licenses/LICENSE.GPL3" "$stage/licenses/Qt-GPL-3.0.txt"
    cp LICENSE "$stage/licenses/zartex-GPL-3.0.txt"
    cp packaging/install/copyright-libjpeg-turbo "$stage/licenses/libjpeg-turbo.txt"
    for path in "${carried[@]}"; do
        [[ $path == /opt/qt5/* ]] && continue
        package=$(in_root dpkg -S "*/$(basename "$(in_root readlink -f "$path")")" | head -n1 | cut -d: -f1)
        cp "$root/usr/share/doc/$package/copyright" "$stage/licenses/$package.txt"
    done
    printf 'Qt %s, built from the Debian source package %s: its source is got with\n"apt-get source qtbase-opensource-src" on Debian 12.\n' \
        "$(sed -n 's/.*-\(5\.[0-9.]*\).*/\1/p' "$qt/source-package")" "$(cat "$qt/source-package")" >"$stage/licenses/README.txt"
}

# What install.sh and elf-files.sh take from a copy of the folder, whatever
# modes and extra files the copy shows: the files that are programs (by
# their execute bits here) and every file's SHA-256 (share/zartex/sha256sums,
# which "sha256sum -c" reads too).
list_folder() {
    (cd "$1" && find . -type f -perm -u+x | sed 's|^\./||' | LC_ALL=C sort >share/zartex/programs &&
        find . -type f ! -path ./share/zartex/sha256sums | sed 's|^\./||' | LC_ALL=C sort |
        xargs -d '\n' sha256sum >share/zartex/sha256sums)
}

# The folder as a .tar.gz, and as a .deb that puts it in /opt/zartex.
pack_folder() {
    say "packing the .tar.gz and the .deb"
    list_folder "$stage"
    tar -C "$root/stage" --owner=0 --group=0 -czf "$out/$bundle_name.tar.gz" "$bundle_name"
    local package=$root/stage/deb file
    mkdir -p "$package/DEBIAN" "$package/opt" "$package/usr/bin" "$package/usr/share/doc/zartex" \
        "$package/usr/share/lintian/overrides"
    cp -R "$stage" "$package/opt/zartex"
    rm "$package/opt/zartex/install.sh" "$package/opt/zartex/uninstall.sh"
    ln -s /opt/zartex/bin/zartex "$package/usr/bin/zartex"
    while read -r file; do
        mkdir -p "$(dirname "$package/usr/$file")"
        cp "$stage/$file" "$package/usr/$file"
    done <"$stage/share/zartex/system-files"
    mv "$package/opt/zartex/share/doc/zartex"/* "$package/usr/share/doc/zartex/"
    rmdir "$package/opt/zartex/share/doc/zartex" "$package/opt/zartex/share/doc"
    list_folder "$package/opt/zartex"
    cp packaging/linux/folder/lintian-overrides "$package/usr/share/lintian/overrides/zartex"
    folder_control "$package" >"$package/DEBIAN/control"
    (cd "$package" && find . -path ./DEBIAN -prune -o -type f -print | sed 's|^\./||' | sort | xargs md5sum) \
        >"$package/DEBIAN/md5sums"
    in_root dpkg-deb --root-owner-group -Zxz --build /stage/deb "/stage/$bundle_deb_name" >/dev/null
    mv "$root/stage/$bundle_deb_name" "$out/"
    say "done: $(du -h "$out/$bundle_name.tar.gz" | cut -f1) $out/$bundle_name.tar.gz"
    say "done: $(du -h "$out/$bundle_deb_name" | cut -f1) $out/$bundle_deb_name"
}

# The folder's .deb says of the program what every package says (packaging/facts).
folder_control() {
    cat <<EOF
Package: $(fact Name)
Version: $version
Architecture: amd64
Maintainer: $(fact Maintainer)
Installed-Size: $(du -sk "$1" --exclude=DEBIAN | cut -f1)
Depends: $(sed -e '/^#/d' -e '/^$/d' packaging/linux/folder/base-packages | paste -sd, | sed 's/,/, /g')
Section: education
Priority: optional
Homepage: $(fact Homepage)
Description: $(fact Summary)
$(fact Description | sed 's/^/ /')
 .
 This package carries its own Qt 5.15 in /opt/zartex, for systems whose Qt
 is older, such as Astra Linux SE 1.7.
EOF
}

if [ "$(id -u)" -ne 0 ]; then
    echo "SKIPPED: the packages for older systems are built in a Debian 11 root, which needs root rights"
    exit 77
fi
bash packaging/install-deps.sh debootstrap zstd
recipes
mkdir -p "$cache" "$out"
rm -f "$out/SKIPPED"
# The cache serves one build at a time (another checkout's suite may be
# running this script too). The suite does not wait out another run, which
# may be building Qt for most of an hour: it leaves the packages out and
# says whose run holds the cache, and where that run writes.
exec 9>"$cache/lock"
if $if_cached && ! flock -w 60 9; then
    rm -f "$out"/*.deb "$out"/*.rpm "$out"/*.tar.gz
    echo "SKIPPED: the packages for older systems: another run builds in $cache ($(cat "$cache/lock-holder" 2>/dev/null || echo 'it did not say whose'))" |
        tee "$out/SKIPPED"
    exit 77
fi
flock 9
printf 'process %s, since %s, writing to %s\n' "$$" "$(date '+%F %T')" "$(readlink /proc/$$/fd/1 || echo '?')" \
    >"$cache/lock-holder"
# An administrator checks a file against this list before installing it as root.
write_checksums() {
    (cd "$out" && find . -maxdepth 1 -type f \( -name '*.deb' -o -name '*.rpm' -o -name '*.tar.gz' \) -printf '%P\n' |
        LC_ALL=C sort | xargs -r sha256sum -- >SHA256SUMS)
}
make_root
enter_root
build_system_packages
measure_texts /texts-system-qt
if [ ! -f "$qt_tarball" ] && $if_cached; then
    write_checksums
    echo "SKIPPED: the build that carries its own Qt 5.15: no Qt built for it in $cache" \
        "(sudo bash packaging/linux/older-linux.sh builds it once, in most of an hour)"
    exit 0
fi
build_own_qt
build_on_own_qt
measure_texts /texts-own-qt -DCMAKE_PREFIX_PATH=/opt/qt5
lay_out_folder
carry_libraries
gather_licences
pack_folder
write_checksums
