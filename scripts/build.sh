#!/usr/bin/env bash
# Configures and builds the project into build/ (or $LEXORDA_BUILD_DIR), which
# also lays out the staged installation in build/stage. Extra arguments go to
# the CMake configure step, e.g. -DLEXORDA_SANITIZE=ON.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LEXORDA_BUILD_DIR:-$root/build}
bash "$root/scripts/deps.sh"
cmake -S "$root" -B "$build" "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
