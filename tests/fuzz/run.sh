#!/usr/bin/env bash
# Fuzzes the picture loader for a bounded time and fails on any crash, leak,
# timeout or out-of-memory. Usage: tests/fuzz/run.sh <fuzz_jpegloader> [seconds]
# A finding is left in <build>/fuzz-findings/; once the loader is mended,
# commit it to tests/fuzz/corpus so that the ordinary tests replay it.
set -euo pipefail
fuzzer=$(realpath "$1")
seconds=${2:-60}
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$(dirname "$fuzzer")/fuzz-run
findings=$(dirname "$fuzzer")/fuzz-findings
rm -rf "$work"
mkdir -p "$work" "$findings"
# The first directory collects what the fuzzer discovers in this run; the
# others are read only: hand-made bad files, the committed finds, and the
# program's own pictures.
status=0
"$fuzzer" -max_total_time="$seconds" -rss_limit_mb=512 -timeout=10 -max_len=65536 \
    -print_final_stats=1 -artifact_prefix="$findings/" \
    "$work" "$source_dir/tests/fuzz/seeds" "$source_dir/tests/fuzz/corpus" \
    "$source_dir/assets" "$source_dir/assets/runtime" >"$work.log" 2>&1 || status=$?
grep -E "^(INFO: seed corpus|Done|stat::)" "$work.log" || true
if [ "$status" -ne 0 ]; then
    tail -n 60 "$work.log" >&2
    echo "fuzzing the picture loader found a fault; the input is in $findings" >&2
    exit "$status"
fi
