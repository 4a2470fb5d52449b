#!/usr/bin/env bash
# partwright-export as scripts rely on it: exit statuses, progress lines, files never overwritten
# unasked and never left half-written, and workbooks and CSV files that readers outside the
# project read as Excel's export of the same assembly.
#   batch_export.sh WINE_RUN PREFIX BIN_DIR SAMPLES_DIR GOLDEN_DIR SCRATCH_DIR
set -uo pipefail
wine_run=$1 prefix=$2 bin=$3 samples=$4 golden=$5 scratch=$6
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../lib/check.sh"
source "$here/../../scripts/lib/wine.sh"
python=/usr/bin/python3 # Debian's own, which python3-openpyxl serves
samples_windows=$(windows_path "$samples")

source "$here/../lib/export_run.sh"
no_partial_files() { [ -z "$(find "$1" -name '*.partial')" ]; }

rm -rf "$scratch"
mkdir -p "$scratch"
gearbox="$samples_windows\\Gearbox.iam"

# Usage.
export_run none
check "no assembly is a usage error, status 2" [ "$(status_of none)" = 2 ]
check "which says what is wrong" grep -qx "partwright-export: no assembly given" "$scratch/none.err"
export_run format --format pdf "$gearbox"
check "an unknown format is a usage error" [ "$(status_of format)" = 2 ]
export_run help --help
check "--help succeeds" [ "$(status_of help)" = 0 ]
check "and says the workbook has no macros" grep -q "no buttons, row check boxes or macros" \
    "$scratch/help.out"

printf 'a file' >"$scratch/a-file"
export_run out-file --out "$(windows_path "$scratch/a-file")" "$gearbox"
check "an --out folder that cannot be made is a usage error" [ "$(status_of out-file)" = 2 ]
check "which names it" grep -q "the folder .*a-file cannot be made" "$scratch/out-file.err"

# A pattern, as the command prompt passes it on unexpanded.
export_run pattern --out "$(windows_path "$scratch/pattern")" "$samples_windows\\Gear*.iam"
check "a pattern is expanded to the assemblies it matches" test -s "$scratch/pattern/Gearbox.xlsx"

# A good assembly, with a missing component.
out="$scratch/good"
export_run good --hyperlinks --out "$(windows_path "$out")" "$gearbox"
check "the sample exits 0: a missing component is reported, not failed" [ "$(status_of good)" = 0 ]
check "its line names occurrences, unique files, missing and seconds" grep -qxE \
    'Gearbox.iam: 17 occurrences, 7 unique files, 1 missing, [0-9]+\.[0-9] s -> Z:.*\\good\\Gearbox.xlsx' \
    "$scratch/good.err"
check "each missing component is named" grep -qx "  missing: Gasket:1 in Gearbox.iam" \
    "$scratch/good.err"
check "a summary line ends it" grep -qxE \
    '1 of 1 assembly written; 0 not loaded, 0 not written; 1 missing component; [0-9.]+ s' \
    "$scratch/good.err"
check "the workbook is there" test -s "$out/Gearbox.xlsx"
check "and nothing else" [ "$(ls "$out")" = "Gearbox.xlsx" ]

export_run strict --strict --out "$(windows_path "$scratch/strict")" "$gearbox"
check "--strict fails on missing components" [ "$(status_of strict)" = 1 ]
check "and still writes the workbook" test -s "$scratch/strict/Gearbox.xlsx"

# What cannot be loaded fails the run; the others are still written.
export_run mixed --out "$(windows_path "$scratch/mixed")" "$samples_windows\\Nowhere.iam" \
    "$samples_windows\\Parts\\Shaft.ipt" "$gearbox"
check "a missing file or a part given as the assembly exits 1" [ "$(status_of mixed)" = 1 ]
check "the missing file's reason" grep -qE \
    '^Nowhere.iam: not loaded: Unable to open the specified file. \(' "$scratch/mixed.err"
