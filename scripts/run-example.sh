#!/usr/bin/env bash
# Installs what is missing, builds and stages Lexorda, then opens the bundled
# example brief in the staged host, puts the insertion point before its
# TABLE OF AUTHORITIES heading, invokes the Table of Authorities command,
# saves the result as build/example/appellate-brief.qdoc and prints the brief
# as paged text.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LEXORDA_BUILD_DIR:-$root/build}
bash "$root/scripts/build.sh"
out="$build/example"
mkdir -p "$out"
status=0
"$build/stage/run-quillon" "$root/examples/appellate-brief.md" \
  --before "TABLE OF AUTHORITIES" \
  --invoke "Velmor TOA" \
  --press "Create Table at Cursor" \
  --answer ok \
  --save "$out/appellate-brief.qdoc" \
  --export-text - || status=$?
# Exit code 8: a press found no dialog. Everything else still ran, so only
# that one is let through.
if [ "$status" -eq 8 ]; then
  echo "note: the plug-in's dialog comes with the user interface; until then the press has nothing to press." >&2
elif [ "$status" -ne 0 ]; then
  exit "$status"
fi
