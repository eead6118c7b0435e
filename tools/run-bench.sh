#!/usr/bin/env bash
# Runs every benchmark program under Wine (inside tools/wine-session.sh), printing each one's
# details as it goes, then the one table of every measure against its floor that the programs
# reported as "@row|..." lines (bench/bench_table.h), with the machine it was measured on.
set -u
bin="$1/bin"
status=0
rows=()
for bench in "$bin"/*_bench.exe; do
    [ -e "$bench" ] || continue
    echo "== $(basename "$bench" .exe)"
    output=$(wine "$bench") || status=1
    while IFS= read -r line; do
        if [[ $line == @row\|* ]]; then rows+=("${line#@row|}"); else echo "$line"; fi
    done <<<"$output"
    echo
done

# A run of a benchmark again under other conditions: its rows join the table with the
# conditions after each measure's name, but for the executable's size and DLLs, which do not
# change; its other lines are printed.
add_rows() {
    local line row measure
    while IFS= read -r line; do
        if [[ $line == @row\|* ]]; then
            row=${line#@row|}
            measure=${row%%|*}
            [[ $measure == "executable size" || $measure == DLLs* ]] && continue
            rows+=("$measure$1|${row#*|}")
        else
            echo "$line"
        fi
    done
}

# The tray benchmark once more at 150 % display scale, as most laptops run: the prefix's
# LogPixels gives every program started meanwhile 144 DPI, and is taken away again even when
# the run fails. Its start-up and idle rows join the table; size and DLLs do not change.
desktop='HKCU\Control Panel\Desktop'
if [ -e "$bin/tray_bench.exe" ]; then
    echo "== tray_bench at 150 % (144 DPI)"
    trap 'wine reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1' EXIT
    wine reg add "$desktop" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
    output=$(wine "$bin/tray_bench.exe") || status=1
    wine reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1
    trap - EXIT
    add_rows " at 150 %" <<<"$output"
    echo
fi

# The tray and launch benchmarks once more with 100 entries, the driver's S2 to S5 and the
# user's own S6 to S101: start-up, the idle cost and a press must not grow with the list. Their
# rows join the table; size and DLLs do not change.
for bench in tray_bench launch_bench; do
    [ -e "$bin/$bench.exe" ] || continue
    echo "== $bench with 100 entries"
    output=$(wine "$bin/$bench.exe" --entries 100) || status=1
    add_rows ", 100 entries" <<<"$output"
    echo
done

read -r load1 load5 load15 _ </proc/loadavg
cpu=$(grep -m1 '^model name' /proc/cpuinfo)
echo "== performance, $(date '+%Y-%m-%d %H:%M'), $(nproc) cores, ${cpu#*: }, $(wine --version)"
echo "   load average $load1 $load5 $load15 at the end (others' builds share the cores)"
format='%-54s %16s %12s %16s %12s %6s %6s %6s  %s\n'
# shellcheck disable=SC2059 # the format is ours
printf "$format" "measure" "ours median" "ours p95" "floor median" "floor p95" "ratio" "p95" \
    "paired" "target (ratio)"
for row in "${rows[@]}"; do
    IFS='|' read -r measure median p95 floorMedian floorP95 ratio ratioP95 paired target <<<"$row"
    # shellcheck disable=SC2059
    printf "$format" "$measure" "$median" "$p95" "$floorMedian" "$floorP95" "$ratio" "$ratioP95" \
        "$paired" "$target"
done
echo "   ratio: median over median; p95: p95 over p95; paired: the median of each round's ratio"
echo "   where ours and the floor took turns (a stretch of slow process starts cancels out there)"
exit $status
