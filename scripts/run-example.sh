#!/usr/bin/env bash
# Installs what is missing, builds and stages Lexorda, then starts the staged
# host with the plug-in and invokes the Table of Authorities command.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LEXORDA_BUILD_DIR:-$root/build}
bash "$root/scripts/build.sh"
"$build/stage/run-quillon" --list-commands --invoke "Velmor TOA"
