#!/usr/bin/env bash
# run-fuzzer.sh TARGET CORPUS SECONDS: runs a libFuzzer target for a bounded
# time on a scratch copy of its corpus, so the repository's corpus stays as it is.
set -euo pipefail
target=$1 corpus=$2 seconds=$3
artifacts="$(pwd)/"   # a crashing input is kept here, in the build folder
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$corpus"/. "$work"/ 2>/dev/null || true
cd "$work"
exec "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
  -print_final_stats=1 -artifact_prefix="$artifacts" "$work"
