#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite
# headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash packaging/install-deps.sh cmake g++ make ccache qt6-base-dev libjpeg62-turbo-dev fonts-liberation fonts-liberation2 libgl-dev \
    python3 xvfb xauth icewm xdotool x11-utils x11-xkb-utils x11-xserver-utils libxfixes3 libxtst6 adwaita-icon-theme imagemagick \
    xclip tesseract-ocr \
    desktop-file-utils dpkg-dev file reuse \
    clang \
    orca at-spi2-core dbus-x11 locales tesseract-ocr-rus
# The sanitizers' runtime of the system's own clang (14 on Debian 12, 19 on Debian 13).
bash packaging/install-deps.sh "libclang-rt-$(clang -dumpversion | cut -d. -f1)-dev"
# Qt's Russian texts, the package linters, a Wayland session with XWayland,
# and Qt's TUIO plugin, through which the journeys touch the program.
bash packaging/install-deps.sh qt6-translations-l10n lintian appstream rpm rpmlint weston xwayland qt6-wayland \
    qt6-qpa-plugins
# lupdate, which checks that the program's texts go through Qt's translation functions.
bash packaging/install-deps.sh qt6-l10n-tools
# The same program against Qt 5.15; the Debian roots for older systems.
bash packaging/install-deps.sh qtbase5-dev libxcb1-dev qttranslations5-l10n qtwayland5 debootstrap zstd
# The screen reader's journey listens to Orca in Russian.
if ! locale -a | grep -qx 'ru_RU.utf8'; then
    $([ "$(id -u)" -eq 0 ] || echo sudo) localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
fi
# The Windows build, when packaging/windows/windows.sh has cross-built Qt before: its
# packages are remade and the suite drives them under Wine.
windows_build=""
windows_status=0
bash packaging/windows/windows.sh --if-cached || windows_status=$?
case $windows_status in
    0) windows_build=$PWD/build-windows ;;
    77) ;;
    *) exit "$windows_status" ;;
esac
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DZARTEX_WERROR=ON -DZARTEX_WINDOWS_BUILD="$windows_build" >/dev/null
cmake --build build-test -j"$(nproc)"
# tools/repeat-tests.sh builds the suite here and runs it itself.
[ "${1:-}" = "--build-only" ] && exit 0
(cd build-test && ctest --output-on-failure -j2)

# The program and its Qt Test programs again, built against Qt 5.15, with
# the journeys and the package checks. The README's run command and the
# packages for older systems (packaging/linux/older-linux.sh) ran above already.
cmake -S . -B build-qt5 -DCMAKE_BUILD_TYPE=Debug -DZARTEX_WERROR=ON -DZARTEX_QT_MAJOR=5 >/dev/null
cmake --build build-qt5 -j"$(nproc)"
(cd build-qt5 && ctest --output-on-failure -j2 -E 'e2e_run_command' -LE older-linux)

# The same suite again, built by clang with AddressSanitizer and
# UndefinedBehaviorSanitizer; any report (leaks included) fails its test.
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
    -DZARTEX_SANITIZE=ON -DZARTEX_FUZZ=ON -DZARTEX_WERROR=ON >/dev/null
cmake --build build-sanitize -j"$(nproc)"
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=1:halt_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --output-on-failure -j2)

# About a minute of fuzzing the picture loader.
bash tests/fuzz/run.sh build-sanitize/tests/fuzz/fuzz_jpegloader 60