check "the part's reason" grep -qE '^Shaft.ipt: not loaded: a part, not an assembly' "$scratch/mixed.err"
export_run later --out "$(windows_path "$scratch/later")" "$samples_windows\\Later Release\\Press.iam"
check "a file of a later release exits 1" [ "$(status_of later)" = 1 ]
check "its line names the release and what to do" grep -qE \
    '^Press.iam: not loaded: Unable to open the specified file. It was saved by Inventor 2027, .*Inventor View 2027' \
    "$scratch/later.err"
check "the good one is written all the same" test -s "$scratch/mixed/Gearbox.xlsx"
check "and only it" [ "$(ls "$scratch/mixed")" = "Gearbox.xlsx" ]

# The frame as a planner imports it: one row per parent and component, quantities in their units.
export_run frame --layout parent-child --bom-rules --format csv \
    --out "$(windows_path "$scratch/frame")" "$samples_windows\\Frame\\Frame.iam"
check "the frame is written" [ "$(status_of frame)" = 0 ]
check "its parent-child CSV reads as a table with a total per line in its unit" python3 -c '
import csv, sys
rows = list(csv.DictReader(open(sys.argv[1], encoding="utf-8-sig", newline="")))
tubes = [r for r in rows if r["Component Partnumber"] == "FR-101"]
assert len(rows) == 8 and tubes[0]["Total QTY"] == "5000" and tubes[0]["Unit"] == "mm", rows
' "$scratch/frame/Frame - Parent-Child.csv"
check "its line says the mass out of date" grep -qx \
    '  1 part has no up-to-date mass; open and save it in Inventor to update it' "$scratch/frame.err"

# An Inventor project: the rack's library and workspace parts are found through it alone.
rack="$samples_windows\\Project\\Designs\\Racks\\Rack.iam"
export_run rack-default --force --out "$(windows_path "$scratch/rack")" "$rack"
check "without the project the rack's parts are missing" grep -q '^Rack.iam: .*, 6 missing,' \
    "$scratch/rack-default.err"
check "and the default project is named" grep -qx \
    "Project: \"Default\", Inventor's default project, which has no file" "$scratch/rack-default.err"
export_run rack-project --force --project "$samples_windows\\Project\\Frames.ipj" \
    --out "$(windows_path "$scratch/rack")" "$rack"
check "with --project they are found" grep -q '^Rack.iam: .*, 0 missing,' "$scratch/rack-project.err"
check "and the project is named" grep -qxF \
    "Project: Frames ($samples_windows\\Project\\Frames.ipj)" "$scratch/rack-project.err"
no_default_project() {
    ! "$wine_run" "$prefix" reg query 'HKCU\Software\Partwright Stand-ins\Apprentice' \
        /v DefaultProject >/dev/null 2>&1
}
check "the user's default project is as it was" no_default_project
export_run rack-nowhere --project "$samples_windows\\Project\\Nowhere.ipj" \
    --out "$(windows_path "$scratch/rack-nowhere")" "$rack"
check "a project that cannot be used exits 1" [ "$(status_of rack-nowhere)" = 1 ]
check "saying so" grep -q '^partwright-export: the project .*Nowhere.ipj cannot be used' \
    "$scratch/rack-nowhere.err"
check "and writes nothing" test ! -e "$scratch/rack-nowhere/Rack.xlsx"

# Workers: the same files as one process writes, the lines in the order given, the worst status.
jobs_in=("$gearbox" "$samples_windows\\Conveyor\\Conveyor.iam" "$samples_windows\\Frame\\Frame.iam")
export_run one --format csv --out "$(windows_path "$scratch/one")" "${jobs_in[@]}"
export_run two --jobs 2 --format csv --out "$(windows_path "$scratch/two")" "${jobs_in[@]}"
check "--jobs 2 exits as one process does" [ "$(status_of two)" = "$(status_of one)" ]
check "and writes the very same files" diff -r "$scratch/one" "$scratch/two"
untimed() { sed -E 's/[0-9]+\.[0-9] s//; s/\\(one|two)\\/\\OUT\\/' "$1"; }
check "its lines are one process's, in the order given" diff <(untimed "$scratch/one.err") \
    <(untimed "$scratch/two.err")
