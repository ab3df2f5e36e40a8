#!/usr/bin/env bash
# Builds the project with --coverage into build-coverage/ (or
# $LEXORDA_COVERAGE_DIR), runs the whole suite, and prints line and branch
# coverage of product code (everything but tests/ and bench/) per module and
# in total. Branches that only throw, and those the compiler proves
# unreachable, are left out so that the figures follow the code we wrote.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${LEXORDA_COVERAGE_DIR:-$root/build-coverage}
bash "$root/scripts/deps.sh"
command -v gcovr >/dev/null || {
  echo "error: gcovr is missing (Debian package gcovr)" >&2; exit 1; }
# ccache would hand gcov object files whose source paths are relative to
# another folder; coverage builds compile everything themselves.
export CCACHE_DISABLE=1
# Always from scratch: the notes of objects whose sources were since removed
# or moved would otherwise be merged with the new ones and stop gcovr.
rm -rf "$build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DLEXORDA_BENCHMARKS=OFF \
  -DCMAKE_C_FLAGS=--coverage -DCMAKE_CXX_FLAGS=--coverage \
  -DCMAKE_EXE_LINKER_FLAGS=--coverage -DCMAKE_SHARED_LINKER_FLAGS=--coverage >/dev/null
cmake --build "$build" -j"$(nproc)"
find "$build" -name '*.gcda' -delete
# Instrumented Debug code runs several times slower: give each test room.
status=0
(cd "$build" && ctest -j"$(nproc)" --timeout 1200 >"$build/ctest.log" 2>&1) || status=$?
[ "$status" -eq 0 ] || { tail -20 "$build/ctest.log"; echo "warning: tests failed under coverage; figures below are partial" >&2; }
gcovr --root "$root" --object-directory "$build" \
  --exclude "$root/tests/" --exclude "$root/bench/" --exclude "$build/" \
  --exclude-throw-branches --exclude-unreachable-branches \
  --json-summary "$build/summary.json" --print-summary >/dev/null
python3 - "$build/summary.json" <<'PY'
import json, sys
files = json.load(open(sys.argv[1]))["files"]
mods = {}
for f in files:
    m = mods.setdefault(f["filename"].split("/")[0], [0, 0, 0, 0])
    m[0] += f["line_covered"]; m[1] += f["line_total"]
    m[2] += f["branch_covered"]; m[3] += f["branch_total"]
pct = lambda a, b: f"{100.0 * a / b:5.1f}%" if b else "    -"
print(f"{'module':12} {'lines':>16} {'branches':>16}")
total = [0, 0, 0, 0]
for name, m in sorted(mods.items()):
    total = [t + v for t, v in zip(total, m)]
    print(f"{name:12} {pct(m[0], m[1])} of {m[1]:6d} {pct(m[2], m[3])} of {m[3]:6d}")
print(f"{'total':12} {pct(total[0], total[1])} of {total[1]:6d} {pct(total[2], total[3])} of {total[3]:6d}")
PY
exit "$status"
