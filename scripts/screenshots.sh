#!/usr/bin/env bash
# Builds what is missing, then shows each of the plug-in's dialogs (the main
# dialog on the staged database, the About box, the input dialog, the text
# viewer, the three pages of the option set editor and its font list dropped
# down, both pages of the dictionary editor) in a real X window under Xvfb
# and saves PNGs in build/screenshots/; then the quillon window with the
# example brief's table in view.
# With --guide it then refreshes the user guide's pictures: each PNG under
# data/user-guide/images/ is replaced by the new screenshot of the same name
# (commit them after a look; the guide is set from them at build time).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LEXORDA_BUILD_DIR:-$root/build}
guide=false
case "${1:-}" in
  "") ;;
  --guide) guide=true ;;
  *) echo "usage: $0 [--guide]" >&2; exit 1 ;;
esac
if [ ! -f "$build/CMakeCache.txt" ]; then
  bash "$root/scripts/deps.sh"
  cmake -S "$root" -B "$build" >/dev/null
fi
# shipped_db lays out tabauth3.db and Legal.txt in the installation folder.
cmake --build "$build" -j2 --target dialog_screenshots shipped_db
rm -rf "$build/screenshots"
# A real X server, so that the windows are mapped and painted as a desktop
# shows them (not the offscreen platform the tests use).
unset QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$build/tools/dialog_screenshots/dialog_screenshots" "$build/screenshots" "$build/stage/Lexorda/"
# The window test builds the table from the Tools menu and saves the shot.
cmake --build "$build" -j2 --target quillon_window_test
xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$build/tests/hostfolder/quillon_window_test" --gtest_filter='DesktopWindow.*' >/dev/null
if $guide; then
  for picture in "$root"/data/user-guide/images/*.png; do
    cp "$build/screenshots/$(basename "$picture")" "$picture"
  done
  echo "refreshed the pictures in data/user-guide/images/"
fi