PARTWRIGHT_APPRENTICE_DIE_ON='Conveyor.iam' export_run died --jobs 2 --format csv \
    --out "$(windows_path "$scratch/died")" "${jobs_in[@]}"
check "a worker that dies fails the run" [ "$(status_of died)" = 1 ]
check "and is said for its assembly" grep -q \
    '^Conveyor.iam: not exported: its worker process ended before it was done' "$scratch/died.err"
check "the others are written all the same" \
    test -s "$scratch/died/Gearbox - Summary BOM.csv" -a -s "$scratch/died/Frame - Summary BOM.csv"
check "and nothing is left half written" no_partial_files "$scratch/died"

# A run ended from outside (Ctrl+C, a scheduler's kill) takes its workers with it.
for big in big-a big-b; do python3 "$here/../../bench/make_assembly.py" "$scratch/$big" 2000; done
workers_running() { pgrep -f -- '--worker -- ' >/dev/null; }
"$wine_run" "$prefix" "$bin/partwright-export.exe" --jobs 2 --force --out \
    "$(windows_path "$scratch/big-out")" "$(windows_path "$scratch/big-a/Top.iam")" \
    "$(windows_path "$scratch/big-b/Top.iam")" >/dev/null 2>&1 &
run_pid=$!
for _ in $(seq 40); do workers_running && break; sleep 0.5; done
check "the workers start" workers_running
kill -9 "$(pgrep -f -- '^[^ ]*partwright-export.exe --jobs 2')" # the program, not its wrapper
wait "$run_pid" 2>/dev/null
# At once: each has seconds of work left that it would otherwise finish.
workers_ended() { for _ in $(seq 6); do workers_running || return 0; sleep 0.5; done; return 1; }
check "its workers end with it" workers_ended
check "leaving no half-written file" no_partial_files "$scratch/big-out"

# Never overwritten without --force.
keep="$scratch/keep"
mkdir -p "$keep"
printf 'earlier' >"$keep/Gearbox.xlsx"
export_run unforced --out "$(windows_path "$keep")" "$gearbox"
check "an existing file is not replaced: status 1" [ "$(status_of unforced)" = 1 ]
check "it says so" grep -qE 'Gearbox.xlsx exists \(--force replaces it\)$' "$scratch/unforced.err"
check "and the file is as it was" [ "$(cat "$keep/Gearbox.xlsx")" = earlier ]
export_run forced --force --out "$(windows_path "$keep")" "$gearbox"
check "--force replaces it" [ "$(status_of forced)" = 0 ]
check "with the workbook" [ "$(head -c 2 "$keep/Gearbox.xlsx")" = PK ]

# A run killed at any moment leaves the earlier file or the whole new one, and nothing else.
python3 "$here/../../bench/make_assembly.py" "$scratch/generated" 30 >/dev/null
killed="$scratch/killed"
mkdir -p "$killed"
for delay in 0.6 0.9 1.1 1.3 1.5 1.8 2.5; do
    printf 'earlier' >"$killed/Top.xlsx"
    "$wine_run" "$prefix" "$bin/partwright-export.exe" --force --out "$(windows_path "$killed")" \
        "$(windows_path "$scratch/generated/Top.iam")" >/dev/null 2>&1 &
    sleep "$delay"
    # Until none is left: a process still starting when the first kill comes would otherwise
    # write on while the files are looked at.
    while pkill -9 -f 'partwright-export.exe'; do
        sleep 0.1
    done
    wait 2>/dev/null
    sleep 0.5 # Wine's server closes the dead process's handles
    if [ "$(cat "$killed/Top.xlsx")" = earlier ]; then
        echo "killed after ${delay} s: the earlier file stays"
    else
        echo "killed after ${delay} s: the new workbook is there"
        check "killed after ${delay} s: the new workbook is whole" \
            "$python" -c "import openpyxl, sys; openpyxl.load_workbook(sys.argv[1])" "$killed/Top.xlsx"
    fi
    check "killed after ${delay} s: no partial file" no_partial_files "$killed"
done

