#!/usr/bin/env bash
# Runs every libFuzzer target for a bounded time; fails on any crash or sanitizer report.
# usage: fuzz/run.sh BUILD_DIR SECONDS_PER_TARGET
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
status=0
for bin in "$build"/*_fuzz; do
  name=$(basename "$bin" _fuzz)
  work=$(mktemp -d)
  cp -r "$here/corpus/$name/." "$work/" 2>/dev/null || true
  echo "fuzzing $name for ${seconds}s"
  if ! "$bin" -max_total_time="$seconds" -max_len=20000 -timeout=10 -print_final_stats=0 \
       -artifact_prefix="$build/$name-" "$work" >"$build/$name-fuzz.log" 2>&1; then
    echo "fuzz target $name failed; see $build/$name-fuzz.log"
    tail -n 40 "$build/$name-fuzz.log"
    status=1
  fi
  rm -rf "$work"
done
exit $status
