#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: the release build, the
# sanitizer build, the Windows build under Wine, and a bounded fuzzing run.
set -euo pipefail
cd "$(dirname "$0")/.."
fuzz_seconds=${APPGEN_FUZZ_SECONDS:-25}

scripts/install-deps.sh

echo "== release build and tests"
cmake --preset default
cmake --build --preset default
ctest --preset default

echo "== AddressSanitizer and UndefinedBehaviorSanitizer build and tests"
cmake --preset debug
cmake --build --preset debug
ctest --preset debug

echo "== Windows cross build, tests under Wine (against the release build above)"
cmake --preset windows
cmake --build --preset windows
ctest --preset windows

echo "== fuzzing (${fuzz_seconds}s a target)"
cmake --preset fuzz
cmake --build --preset fuzz
fuzz/run.sh build-fuzz "$fuzz_seconds"
echo "all tests passed"
