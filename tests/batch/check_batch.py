"""Reads what partwright-export wrote with readers independent of the project.
    check_batch.py xlsx XLSX EXCEL_JSON [FOLDER NAME]
        the workbook read by openpyxl equals the JSON of Excel's export of the same assembly:
        sheets, values and their types, formats, row heights, column widths, frozen panes and
        hyperlinks; FOLDER in the workbook's texts is written NAME in the JSON
    check_batch.py csv PREFIX XLSX
        each sheet's CSV file, "PREFIX - SHEET.csv", read by the csv module, holds the cells of
        the workbook's sheet
    check_batch.py same-csv FOLDER_A FOLDER_B NAME...
        the CSV files NAME in both folders hold the same cells (LibreOffice's and ours)"""
import csv
import json
import sys
from pathlib import Path

import openpyxl
from openpyxl.styles.colors import COLOR_INDEX
from openpyxl.utils import get_column_letter

SHEETS = ["Summary-Totals", "Summary BOM", "Indented BOM"]
ALIGNMENTS = {-4152: "right", -4131: "left", -4108: "center"}
failures = []


def check(what, got, expected):
    if got != expected:
        failures.append(f"{what}: got {got!r}, expected {expected!r}")


def palette(index):
    """Excel's colour index 1 to 56 as RGB; openpyxl's table repeats the first eight first."""
    return COLOR_INDEX[8 + index - 1][2:] if index else None


def rgb(colour):
    return colour.rgb[2:] if colour is not None and isinstance(colour.rgb, str) else None


def look_of(cell):
    fill = rgb(cell.fill.fgColor) if cell.fill.fill_type == "solid" else None
    return {"bold": bool(cell.font.b), "font": rgb(cell.font.color), "fill": fill,
            "alignment": cell.alignment.horizontal}


def expected_look(*formats):
    merged = {}
    for format in formats:
        merged.update(format)
    return {"bold": merged.get("bold", False), "font": palette(merged.get("fontColorIndex")),
            "fill": palette(merged.get("interiorColorIndex")),
            "alignment": ALIGNMENTS.get(merged.get("horizontalAlignment"))}


def value_of(cell):
    if cell.value is None:
        return ("empty",)
    if cell.data_type == "b":
        return ("boolean", cell.value)
    if cell.is_date:
        return ("date",)
    if cell.data_type == "n":
        return ("number", float(cell.value))
    return ("text", cell.value)


def expected_value(entry):
    kind = entry["kind"]
    if kind == "number":
        return ("number", float(entry["number"]))
    if kind == "boolean":
        return ("boolean", entry["truth"])
    if kind == "text":
        return ("text", entry["text"])
    return (kind,)


def compare_sheet(sheet, expected, rename):
    name = expected["name"]
    columns = {c["column"]: c for c in expected["columns"]}
    rows = {r["row"]: r for r in expected["rows"]}
    cells = {(c["row"], c["column"]): c for c in expected["cells"]}
    for (row, column), entry in cells.items():
        cell = sheet.cell(row, column)
        where = f"{name}!{cell.coordinate}"
        got = value_of(cell)
        if got[0] == "text":
            got = ("text", rename(got[1]))
        check(f"{where} value", got, expected_value(entry))
        check(f"{where} look", look_of(cell), expected_look(
            columns.get(column, {}).get("format", {}), rows.get(row, {}).get("format", {}),
            entry.get("format", {})))
    for row in sheet.iter_rows():
        for cell in row:
            if cell.value is not None and (cell.row, cell.column) not in cells:
                failures.append(f"{name}!{cell.coordinate}: {cell.value!r} is not in the export")
    for number, row in rows.items():
        if "height" in row:
            check(f"{name} row {number} height", sheet.row_dimensions[number].height, row["height"])
    for number, column in columns.items():
        if "width" in column:
            width = sheet.column_dimensions[get_column_letter(number)].width
            check(f"{name} column {number} width", round(width - 0.71, 2), column["width"])
    frozen = expected.get("frozenAt")
    check(f"{name} frozen panes", sheet.freeze_panes,
          f"{get_column_letter(frozen['column'])}{frozen['row']}" if frozen else None)
    links = {(c.coordinate, rename(c.hyperlink.target)) for row in sheet.iter_rows() for c in row
             if c.hyperlink is not None}
    check(f"{name} hyperlinks", links,
          {(f"{get_column_letter(l['column'])}{l['row']}", l["address"])
           for l in expected["hyperlinks"]})


def check_xlsx(xlsx, excel_json, folder=None, name=None):
    rename = (lambda text: text.replace(folder, name)) if folder else (lambda text: text)
    book = openpyxl.load_workbook(xlsx)
    excel = json.loads(Path(excel_json).read_text(encoding="utf-8"))
    expected = [s for s in excel["sheets"] if s["name"] in SHEETS]
    check("sheets", book.sheetnames, [s["name"] for s in expected])
    check("active sheet", book.active.title, next(s["name"] for s in expected if s["active"]))
    for sheet in expected:
        if sheet["name"] in book.sheetnames:
            compare_sheet(book[sheet["name"]], sheet, rename)


def read_csv(path):
    """The cells of a CSV file, a formula ="text" read as the text it shows."""
    with open(path, newline="", encoding="utf-8-sig") as file:
        records = list(csv.reader(file))
    def text(field):
        if field.startswith('="') and field.endswith('"'):
            return field[2:-1].replace('""', '"')
        return field
    return [[text(field) for field in record] for record in records]


def trimmed(records):
    """Records without their trailing empty fields, and without trailing empty records."""
    rows = [list(r) for r in records]
    for row in rows:
        while row and row[-1] == "":
            row.pop()
    while rows and not rows[-1]:
        rows.pop()
    return rows


def shown(cell):
    if cell.value is None:
        return ""
    if cell.data_type == "n":
        number = float(cell.value)
        return str(int(number)) if number.is_integer() else repr(number)
    if cell.data_type == "b":
        return "TRUE" if cell.value else "FALSE"
    return str(cell.value)


def check_csv(prefix, xlsx):
    book = openpyxl.load_workbook(xlsx)
    for name in SHEETS:
        path = Path(f"{prefix} - {name}.csv")
        check(f"{path.name} starts with a byte-order mark", path.read_bytes()[:3], b"\xef\xbb\xbf")
        records = read_csv(path)
        widths = {len(r) for r in records}
        check(f"{path.name} records of one width", len(widths), 1)
        sheet = book[name]
        cells = [[shown(c) for c in row] for row in sheet.iter_rows()]
        check(f"{path.name} cells", trimmed(records), trimmed(cells))


def check_same_csv(folder_a, folder_b, names):
    for name in names:
        check(f"{name}", trimmed(read_csv(Path(folder_a) / name)),
              trimmed(read_csv(Path(folder_b) / name)))


command = sys.argv[1]
if command == "xlsx":
    check_xlsx(*sys.argv[2:])
elif command == "csv":
    check_csv(*sys.argv[2:])
elif command == "same-csv":
    check_same_csv(sys.argv[2], sys.argv[3], sys.argv[4:])
else:
    sys.exit(f"unknown command {command}")
if failures:
    print("\n".join(failures[:40]))
    sys.exit(1)
