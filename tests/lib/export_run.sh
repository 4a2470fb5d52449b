# shellcheck shell=bash
# Runs partwright-export under Wine as a script would, for the script tests of the batch export.
# Needs wine_run, prefix, bin and scratch set, and scripts/lib/wine.sh sourced (wine_noise).
# export_run NAME ARGUMENTS...: leaves NAME.out, NAME.err (carriage returns and Wine's own
# noise taken out) and NAME.status in the scratch folder; status_of NAME says the status.
export_run() {
    local name=$1 status=0
    shift
    "$wine_run" "$prefix" "$bin/partwright-export.exe" "$@" >"$scratch/$name.raw.out" \
        2>"$scratch/$name.raw.err" || status=$?
    tr -d '\r' <"$scratch/$name.raw.out" >"$scratch/$name.out"
    tr -d '\r' <"$scratch/$name.raw.err" | grep -v -E "$wine_noise" >"$scratch/$name.err"
    echo "$status" >"$scratch/$name.status"
}
status_of() { cat "$scratch/$1.status"; }
