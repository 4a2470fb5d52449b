#!/usr/bin/env bash
# partwright-export --pictures through the real program, the stand-in Apprentice over COM and the
# Windows Imaging Component: each row's picture in its cell as openpyxl and LibreOffice read the
# workbook, one image per distinct file, the other cells as without --pictures, and a page
# LibreOffice prints of it, left in SCRATCH_DIR/rendered for a person to look at.
#   batch_pictures.sh WINE_RUN PREFIX BIN_DIR SAMPLES_DIR SCRATCH_DIR
set -uo pipefail
wine_run=$1 prefix=$2 bin=$3 samples=$4 scratch=$5
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../lib/check.sh"
source "$here/../../scripts/lib/wine.sh"
python=/usr/bin/python3 # Debian's own, which python3-openpyxl and python3-pil serve
samples_windows=$(windows_path "$samples")

source "$here/../lib/export_run.sh"
soffice_to() { # soffice_to FORMAT FOLDER FILE: LibreOffice converts FILE into FOLDER
    env HOME="$scratch/libreoffice-home" soffice --headless --convert-to "$1" --outdir "$2" "$3" \
        >>"$scratch/libreoffice.log" 2>&1
}

rm -rf "$scratch"
mkdir -p "$scratch"
assemblies=("$samples_windows\\Gearbox.iam" "$samples_windows\\Conveyor\\Conveyor.iam")

export_run csv --pictures --format csv "${assemblies[0]}"
check "--pictures with --format csv is a usage error" [ "$(status_of csv)" = 2 ]
check "which says why" grep -qx \
    "partwright-export: --pictures needs --format xlsx: a CSV file holds text only, no pictures" \
    "$scratch/csv.err"

export_run plain --out "$(windows_path "$scratch/plain")" "${assemblies[@]}"
export_run pictures --pictures --out "$(windows_path "$scratch/pictures")" "${assemblies[@]}"
check "the run with pictures exits 0" [ "$(status_of pictures)" = 0 ]
check "the Conveyor's skeleton (saved without a picture) and grease (no file) are said" grep -qx \
    "  without a picture: 1 file (Skeleton.ipt) and 1 virtual component" "$scratch/pictures.err"
check "and counted in the summary" grep -qE \
    '^2 of 2 assemblies written; .*; 1 missing component; 2 components without a picture; ' \
    "$scratch/pictures.err"
check "the Gearbox's old cover has its picture through the legacy reader" [ "$(grep -c \
    '^  without a picture' "$scratch/pictures.err")" = 1 ]

for assembly in Gearbox Conveyor/Conveyor; do
    name=$(basename "$assembly")
    check "$name: openpyxl reads each row's picture in its cell, and the other cells unchanged" \
        "$python" "$here/check_pictures.py" workbook "$scratch/pictures/$name.xlsx" \
        "$scratch/plain/$name.xlsx" "$samples/$assembly.iam"
    check "$name: LibreOffice reads and saves the same pictures in the same cells" \
        soffice_to xlsx "$scratch/resaved" "$scratch/pictures/$name.xlsx"
    check "$name: as openpyxl reads LibreOffice's file" "$python" "$here/check_pictures.py" \
        reread "$scratch/resaved/$name.xlsx" "$scratch/pictures/$name.xlsx"
done

# The parent-child sheet of a run of two workers, each with its own Apprentice.
export_run parent-child --pictures --layout parent-child --jobs 2 \
    --out "$(windows_path "$scratch/parent-child")" "${assemblies[@]}"
export_run parent-child-plain --layout parent-child \
    --out "$(windows_path "$scratch/parent-child-plain")" "${assemblies[@]}"
check "the parent-child run with pictures exits 0" [ "$(status_of parent-child)" = 0 ]
check "its workers' counts reach its summary" grep -qE '; 2 components without a picture; ' \
    "$scratch/parent-child.err"
check "the parent-child sheet shows each component's picture last" "$python" \
    "$here/check_pictures.py" workbook "$scratch/parent-child/Conveyor.xlsx" \
    "$scratch/parent-child-plain/Conveyor.xlsx" "$samples/Conveyor/Conveyor.iam"

# Printed by LibreOffice: the pictures where their rows are.
rendered="$scratch/rendered"
check "LibreOffice prints the Conveyor's workbook" soffice_to pdf "$rendered" \
    "$scratch/pictures/Conveyor.xlsx"
check "and its pages are rendered" pdftoppm -r 48 -png "$rendered/Conveyor.pdf" "$rendered/page"
check "each picture is on the page where its row is" "$python" "$here/check_pictures.py" \
    rendered "$rendered" "$scratch/pictures/Conveyor.xlsx" "Summary BOM"

if [ "$failed" -ne 0 ]; then
    tail -n 5 "$scratch"/*.err
fi
summary "partwright-export --pictures"
