#!/usr/bin/env bash
# Installs what is missing, builds and stages Lexorda, then opens the bundled
# example brief in the staged host, puts the insertion point on its empty
# table page, invokes the Table of Authorities command and presses Create
# Table at Cursor (with --to-file: Create Table to File). The brief is saved
# first, as build/example/appellate-brief.qdoc; the result is printed as paged
# text (to a file: the new document, also saved as appellate-brief-table.qdoc).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LEXORDA_BUILD_DIR:-$root/build}
mode=${1:-}
case "$mode" in
  "") press="Create Table at Cursor"; extra=(--after-paragraph 25) ;;
  --to-file) press="Create Table to File"; extra=(--save "$build/example/appellate-brief-table.qdoc") ;;
  *) echo "usage: $0 [--to-file]" >&2; exit 1 ;;
esac
bash "$root/scripts/build.sh"
out="$build/example"
mkdir -p "$out"
"$build/stage/run-quillon" "$root/examples/appellate-brief.md" \
  --invoke "Velmor TOA" \
  --press "$press" \
  --answer yes \
  --name "$out/appellate-brief.qdoc" \
  "${extra[@]}" \
  --export-text -
