#!/usr/bin/env bash
# Runs libFuzzer targets for a bounded time each, one after another, starting
# from the seed corpus in fuzz/corpus/NAME; fails on any crash, sanitizer
# report, broken property or input that takes over 10 s.
# usage: fuzz/run.sh [BUILD_DIR [SECONDS_PER_TARGET [TARGET...]]]
#   fuzz/run.sh build-fuzz 25                     what scripts/test.sh runs
#   fuzz/run.sh build-fuzz 3600 upload_stream     an hour on one target
# A failing input is left as BUILD_DIR/NAME-crash-* (or -timeout-, -leak-).
# With APPGEN_FUZZ_KEEP=DIR the inputs found are kept in DIR/NAME for the next run.
set -euo pipefail
build=$(cd "${1:-build-fuzz}" && pwd)
seconds=${2:-25}
shift $(($# < 2 ? $# : 2))
here=$(cd "$(dirname "$0")" && pwd)
if (($# > 0)); then
  bins=()
  for name in "$@"; do bins+=("$build/${name}_fuzz"); done
else
  bins=("$build"/*_fuzz)
fi
status=0
for bin in "${bins[@]}"; do
  name=$(basename "$bin" _fuzz)
  if [[ -n "${APPGEN_FUZZ_KEEP:-}" ]]; then
    work="$APPGEN_FUZZ_KEEP/$name"
    mkdir -p "$work"
  else
    work=$(mktemp -d)
  fi
  cp -r "$here/corpus/$name/." "$work/" 2>/dev/null || true
  echo "fuzzing $name for ${seconds}s"
  if ! "$bin" -max_total_time="$seconds" -max_len=20000 -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=0 -artifact_prefix="$build/$name-" "$work" \
       >"$build/$name-fuzz.log" 2>&1; then
    echo "fuzz target $name failed; see $build/$name-fuzz.log"
    tail -n 40 "$build/$name-fuzz.log"
    status=1
  fi
  [[ -n "${APPGEN_FUZZ_KEEP:-}" ]] || rm -rf "$work"
done
exit $status
