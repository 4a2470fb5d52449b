#!/usr/bin/env bash
# The headless run as scripts and CI rely on it: its exit status, its one-line reason for a
# failed load, the files it leaves for inspection, and its progress lines.
#   headless_run.sh WINE_RUN PREFIX PARTWRIGHT_HEADLESS_EXE SAMPLES_DIR SCRATCH_DIR
set -uo pipefail
wine_run=$1 prefix=$2 exe=$3 samples=$4 scratch=$5
source "$(dirname "$0")/../lib/check.sh"
source "$(dirname "$0")/../../scripts/lib/wine.sh"
run() { # run NAME ASSEMBLY [OPTION...]: leaves NAME.out, NAME.err (no carriage returns), NAME.status
    local name=$1 assembly=$2 status=0
    mkdir -p "$scratch/$name"
    "$wine_run" "$prefix" "$exe" "$(windows_path "$assembly")" "$(windows_path "$scratch/$name")" \
        "${@:3}" >"$scratch/$name.raw.out" 2>"$scratch/$name.raw.err" || status=$?
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

run later "$samples/Later Release/Press.iam"
check "a file of a later release exits 1" [ "$(cat "$scratch/later.status")" = 1 ]
check "naming the release that saved it and what to do, in one line" grep -qx \
    "The assembly was not loaded: .*Press.iam: Unable to open the specified file. It was saved by Inventor 2027, .*install Inventor View 2027 .*" \
    "$scratch/later.err"

# The frame's side was saved with its mass out of date: the status line says so after the load.
run frame "$samples/Frame/Frame.iam"
check "the frame sample exits 0" [ "$(cat "$scratch/frame.status")" = 0 ]
check "saying which masses are out of date" grep -qE \
    '^ +[0-9]+\.[0-9] s  1 part has no up-to-date mass; open and save it in Inventor to update it$' \
    "$scratch/frame.out"

run gearbox "$samples/Gearbox.iam"
check "the sample exits 0" [ "$(cat "$scratch/gearbox.status")" = 0 ]
check "each status text is printed with its time" grep -qE \
    '^ +[0-9]+\.[0-9] s  Calculating Quantities for BOM$' "$scratch/gearbox.out"
check "up to the export's last" grep -qE '^ +[0-9]+\.[0-9] s  Writing Macro to Excel$' \
    "$scratch/gearbox.out"
check "the workbook is written" test -s "$scratch/gearbox/Book1.json"
check "the missing-files message names the project the files were looked for through" grep -qF \
    "The active project is \"Default\", Inventor's default project, which has no file." \
    "$scratch/gearbox/window.txt"

# Excel's Trust Center setting, as a user who never ticked it has it.
vbom() {
    (wine_environment "$prefix" && wine reg add \
        'HKCU\Software\Microsoft\Office\16.0\Excel\Security' /v AccessVBOM /t REG_DWORD \
        /d "$1" /f >/dev/null 2>&1)
}
vbom 0
run untrusted "$samples/Gearbox.iam" --builder
vbom 1
check "with VBA project access off the run exits 1" [ "$(cat "$scratch/untrusted.status")" = 1 ]
check "and names the failed step" grep -q \
    "The export was incomplete: 1 step failed, the first: Programmatic access to Visual Basic Project is not trusted" \
    "$scratch/untrusted.err"
check "the user is told what to tick" grep -q "Trust access to the VBA project object model" \
    "$scratch/untrusted/window.txt"
check "the sheets are written without the macro module" python3 - "$scratch/untrusted/Book1.json" <<'PY'
import json, sys
book = json.load(open(sys.argv[1], encoding="utf-8"))
names = [sheet["name"] for sheet in book["sheets"]]
assert names[:3] == ["Summary-Totals", "Summary BOM", "Indented BOM"], names
assert all(module["name"] != "Partwright" for module in book["modules"])
PY

# The user opens a workbook of their own at Excel's 40th call, in the middle of the sheets.
run builder "$samples/Gearbox.iam" --builder
PARTWRIGHT_EXCEL_USER_AT_CALL=40 run clicked "$samples/Gearbox.iam" --builder
check "a user's workbook opened mid-export does not disturb it" \
    [ "$(cat "$scratch/clicked.status")" = 0 ]
check "the export's workbook is as without the user" cmp -s "$scratch/builder/Book1.json" \
    "$scratch/clicked/Book1.json"
check "and the user's workbook is left as they opened it" python3 - \
    "$scratch/clicked/User Book.json" <<'PY'
import json, sys
book = json.load(open(sys.argv[1], encoding="utf-8"))
assert [sheet["name"] for sheet in book["sheets"]] == ["Sheet1", "Sheet2", "Sheet3"]
assert all(not sheet["cells"] and not sheet["shapes"] and "frozenAt" not in sheet
           for sheet in book["sheets"])
assert [module["name"] for module in book["modules"]] == ["ThisWorkbook", "Sheet1", "Sheet2",
                                                         "Sheet3"]
PY

# An Excel whose user edits a cell now and then: it turns calls away for 300 ms at every 50th.
all=(--indented --builder --hyperlinks)
run everything "$samples/Gearbox.iam" "${all[@]}"
PARTWRIGHT_EXCEL_BUSY=50,300 run busy "$samples/Gearbox.iam" "${all[@]}"
check "an Excel busy now and then still gives a whole export" [ "$(cat "$scratch/busy.status")" = 0 ]
check "the same workbook as an Excel never busy" cmp -s "$scratch/everything/Book1.json" \
    "$scratch/busy/Book1.json"
check "and the wait is shown" grep -q "Excel is busy" "$scratch/busy.out"
# And one that stays busy: the export ends within the time it waits, and says so.
started=$SECONDS
PARTWRIGHT_EXCEL_BUSY=60,forever run stuck "$samples/Gearbox.iam" "${all[@]}"
check "an Excel that stays busy ends the run with 1" [ "$(cat "$scratch/stuck.status")" = 1 ]
check "within the time the export waits for it" [ $((SECONDS - started)) -lt 60 ]
check "with the reason" grep -q "The export was incomplete: Excel stayed busy" "$scratch/stuck.err"
# Excel busy from its first call, or its second, for a moment, as an Excel still starting: the
# export waits, gives the same workbook and ends on its own status; one busy for good from its
# first call is given up within the wait, and no Excel is left running in any case.
no_excel_left() { ! pgrep -x excel_standin.e >/dev/null; } # the process name, cut to 15
for at in 1 2; do
    PARTWRIGHT_EXCEL_BUSY="@$at,300" run "busy-at-$at" "$samples/Gearbox.iam" "${all[@]}"
    check "Excel busy at call $at is waited for" [ "$(cat "$scratch/busy-at-$at.status")" = 0 ]
    check "and gives the same workbook" cmp -s "$scratch/everything/Book1.json" \
        "$scratch/busy-at-$at/Book1.json"
    check "the last status is the export's own" grep -qE '^ +[0-9]+\.[0-9] s  Writing Macro to Excel$' \
        <(tail -n 1 "$scratch/busy-at-$at.out")
done
started=$SECONDS
PARTWRIGHT_EXCEL_BUSY=1,forever run busy-from-start "$samples/Gearbox.iam" "${all[@]}"
check "an Excel busy from its first call ends the run with 1" \
    [ "$(cat "$scratch/busy-from-start.status")" = 1 ]
check "within the time the export waits for it" [ $((SECONDS - started)) -lt 60 ]
check "saying that nothing was exported" grep -q \
    "Excel stayed busy for 20 s .*; the export was stopped and nothing was exported." \
    "$scratch/busy-from-start.out"
sleep 2
check "no Excel is left running" no_excel_left

# A Windows user for whom Apprentice is not registered: a prefix of its own, where nothing is.
status=0
"$wine_run" "$scratch/unregistered-prefix" "$exe" "$(windows_path "$samples/Gearbox.iam")" \
    "$(windows_path "$scratch/unregistered")" >/dev/null 2>"$scratch/unregistered.raw.err" ||
    status=$?
tr -d '\r' <"$scratch/unregistered.raw.err" >"$scratch/unregistered.err"
check "without a registered Apprentice the run exits 1" [ "$status" = 1 ]
check "saying so after the window's words, with what to run" grep -q \
    "cannot start the Inventor Apprentice Server.  *Apprentice is not registered for this Windows user.*ApprenticeRegSvr.exe /install" \
    "$scratch/unregistered.err"

if [ "$failed" -ne 0 ]; then
    cat "$scratch"/*.out "$scratch"/*.err
fi
summary "headless run"