# The workbook, read by openpyxl, is Excel's export of the same assembly, in each combination of
# the options partwright-export has ("Make Builder" off: check boxes are the window's).
for combination in 0 1 4 5; do
    options=()
    [ $((combination & 1)) -ne 0 ] && options+=(--indented)
    [ $((combination & 4)) -ne 0 ] && options+=(--hyperlinks)
    folder="$scratch/options-$combination"
    export_run "options-$combination" "${options[@]}" --out "$(windows_path "$folder")" "$gearbox"
    check "options ${options[*]:-none}: the workbook reads as the Excel export" "$python" \
        "$here/check_batch.py" xlsx "$folder/Gearbox.xlsx" "$golden/gearbox-$((combination | 2)).json" \
        "$samples_windows" "<samples>"
done

# CSV: one file per sheet, read by Python's csv module as the workbook's cells.
csv_folder="$scratch/options-5"
export_run csv --format csv --indented --hyperlinks --out "$(windows_path "$csv_folder")" "$gearbox"
check "--format csv exits 0" [ "$(status_of csv)" = 0 ]
check "the CSV files hold the workbook's cells" "$python" "$here/check_batch.py" csv \
    "$csv_folder/Gearbox" "$csv_folder/Gearbox.xlsx"

# LibreOffice opens the workbook and converts every sheet without error, to the same cells.
libreoffice="$scratch/libreoffice"
check "LibreOffice converts the workbook" env HOME="$scratch/libreoffice-home" soffice --headless \
    --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1' \
    --outdir "$libreoffice" "$csv_folder/Gearbox.xlsx" >"$scratch/libreoffice.log" 2>&1
for sheet in "Summary-Totals" "Summary BOM" "Indented BOM"; do
    cp "$libreoffice/Gearbox-$sheet.csv" "$libreoffice/Gearbox - $sheet.csv" 2>/dev/null
done
check "LibreOffice's cells are the CSV files' cells" "$python" "$here/check_batch.py" same-csv \
    "$libreoffice" "$csv_folder" "Gearbox - Summary-Totals.csv" "Gearbox - Summary BOM.csv" \
    "Gearbox - Indented BOM.csv"

# A generated assembly, against the Excel export made through the window and the Excel stand-in.
window="$scratch/window"
"$wine_run" "$prefix" "$bin/partwright_headless.exe" \
    "$(windows_path "$scratch/generated/Top.iam")" "$(windows_path "$window")" --indented \
    --hyperlinks >"$scratch/window.log" 2>&1
export_run generated --indented --hyperlinks --out "$(windows_path "$scratch/generated-out")" \
    "$(windows_path "$scratch/generated/Top.iam")"
check "a generated assembly exits 0" [ "$(status_of generated)" = 0 ]
check "its line counts its 3,001 occurrences" grep -qE '^Top.iam: 3001 occurrences, 110 unique' \
    "$scratch/generated.err"
check "its workbook reads as the window's Excel export" "$python" "$here/check_batch.py" xlsx \
    "$scratch/generated-out/Top.xlsx" "$window/Book1.json"

# Real assemblies: Inventor's BOM rules, and a count past what 16 bits hold.
conveyor="$samples_windows\\Conveyor\\Conveyor.iam"
export_run conveyor --out "$(windows_path "$scratch/conveyor")" "$conveyor"
check "the Conveyor is counted as the window counts it" grep -qE \
    '^Conveyor.iam: 15 occurrences, 8 unique files, 0 missing' "$scratch/conveyor.err"
check "its workbook reads as the Excel export" "$python" "$here/check_batch.py" xlsx \
    "$scratch/conveyor/Conveyor.xlsx" "$golden/conveyor-2.json" "$samples_windows" "<samples>"
export_run rules --bom-rules --indented --hyperlinks --out "$(windows_path "$scratch/rules")" \
    "$conveyor"
check "--bom-rules exits 0" [ "$(status_of rules)" = 0 ]
check "and counts as Inventor's BOM does" grep -qE \
    '^Conveyor.iam: 9 occurrences, 4 unique files, 0 missing' "$scratch/rules.err"
