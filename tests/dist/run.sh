#!/usr/bin/env bash
# The package tests (make dist-test), one round trip per package:
#   tests/dist/run.sh DIST_DIR NATIVE_BUILD WIN_BUILD WORK_DIR
# WORK_DIR is scratch space (emptied first). A failed check prints what was
# expected and what came; the last line counts the cases.
set -uo pipefail
[ $# -eq 4 ] || { echo "usage: $0 DIST_DIR NATIVE_BUILD WIN_BUILD WORK_DIR" >&2; exit 64; }
here="$(cd "$(dirname "$0")" && pwd)"
absolute() { mkdir -p "$1" && (cd "$1" && pwd); }
DIST="$(absolute "$1")" NATIVE="$(absolute "$2")" WIN="$(absolute "$3")"
rm -rf "$4"
WORK="$(absolute "$4")"
version="$("$here/../../packaging/version.sh")"
name="tessiva-$version"
passed=0 failed=0

begin_case() { case_name="$1"; case_errors=0; echo "[ RUN      ] $1"; }
fail_check() { echo "    FAILED: $*"; case_errors=$((case_errors + 1)); }
check_equal() {
  [ "$2" = "$3" ] && return
  fail_check "$1"
  diff <(printf '%s\n' "$2") <(printf '%s\n' "$3") | sed -n 's/^</      expected:/p; s/^>/      got:     /p'
}
check_true() { local label="$1"; shift; "$@" || fail_check "$label (failed: $*)"; }
end_case() {
  if [ "$case_errors" -eq 0 ]; then passed=$((passed + 1)); echo "[       OK ] $case_name"
  else failed=$((failed + 1)); echo "[  FAILED  ] $case_name"; fi
}
sorted_lines() { printf '%s\n' "$@" | LC_ALL=C sort; }

source "$here/test-archives.sh"
source "$here/test-installer.sh"
echo "packages: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
