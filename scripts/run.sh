#!/usr/bin/env bash
# Builds appgen and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
if [ -x build/appgen ]; then
  exec build/appgen "$@"
fi
# Until the desktop front end lands: a freshly made project, listed.
project=${1:-build/example.TGP}
[ -f "$project" ] || build/appgen-cli new "$project"
exec build/appgen-cli dump "$project"
