#!/usr/bin/env bash
# Times partwright-export without and with --pictures, the two runs of each pair one after the
# other so that the machine's drift falls on both (scripts/bench --batch-pictures).
#   pictures_timing.sh WINE_RUN PREFIX EXPORTER RUNS OUT ASSEMBLY...
# For each assembly: the medians of the time the program reports and of the whole process, the
# ratio of the medians, and the workbook's size, without and with pictures. BARE_READER names
# bench/BareRead.cpp's program: the assembly's parts are then also read bare, with and without
# asking Apprentice for their thumbnails, the floor of what the pictures cost.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib/wine.sh"
wine_run=$1 prefix=$2 exporter=$3 runs=$4 out=$5
shift 5
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
printf '%-12s %-10s %12s %12s %14s\n' occurrences pictures 'program (s)' 'process (s)' 'xlsx (bytes)'
for assembly in "$@"; do
    name=$(basename "$assembly" .iam)
    declare -A program=() process=()
    for _ in $(seq "$runs"); do
        for kind in without with; do
            options=()
            [ "$kind" = without ] || options=(--pictures)
            mkdir -p "$out/$kind"
            # Into a file, not a pipe: a helper Wine starts may hold a pipe open after the
            # program has ended.
            start=$(date +%s.%N)
            "$wine_run" "$prefix" "$exporter" --force "${options[@]}" \
                --out "$(windows_path "$out/$kind")" "$(windows_path "$assembly")" \
                >"$out/run.log" 2>&1 || true
            end=$(date +%s.%N)
            line=$(grep ' occurrences, ' "$out/run.log" || true)
            [ -n "$line" ] || { echo "no result for $assembly" >&2; exit 1; }
            occurrences=$(sed -E 's/^[^:]*: ([0-9]+) occurrences.*/\1/' <<<"$line")
            program[$kind]+="$(sed -E 's/.* ([0-9.]+) s -> .*/\1/' <<<"$line") "
            process[$kind]+="$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }') "
        done
    done
    for kind in without with; do
        printf '%-12s %-10s %12s %12.2f %14s\n' "$occurrences" "$kind" \
            "$(tr ' ' '\n' <<<"${program[$kind]}" | grep . | median)" \
            "$(tr ' ' '\n' <<<"${process[$kind]}" | grep . | median)" \
            "$(stat -c %s "$out/$kind/$name.xlsx")"
    done
    without=$(tr ' ' '\n' <<<"${process[without]}" | grep . | median)
    with=$(tr ' ' '\n' <<<"${process[with]}" | grep . | median)
    awk -v a="$without" -v b="$with" 'BEGIN { printf "  with pictures / without, process: %.2f\n", b / a }'
    if [ -n "${BARE_READER:-}" ]; then
        folder=$(windows_path "$(dirname "$assembly")")
        bare() {
            for _ in $(seq "$runs"); do
                "$wine_run" "$prefix" "$BARE_READER" "$folder" "$@" | sed -E 's/.* in ([0-9.]+) s.*/\1/'
            done | median
        }
        rows=$(bare)
        thumbnails=$(bare --thumbnails)
        echo "  bare read of the parts: $rows s; with their thumbnails asked for: $thumbnails s"
    fi
done
