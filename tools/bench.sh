#!/usr/bin/env bash
# Builds the benchmarks optimised and runs them on a private Xvfb:
#  1. the first window: the program against a minimal Qt program, whole
#     processes from exec to the first window painted, interleaved pairs;
#  2. peak memory: main form up, every form open, and one drop of each of
#     the largest accepted photographs and of one over the budget;
#  3. picture loading against Qt's own reader (extra arguments go to it,
#     e.g. --benchmark_filter=photo);
#  4. where packaging/linux/older-linux.sh has made them in build-older-linux/, the
#     build that carries its own Qt 5.15 against the Debian 11 package's
#     program (on this machine's Qt 5.15): its size, its first window and
#     its memory, interleaved pairs.
set -euo pipefail
cd "$(dirname "$0")/.."
# A session bus of the benchmark's own: without one, a program's first use of
# D-Bus starts a bus through dbus-launch, whose window stays on the server.
[ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || exec dbus-run-session -- bash "$0" "$@"
bash packaging/install-deps.sh cmake g++ make pkg-config qt6-base-dev libjpeg62-turbo-dev libbenchmark-dev \
    libxcb1-dev libxcb-damage0-dev xvfb fonts-liberation fonts-liberation2 libqt5widgets5
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DZARTEX_BENCH=ON -DZARTEX_TESTS=OFF >/dev/null
cmake --build build-bench --target zartex first_window minimal_window bench_memory bench_pictures -j"$(nproc)"

# Where the build put each program.
source build-bench/bench-programs.sh

work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")" QT_QPA_PLATFORM=xcb

echo "== First window: exec to first window painted (X DAMAGE), program against a minimal Qt program"
(cd assets/runtime && "$first_window" 30 "$zartex" "$minimal_window" ../computer.jpg)

echo
echo "== Peak memory (VmHWM), each line from a process of its own"
"$bench_memory" write "$work/photos"
"$bench_memory" forms
for photo in camera-6000x4000-420.jpg camera-6000x4000-420-progressive.jpg \
    square-4000x4000-444-progressive.jpg square-6500x6500-444-progressive.jpg; do
    "$bench_memory" drop "$work/photos/$photo"
done

older=build-older-linux
folder_tarball=$(ls "$older"/*own-qt5*.tar.gz 2>/dev/null | head -n1 || true)
qt5_deb=$(ls "$older"/*_qt5-debian11*.deb 2>/dev/null | head -n1 || true)
if [ -n "$folder_tarball" ] && [ -n "$qt5_deb" ]; then
    echo
    echo "== The build that carries its own Qt 5.15 against the Debian 11 package's program"
    echo "the .tar.gz: $(du -m "$folder_tarball" | cut -f1) MB (at most 35)"
    echo "below, \"program\" is the folder's own, the yardstick the Debian 11 package's on this machine's Qt"
    mkdir -p "$work/own" "$work/deb"
    tar -C "$work/own" -xzf "$folder_tarball"
    dpkg-deb -x "$qt5_deb" "$work/deb"
    (cd assets/runtime && "$first_window" 30 "$work"/own/*/libexec/zartex/zartex "$work/deb/usr/libexec/zartex/zartex")
fi

echo
echo "== Picture loading"
"$bench_pictures" "$@"
