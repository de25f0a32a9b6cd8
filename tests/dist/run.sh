#!/usr/bin/env bash
# The package tests (make dist-test):
#   tests/dist/run.sh DIST_DIR NATIVE_BUILD WIN_BUILD WORK_DIR
# DIST_DIR holds what make dist made; WORK_DIR is scratch space (emptied first).
# Each script prints its cases; the last line counts them all.
set -uo pipefail

if [ $# -ne 4 ]; then
  echo "usage: $0 DIST_DIR NATIVE_BUILD WIN_BUILD WORK_DIR" >&2
  exit 64
fi
here="$(cd "$(dirname "$0")" && pwd)"
absolute() { mkdir -p "$1" && (cd "$1" && pwd); }
DIST="$(absolute "$1")"
NATIVE="$(absolute "$2")"
WIN="$(absolute "$3")"
rm -rf "$4"
WORK="$(absolute "$4")"
RESULTS="$WORK/results"
: >"$RESULTS"
export DIST NATIVE WIN WORK RESULTS

status=0
for script in test-archives.sh test-launcher.sh test-installer.sh; do
  echo "== $script"
  "$here/$script" || status=1
done

read -r passed failed < <(awk '{ p += $1; f += $2 } END { print p + 0, f + 0 }' "$RESULTS")
echo "packages: $passed passed, $failed failed"
[ "$status" -eq 0 ] && [ "$failed" -eq 0 ]
