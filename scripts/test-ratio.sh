#!/usr/bin/env bash
# Prints the tests' share of all C++ in the repository, per module and in total.
# A line counts when it is not blank and not only a // comment. Tests are the
# files under tests/ and bench/; tests/<module>* (quillon_doc, quillon_native,
# ...) count against <module>; e2e, fuzz and bench test the whole system and
# count only in the total.
set -eu
cd "$(dirname "$0")/.."

count() { # count FILE... -> non-blank, non-comment lines
  xargs -r cat 2>/dev/null | grep -c -v -E '^\s*(//.*)?$' || true
}
cxx() { git ls-files -co --exclude-standard -- "$@" | grep -E '\.(cpp|cc|h|hpp|inc)$' || true; }

printf '%-12s %8s %8s %7s\n' module product tests share
total_p=0
for dir in $(cxx . | grep -v -E '^(tests|bench)/' | cut -d/ -f1 | grep -v '\.' | sort -u); do
  p=$(cxx "$dir" | count)
  t=$(cxx tests | grep -E "^tests/${dir}(_[a-z]+)?/" | count)
  total_p=$((total_p + p))
  share=$(( p + t > 0 ? 100 * t / (p + t) : 0 ))
  printf '%-12s %8d %8d %6d%%\n' "$dir" "$p" "$t" "$share"
done
for dir in e2e fuzz; do
  printf '%-12s %8s %8d\n' "$dir" - "$(cxx tests/$dir | count)"
done
printf '%-12s %8s %8d\n' bench - "$(cxx bench | count)"
all_t=$(cxx tests bench | count)
printf '%-12s %8d %8d %6d%%\n' total "$total_p" "$all_t" $(( 100 * all_t / (total_p + all_t) ))
