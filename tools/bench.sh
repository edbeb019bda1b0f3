#!/usr/bin/env bash
# Builds the benchmarks optimised and runs them on a private Xvfb:
#  1. the first window: the program against a minimal Qt program, whole
#     processes from exec to the first window painted, interleaved pairs;
#  2. peak memory: main form up, every form open, and one drop of each of
#     the largest accepted photographs and of one over the budget;
#  3. picture loading against Qt's own reader (extra arguments go to it,
#     e.g. --benchmark_filter=photo).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh cmake g++ make pkg-config qt6-base-dev libjpeg62-turbo-dev libbenchmark-dev \
    libxcb1-dev libxcb-damage0-dev xvfb fonts-liberation fonts-liberation2
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

echo
echo "== Picture loading"
"$bench_pictures" "$@"
