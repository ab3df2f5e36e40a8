#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LEXORDA_BUILD_DIR:-$root/build}
bash "$root/scripts/build.sh" "$@"
cd "$build"
ctest --output-on-failure -j"$(nproc)"