check "its workbook, BOM Structure column and all, reads as kept" "$python" \
    "$here/check_batch.py" xlsx "$scratch/rules/Conveyor.xlsx" "$golden/conveyor-bom-rules.json" \
    "$samples_windows" "<samples>"

bolts="$scratch/bolts"
mkdir -p "$bolts"
"$python" - "$bolts" <<'EOF_BOLTS'
import json, sys
def uses(name, file):
    return {"type": "assembly",
            "occurrences": [{"name": f"{name}:{i}", "file": file} for i in range(1, 201)]}
folder = sys.argv[1]
json.dump({"type": "part"}, open(f"{folder}/Bolt.ipt", "w"))
json.dump(uses("Bolt", "Bolt.ipt"), open(f"{folder}/Frame.iam", "w"))
json.dump(uses("Frame", "Frame.iam"), open(f"{folder}/Hall.iam", "w"))
EOF_BOLTS
export_run bolts --format csv --out "$(windows_path "$bolts/out")" "$(windows_path "$bolts/Hall.iam")"
check "200 bolts in a frame used 200 times are 40000 in the Summary BOM" grep -qE '^40000,' \
    "$bolts/out/Hall - Summary BOM.csv"
check "and in the totals" grep -q '^"Total Parts: ",40000' "$bolts/out/Hall - Summary-Totals.csv"

# The parent–child layout: one line per pair, the quantity in one parent.
parent_child="$bolts/parent-child"
export_run parent-child-csv --layout parent-child --format csv \
    --out "$(windows_path "$parent_child")" "$(windows_path "$bolts/Hall.iam")"
export_run parent-child-xlsx --layout parent-child --out "$(windows_path "$parent_child")" \
    "$(windows_path "$bolts/Hall.iam")"
check "--layout parent-child exits 0, as CSV and as a workbook" \
    [ "$(status_of parent-child-csv)$(status_of parent-child-xlsx)" = 00 ]
check "Python's csv and openpyxl read the same lines: 200 frames, 200 bolts in each" \
    "$python" - "$parent_child/Hall - Parent-Child.csv" "$parent_child/Hall.xlsx" <<'EOF_PC'
import csv, sys, openpyxl
expected = [["Parent Partnumber", "Parent File", "Component Partnumber", "Component File",
             "Quantity", "Description", "Material", "Level"],
            ["", "Hall.iam", "", "Frame.iam", "200", "", "", "1"],
            ["", "Frame.iam", "", "Bolt.ipt", "200", "", "", "2"]]
with open(sys.argv[1], encoding="utf-8-sig", newline="") as file:
    rows = list(csv.reader(file))
assert rows == expected, rows
book = openpyxl.load_workbook(sys.argv[2])
assert book.sheetnames == ["Parent-Child"], book.sheetnames
cells = [["" if value is None else str(value) for value in row]
         for row in book["Parent-Child"].iter_rows(values_only=True)]
assert cells == expected, cells
assert book["Parent-Child"].freeze_panes == "A2", book["Parent-Child"].freeze_panes
EOF_PC
check "LibreOffice converts the parent–child workbook to the same cells" \
    env HOME="$scratch/libreoffice-home" soffice --headless \
    --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1' \
    --outdir "$parent_child/libreoffice" "$parent_child/Hall.xlsx" >"$scratch/libreoffice.log" 2>&1
check "LibreOffice's lines are the CSV file's" "$python" - \
    "$parent_child/libreoffice/Hall-Parent-Child.csv" "$parent_child/Hall - Parent-Child.csv" <<'EOF_LO'
import csv, sys
def rows(path):
    with open(path, encoding="utf-8-sig", newline="") as file:
        return list(csv.reader(file))
assert rows(sys.argv[1]) == rows(sys.argv[2]), (rows(sys.argv[1]), rows(sys.argv[2]))
EOF_LO

# The parent–child CSV is for a program to import: values as they are, but a formula's start
# guarded; asked for a spreadsheet, the same sheet keeps its texts text in LibreOffice.
erp="$scratch/erp"
export_run erp --layout parent-child --bom-rules --format csv --out "$(windows_path "$erp/import")" \
    "$gearbox"
