# Sourced by each package test script: cases with checks that print what was
# expected and what came instead, and the count of passed and failed cases.
#   begin_case "what the case shows"
#   check_equal LABEL EXPECTED ACTUAL     check_true LABEL COMMAND...
#   end_case
# finish_tests prints the counts, adds them to $RESULTS when set, and sets the
# exit status.

tests_passed=0
tests_failed=0
case_name=""
case_errors=0

begin_case() {
  case_name="$1"
  case_errors=0
  echo "[ RUN      ] $case_name"
}

fail_check() {
  echo "    FAILED: $*"
  case_errors=$((case_errors + 1))
}

check_equal() {
  local label="$1" expected="$2" actual="$3"
  if [ "$expected" != "$actual" ]; then
    fail_check "$label"
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") | sed -n 's/^</      expected:/p; s/^>/      got:     /p'
  fi
}

check_true() {
  local label="$1"
  shift
  "$@" || fail_check "$label (failed: $*)"
}

end_case() {
  if [ "$case_errors" -eq 0 ]; then
    tests_passed=$((tests_passed + 1))
    echo "[       OK ] $case_name"
  else
    tests_failed=$((tests_failed + 1))
    echo "[  FAILED  ] $case_name"
  fi
}

finish_tests() {
  echo "$tests_passed passed, $tests_failed failed"
  [ -n "${RESULTS:-}" ] && echo "$tests_passed $tests_failed" >>"$RESULTS"
  [ "$tests_failed" -eq 0 ]
}
