#!/usr/bin/env bash
# Runs every benchmark program under Wine (inside tools/wine-session.sh) and prints figures.
set -u
bin="$1/bin"
status=0
for bench in "$bin"/*_bench.exe; do
    [ -e "$bench" ] || continue
    echo "== $(basename "$bench" .exe)"
    wine "$bench" || status=1
    echo
done
exit $status