export_run erp-sheet --layout parent-child --csv spreadsheet --format csv \
    --out "$(windows_path "$erp/spreadsheet")" "$gearbox"
check "the ERP CSV reads back as the values in the files" "$python" - \
    "$erp/import/Gearbox - Parent-Child.csv" <<'EOF_ERP'
import csv, sys
with open(sys.argv[1], encoding="utf-8-sig", newline="") as file:
    rows = list(csv.reader(file))
plate = next(row for row in rows if row[3] == "Parts\\Base Plate.ipt")
assert plate[:6] == ["GB-100", "Gearbox.iam", "00123", "Parts\\Base Plate.ipt", "1",
                     "'=Machined base plate, 20 mm"], plate
assert not any(cell.startswith('="') for row in rows for cell in row), rows
EOF_ERP
check "LibreOffice keeps the spreadsheet CSV's part numbers as text" \
    env HOME="$scratch/libreoffice-home" soffice --headless \
    --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false,-1' \
    --outdir "$erp/libreoffice" "$erp/spreadsheet/Gearbox - Parent-Child.csv" \
    >"$scratch/libreoffice-erp.log" 2>&1
check "as the very texts" grep -qF 'GB-100,Gearbox.iam,00123,Parts\Base Plate.ipt,1,' \
    "$erp/libreoffice/"*.csv
export_run erp-xlsx --csv import "$gearbox"
check "--csv without --format csv is a usage error" [ "$(status_of erp-xlsx)" = 2 ]

# Rows merged by part number: a bolt saved in two libraries, whose descriptions disagree.
merge="$scratch/merge"
mkdir -p "$merge/Lib" "$merge/Old"
"$python" - "$merge" <<'EOF_MERGE'
import json, sys
folder = sys.argv[1]
def part(description, supplier):
    return {"type": "part", "propertySets": {
        "Design Tracking Properties": {"5": "00451", "29": description, "20": "Steel"},
        "Inventor User Defined Properties": {"Supplier": supplier}}}
json.dump(part("Bolt M8", "Würth"), open(f"{folder}/Lib/Bolt.ipt", "w", encoding="utf-8"))
json.dump(part("Bolt M8x20", "Bossard"), open(f"{folder}/Old/Bolt.ipt", "w", encoding="utf-8"))
json.dump({"type": "assembly", "occurrences": [
    {"name": "Bolt:1", "file": "Lib/Bolt.ipt"}, {"name": "Bolt:2", "file": "Old/Bolt.ipt"},
    {"name": "Bolt:3", "file": "Old/Bolt.ipt"}]}, open(f"{folder}/Frame.iam", "w"))
EOF_MERGE
export_run merge --merge-part-numbers --format csv --out "$(windows_path "$merge/out")" \
    "$(windows_path "$merge/Frame.iam")"
check "--merge-part-numbers exits 0" [ "$(status_of merge)" = 0 ]
check "and gives the bolt one row: 3 of them, the description varies, 2 files" "$python" - \
    "$merge/out/Frame - Summary BOM.csv" <<'EOF_MERGED'
import csv, sys
with open(sys.argv[1], encoding="utf-8-sig", newline="") as file:
    rows = list(csv.reader(file))
bolt = [row for row in rows if row[1] == '="00451"']
assert len(bolt) == 1, rows
assert bolt[0][0] == "3" and bolt[0][3] == "*Varies*" and bolt[0][8] == "Steel", bolt
assert bolt[0][9] == "*Varies*" and bolt[0][10] == "2 files", bolt
EOF_MERGED

export_run merge-pc --merge-part-numbers --layout parent-child --format csv \
    --out "$(windows_path "$merge/out")" "$(windows_path "$merge/Frame.iam")"
check "merged, the frame holds 3 of the one bolt, whose descriptions vary" \
    grep -qF ',Frame.iam,00451,Lib\Bolt.ipt,3,*Varies*,' "$merge/out/Frame - Parent-Child.csv"

