#!/usr/bin/env bash
# Installs what is missing, builds and stages Lexorda, then opens the bundled
# example brief in the staged host, puts the insertion point on its empty
# table page, invokes the Table of Authorities command and presses Create
# Table at Cursor (with --to-file: Create Table to File). The brief is saved
# first, as build/example/appellate-brief.qdoc; the result is printed as paged
# text (to a file: the new document, also saved as appellate-brief-table.qdoc)
# and written as a PDF of letter pages, build/example/appellate-brief.pdf
# (appellate-brief-table.pdf, appellate-brief-house.pdf for the other modes).
# With --house-style the option set is edited first (Edit, the Formatting
# page: hyperlinked page numbers, at most 3 page references before "passim"),
# in a copy of the installation under build/example/house/, so that the
# staged database keeps its shipped option set. With --appellate the shipped
# "Appellate Brief" set is chosen instead (in such a copy too, since the
# dialog stores the choice): cases, constitutional provisions, statutes,
# rules, regulations and other authorities each under a heading.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LEXORDA_BUILD_DIR:-$root/build}
mode=${1:-}
edit=()
case "$mode" in
  "") press="Create Table at Cursor"; extra=(--after-paragraph 25); pdf=appellate-brief.pdf ;;
  --to-file)
    press="Create Table to File"; extra=(--save "$build/example/appellate-brief-table.qdoc")
    pdf=appellate-brief-table.pdf ;;
  --house-style)
    press="Create Table at Cursor"; extra=(--after-paragraph 25); pdf=appellate-brief-house.pdf
    edit=(--press Edit --tab Formatting --check "Hyperlink page numbers" --spin "Max page references=3" --press OK) ;;
  --appellate)
    press="Create Table at Cursor"; extra=(--after-paragraph 25); pdf=appellate-brief-appellate.pdf
    edit=(--select "Appellate Brief") ;;
  *) echo "usage: $0 [--to-file | --house-style | --appellate]" >&2; exit 1 ;;
esac
bash "$root/scripts/build.sh"
out="$build/example"
mkdir -p "$out"
if [ ${#edit[@]} -gt 0 ]; then
  house="$out/house"
  rm -rf "$house"
  mkdir -p "$house"
  cp -r "$build/stage/Lexorda" "$house/"
  cp "$build/stage/registry.reg" "$house/registry.reg"
  export QUILLON_REGISTRY="$house/registry.reg"
  "$build/stage/Quillon/qreg" add 'HKLM\Software\Velmor\Lexorda\1.0' /v installPath /d "$house/Lexorda/" >/dev/null
fi
"$build/stage/run-quillon" "$root/examples/appellate-brief.md" \
  --invoke "Velmor TOA" \
  "${edit[@]}" \
  --press "$press" \
  --answer yes \
  --name "$out/appellate-brief.qdoc" \
  "${extra[@]}" \
  --export-pdf "$out/$pdf" \
  --export-text -
echo "PDF: $out/$pdf" >&2
