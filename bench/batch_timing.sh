#!/usr/bin/env bash
# Times partwright-export on generated assemblies, inside one Wine session (scripts/bench --batch).
#   batch_timing.sh WINE_RUN PREFIX EXPORTER RUNS OUT ASSEMBLY...
# For each assembly: the median of RUNS runs of the time the program reports for the assembly
# (load, workbook, file) and of the whole process, started as a script would start it, and the
# automation calls the stand-in Apprentice was asked per occurrence (the same in every run).
# EXPORT_OPTIONS adds options to every run (for example "--layout parent-child"). BARE_READER
# names bench/BareRead.cpp's program: each assembly's folder is then also read bare, as its floor.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib/wine.sh"
wine_run=$1 prefix=$2 exporter=$3 runs=$4 out=$5
shift 5
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
mkdir -p "$out"
calls_file=$out/apprentice-calls.txt
export PARTWRIGHT_APPRENTICE_CALLS_FILE
PARTWRIGHT_APPRENTICE_CALLS_FILE=$(windows_path "$calls_file")
printf '%-12s %12s %14s %14s %12s %14s\n' occurrences 'program (s)' 'process (s)' \
    'xlsx (bytes)' 'calls/occ.' 'bare read (s)'
for assembly in "$@"; do
    program=() process=()
    for _ in $(seq "$runs"); do
        # Into a file, not a pipe: a helper Wine starts may hold a pipe open after the program
        # has ended, and the wait for it is no part of the program's time.
        rm -f "$calls_file"
        start=$(date +%s.%N)
        # shellcheck disable=SC2086 # the options are words
        "$wine_run" "$prefix" "$exporter" --force ${EXPORT_OPTIONS:-} --out "$(windows_path "$out")" \
            "$(windows_path "$assembly")" >"$out/run.log" 2>&1 || true
        end=$(date +%s.%N)
        line=$(grep ' occurrences, ' "$out/run.log" || true)
        [ -n "$line" ] || { echo "no result for $assembly" >&2; exit 1; }
        occurrences=$(sed -E 's/^[^:]*: ([0-9]+) occurrences.*/\1/' <<<"$line")
        program+=("$(sed -E 's/.* ([0-9.]+) s -> .*/\1/' <<<"$line")")
        process+=("$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')")
    done
    name=$(basename "$assembly" .iam)
    bare=-
    if [ -n "${BARE_READER:-}" ]; then
        bare=$(for _ in $(seq "$runs"); do
            "$wine_run" "$prefix" "$BARE_READER" "$(windows_path "$(dirname "$assembly")")" |
                sed -E 's/.* in ([0-9.]+) s.*/\1/'
        done | median)
    fi
    calls=$(awk -v n="$occurrences" '{ printf "%.2f", $1 / n }' "$calls_file" 2>/dev/null || echo -)
    printf '%-12s %12s %14.2f %14s %12s %14s\n' "$occurrences" \
        "$(printf '%s\n' "${program[@]}" | median)" "$(printf '%s\n' "${process[@]}" | median)" \
        "$(stat -c %s "$out/$name.xlsx")" "$calls" "$bare"
done
