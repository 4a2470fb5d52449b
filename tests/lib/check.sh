# shellcheck shell=bash
# The script tests' one checking step: check WHAT COMMAND... counts the command's success as a
# passed check and its failure as a failed one, saying which; summary NAME prints the closing
# line and fails when any check failed.
passed=0
failed=0
check() {
    local what=$1
    shift
    if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $what"; fi
}
summary() {
    echo "$1: $passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}
