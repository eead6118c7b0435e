#!/usr/bin/env bash
# Runs the end-to-end tests with Wine's heap checking on (WINEDEBUG=warn+heap) and fails when
# Wine reports a heap error in any program of the run: the test programs, the form, the
# stand-in driver and the probe all write to the same output.
#
#   tests/torture/heap_check.sh <build-dir>
set -u

build_dir=$1
e2e='^(DispatchTest|EditRoadTest|FormTest|LogonTest|SingleInstanceTest)$'
log=$(mktemp)
trap 'rm -f "$log"' EXIT

WINEDEBUG=warn+heap ctest --test-dir "$build_dir" -R "$e2e" -V --timeout 300 >"$log" 2>&1
rc=$?
tests=$(grep -oE 'tests failed out of [0-9]+' "$log" | grep -oE '[0-9]+$')
errors=$(grep -E '(err|warn):heap' "$log")
count=$(printf '%s' "$errors" | grep -c .)
echo "[figure] heap check: $tests end-to-end tests under WINEDEBUG=warn+heap, $count heap reports"
if [ "$count" -ne 0 ]; then
    printf '%s\n' "$errors" | sort | uniq -c | sort -rn | head -20
    exit 1
fi
[ "$rc" -eq 0 ] || { grep -E 'Failed|Failure' "$log" | head -20; echo "heap check: the tests failed"; }
exit "$rc"
