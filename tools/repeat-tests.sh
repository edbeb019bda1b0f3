#!/usr/bin/env bash
# Runs the whole suite (ctest -j2) N times in a row while stress-ng keeps
# every core busy, and prints each run's failures and a closing count. A
# test that fails even once has a race to find.
#     bash tools/repeat-tests.sh N
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:?usage: bash tools/repeat-tests.sh N}
bash tools/test.sh --build-only
bash tools/install-deps.sh stress-ng
logs=build-test/repeat-tests
rm -rf "$logs"
mkdir -p "$logs"

stress-ng --cpu "$(nproc)" --quiet &
stress=$!
trap 'kill "$stress" 2>/dev/null || true' EXIT

green=0
for run in $(seq "$runs"); do
    log="$logs/run-$run.log"
    started=$(date +%s)
    if (cd build-test && ctest --output-on-failure -j2) >"$log" 2>&1; then
        green=$((green + 1))
        echo "run $run: green ($(( $(date +%s) - started )) s)"
    else
        echo "run $run: FAILED ($(( $(date +%s) - started )) s), log $log:"
        sed -n '/The following tests FAILED:/,$p' "$log" | grep -E '^\s+[0-9]+ - ' || tail -n 5 "$log"
    fi
done
echo "$green of $runs runs green"
[ "$green" -eq "$runs" ]
