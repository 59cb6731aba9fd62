#!/usr/bin/env bash
# Builds appgen and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "appgen needs a desktop: no DISPLAY or WAYLAND_DISPLAY is set." >&2
  echo "Without one, build/appgen-cli does the same work (appgen-cli --help)." >&2
  exit 1
fi
exec build/appgen "$@"
