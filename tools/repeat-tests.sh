#!/usr/bin/env bash
# Runs the whole suite (ctest -j2) N times in a row while stress-ng keeps
# every core busy, and prints each run's failures and a closing count. A
# test that fails even once has a race to find. Then, as a distribution's
# packager would, the README's test command once more in the sources of a
# release tarball (git archive), which has no .git folder.
#     bash tools/repeat-tests.sh N
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:?usage: bash tools/repeat-tests.sh N}
bash tools/test.sh --build-only
bash packaging/install-deps.sh stress-ng
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
        # A skip passes, so say which: a stale cache skips whole groups.
        skipped=$(sed -n 's/^\s*[0-9]* - \(\S*\) (Skipped)$/\1/p' "$log" | paste -sd ' ' -)
        echo "run $run: green ($(( $(date +%s) - started )) s${skipped:+; skipped: $skipped})"
    else
        echo "run $run: FAILED ($(( $(date +%s) - started )) s), log $log:"
        sed -n '/The following tests FAILED:/,$p' "$log" | grep -E '^\s+[0-9]+ - ' || tail -n 5 "$log"
    fi
done
echo "$green of $runs runs green"
kill "$stress" 2>/dev/null || true

tarball=$PWD/build-test/release-tarball
rm -rf "$tarball"
mkdir -p "$tarball"
git archive HEAD | tar -x -C "$tarball"
sources() { (cd "$tarball" && find . -path './build*' -prune -o -type f -print0 | xargs -0 md5sum | sort -k2); }
sources >"$logs/release-tarball.files"
started=$(date +%s)
tarball_green=true
if (cd "$tarball" && bash tools/test.sh) >"$logs/release-tarball.log" 2>&1; then
    echo "release tarball: green ($(( $(date +%s) - started )) s)"
else
    tarball_green=false
    echo "release tarball: FAILED, log $logs/release-tarball.log:"
    sed -n '/The following tests FAILED:/,$p' "$logs/release-tarball.log" | grep -E '^\s+[0-9]+ - ' ||
        tail -n 5 "$logs/release-tarball.log"
fi
# The tarball's suite wrote only into its build folders.
written=$(sources | diff "$logs/release-tarball.files" - | grep "^>" || true)
[ -z "$written" ] || { echo "the suite wrote into the sources: $written"; tarball_green=false; }
[ "$green" -eq "$runs" ] && $tarball_green
