#!/usr/bin/env bash
# Builds the benchmarks optimised and runs them: picture loading (extra
# arguments go to it, e.g. --benchmark_filter=photo), then start-up.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh cmake g++ make qt6-base-dev libjpeg62-turbo-dev libbenchmark-dev
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DZARTEX_BENCH=ON -DZARTEX_TESTS=OFF >/dev/null
cmake --build build-bench --target bench_pictures bench_startup -j"$(nproc)"
build-bench/bench/bench_pictures "$@"
build-bench/bench/bench_startup
