#!/usr/bin/env bash
# The headless run as scripts and CI rely on it: its exit status, its one-line reason for a
# failed load, the files it leaves for inspection, and its progress lines.
#   headless_run.sh WINE_RUN PREFIX PARTWRIGHT_HEADLESS_EXE SAMPLES_DIR SCRATCH_DIR
set -u
wine_run=$1 prefix=$2 exe=$3 samples=$4 scratch=$5
windows_path() { printf 'Z:%s' "$1" | tr '/' '\\'; }
source "$(dirname "$0")/../lib/check.sh"
run() { # run NAME ASSEMBLY: leaves NAME.out, NAME.err (carriage returns dropped), NAME.status
    local name=$1 assembly=$2 status=0
    mkdir -p "$scratch/$name"
    "$wine_run" "$prefix" "$exe" "$(windows_path "$assembly")" "$(windows_path "$scratch/$name")" \
        >"$scratch/$name.raw.out" 2>"$scratch/$name.raw.err" || status=$?
    tr -d '\r' <"$scratch/$name.raw.out" >"$scratch/$name.out"
    tr -d '\r' <"$scratch/$name.raw.err" >"$scratch/$name.err"
    echo "$status" >"$scratch/$name.status"
}

rm -rf "$scratch"
mkdir -p "$scratch"

run missing "$samples/Nowhere.iam"
check "a file that cannot be opened exits 1" [ "$(cat "$scratch/missing.status")" = 1 ]
check "its reason is one line on standard error" grep -qx \
    "The assembly was not loaded: .*Nowhere.iam: Unable to open the specified file." \
    "$scratch/missing.err"
check "window.txt and window.png stay for inspection" \
    test -s "$scratch/missing/window.txt" -a -s "$scratch/missing/window.png"
check "no empty workbook is exported" test ! -e "$scratch/missing/Book1.json"

run part "$samples/Parts/Shaft.ipt"
check "a part given as the assembly exits 1" [ "$(cat "$scratch/part.status")" = 1 ]
check "with the migration message as its reason" grep -q "Nice try, you really should try" \
    "$scratch/part.err"

run gearbox "$samples/Gearbox.iam"
check "the sample exits 0" [ "$(cat "$scratch/gearbox.status")" = 0 ]
check "each status text is printed with its time" grep -qE \
    '^ +[0-9]+\.[0-9] s  Calculating Quantities for BOM$' "$scratch/gearbox.out"
check "up to the export's last" grep -qE '^ +[0-9]+\.[0-9] s  Writing Macro to Excel$' \
    "$scratch/gearbox.out"
check "the workbook is written" test -s "$scratch/gearbox/Book1.json"

if [ "$failed" -ne 0 ]; then
    cat "$scratch"/*.out "$scratch"/*.err
fi
summary "headless run"