# A custom iProperty, read by its name through Apprentice's property set, as a column.
export_run property --property "Inventor User Defined Properties:Supplier" --format csv \
    --out "$(windows_path "$merge/property")" "$(windows_path "$merge/Frame.iam")"
check "--property exits 0" [ "$(status_of property)" = 0 ]
check "and ends both BOM sheets with the supplier of each file" "$python" - \
    "$merge/property/Frame - Summary BOM.csv" "$merge/property/Frame - Indented BOM.csv" <<'EOF_PROPERTY'
import csv, sys
for path in sys.argv[1:]:
    with open(path, encoding="utf-8-sig", newline="") as file:
        rows = list(csv.reader(file))
    assert rows[0][-1] == "Supplier", rows[0]
    suppliers = [row[-1] for row in rows[1:]]
    assert suppliers[0] == "" and "Würth" in suppliers and "Bossard" in suppliers, suppliers
EOF_PROPERTY

# Two revisions compared: the new one has a fourth bolt and a pin, and no longer the old bolt.
"$python" - "$merge" <<'EOF_REVISION'
import json, sys
folder = sys.argv[1]
json.dump({"type": "part", "propertySets": {"Design Tracking Properties": {"5": "P-1"}}},
          open(f"{folder}/Pin.ipt", "w"))
json.dump({"type": "assembly", "occurrences": [
    {"name": f"Bolt:{i}", "file": "Old/Bolt.ipt"} for i in range(1, 5)] + [
    {"name": "Pin:1", "file": "Pin.ipt"}]}, open(f"{folder}/Frame B.iam", "w"))
EOF_REVISION
export_run compare --compare --merge-part-numbers --out "$(windows_path "$merge/compared")" \
    "$(windows_path "$merge/Frame.iam")" "$(windows_path "$merge/Frame B.iam")"
check "--compare exits 0" [ "$(status_of compare)" = 0 ]
check "its line counts the differences of each kind" grep -qE \
    '^Frame vs Frame B: 1 added, 0 removed, 1 quantity, 1 field changed, [0-9.]+ s -> .*Frame vs Frame B.xlsx$' \
    "$scratch/compare.err"
export_run compare-csv --compare --merge-part-numbers --format csv \
    --out "$(windows_path "$merge/compared")" "$(windows_path "$merge/Frame.iam")" \
    "$(windows_path "$merge/Frame B.iam")"
check "openpyxl and Python's csv read the same changes and totals" "$python" - \
    "$merge/compared" <<'EOF_COMPARED'
import csv, sys, openpyxl
folder = sys.argv[1]
expected = [["Change", "Key", "Old", "New", "Difference", "Description", "Material", "File"],
            ["Added", "P-1", "", "1", "1", "", "", "Pin.ipt"],
            ["Quantity", "00451", "3", "4", "1", "Bolt M8x20", "Steel", "Bolt.ipt"],
            ["Description", "00451", "*Varies*", "Bolt M8x20", "", "Bolt M8x20", "Steel",
             "Bolt.ipt"]]
book = openpyxl.load_workbook(f"{folder}/Frame vs Frame B.xlsx")
assert book.sheetnames == ["Changes", "Totals"], book.sheetnames
cells = [["" if v is None else str(v) for v in row]
         for row in book["Changes"].iter_rows(values_only=True)]
assert cells == expected, cells
assert book["Changes"].freeze_panes == "A2"
with open(f"{folder}/Frame vs Frame B - Changes.csv", encoding="utf-8-sig", newline="") as file:
    rows = [[cell.removeprefix('="').removesuffix('"') for cell in row] for row in csv.reader(file)]
assert rows == expected, rows
with open(f"{folder}/Frame vs Frame B - Totals.csv", encoding="utf-8-sig", newline="") as file:
    totals = list(csv.reader(file))
assert totals[4] == ["Total Parts: ", "3", "5", "2"], totals
EOF_COMPARED

if [ "$failed" -ne 0 ]; then
    tail -n 5 "$scratch"/*.err
fi
summary "partwright-export"
