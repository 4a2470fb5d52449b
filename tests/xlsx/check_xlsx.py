"""Reads the exported sample workbook with openpyxl, a reader independent of the project."""
import csv
import subprocess
import sys
import tempfile
import zipfile
from xml.etree import ElementTree
from pathlib import Path

import openpyxl
from openpyxl.utils.escape import unescape

folder = Path(sys.argv[1])
book = openpyxl.load_workbook(folder / "Book1.xlsx")
failures = []


def check(what, got, expected):
    if got != expected:
        failures.append(f"{what}: got {got!r}, expected {expected!r}")


check("sheets", book.sheetnames,
      ["Summary-Totals", "Summary BOM", "Indented BOM", "Sheet2", "Sheet3"])
check("active sheet", book.active.title, "Summary-Totals")

indented = book["Indented BOM"]
check("level headers", [indented.cell(1, c).value for c in range(1, 5)],
      ["Level1", "Level2", "Level3", "Level"])
check("header bold", indented.cell(1, 5).font.b, True)
check("header height", indented.row_dimensions[1].height, 26.5)
check("frozen panes", indented.freeze_panes, "B2")
check("top assembly", (indented.cell(2, 4).value, indented.cell(2, 5).value), (1, "GB-100"))
check("assembly fill", indented.cell(2, 5).fill.fgColor.rgb, "FFCCFFFF")
check("part number with leading zeros", indented.cell(3, 5).value, "00123")
check("part number is text", indented.cell(3, 5).data_type, "s")
check("description beginning with =", indented.cell(3, 7).value, "=Machined base plate, 20 mm")
check("description is no formula", indented.cell(3, 7).data_type, "s")
check("cost is a number", indented.cell(3, 10).value, 125.5)
check("status text", indented.cell(3, 11).value, "Released")
check("file name", indented.cell(3, 15).value, "Base Plate.ipt")
check("hyperlink", indented.cell(3, 15).hyperlink.target.endswith("\\Parts\\Base Plate.ipt"), True)
missing = [r for r in range(2, indented.max_row + 1) if indented.cell(r, 5).value == "<Gasket:1>"]
check("missing row", len(missing), 1)
if missing:
    check("missing font colour", indented.cell(missing[0], 5).font.color.rgb, "FFFF0000")
bolts = [r for r in range(2, indented.max_row + 1) if indented.cell(r, 15).value == "Bolt M8.ipt"]
check("bolt rows", len(bolts), 6)
check("empty part number font", indented.cell(bolts[0], 6).font.color.rgb, "FF0000FF")
check("empty part number bold", indented.cell(bolts[0], 6).font.b, True)

summary = book["Summary BOM"]
check("summary frozen panes", summary.freeze_panes, "A2")
check("summary headers", [summary.cell(1, c).value for c in (1, 2, 10, 11)],
      ["Quan", "Partnumber", "Path", "Filename"])
quantities = {summary.cell(r, 11).value: summary.cell(r, 1).value
              for r in range(2, summary.max_row + 1)}
check("quantities", quantities, {"Gearbox.iam": None, "Base Plate.ipt": 1,
                                 "Shaft Assembly.iam": 2, "Shaft.ipt": 2,
                                 "Bearing 6204.ipt": 4, "Bolt M8.ipt": 6, "Cover.ipt": 1,
                                 "<Gasket:1>": -1})

totals = book["Summary-Totals"]
check("title", totals.cell(1, 1).value.startswith("Summary Information for "), True)
check("title alignment", totals.cell(1, 1).alignment.horizontal, "left")
check("totals", [(totals.cell(r, 1).value, totals.cell(r, 2).value) for r in range(2, 8)],
      [("Max Indenting: ", 3), ("Total Files: ", 7), ("Total Assemblies: ", 3),
       ("Total Parts: ", 14), ("Total Parts+Ass'ys: ", 17), ("Missing Components: ", 1)])
check("label alignment", totals.cell(3, 1).alignment.horizontal, "right")
check("label bold", totals.cell(3, 1).font.b, True)
check("column width", round(totals.column_dimensions["A"].width), 23)

with open(folder / "Book1.Partwright.bas", newline="") as module:
    macros = module.read()
check("macro module", macros.startswith("Public Sub PreviewImage()\r"), True)

# Characters XML cannot hold are written as Excel writes them, "_xHHHH_". openpyxl only drops
# "x005F_" from shared strings, so the texts are read from the file and decoded by Excel's rule,
# as Excel and LibreOffice read them.
with zipfile.ZipFile(folder / "escapes" / "Book1.xlsx") as archive:
    table = ElementTree.fromstring(archive.read("xl/sharedStrings.xml"))
main = "{http://schemas.openxmlformats.org/spreadsheetml/2006/main}"
texts = [unescape("".join(t.text or "" for t in si.iter(main + "t"))) for si in table]
check("escaped texts", texts, ["vertical\vtab", "_x0041_ stays as typed",
                               "nul\0, bell\a, tab\t and line\nbreak",
                               "Bracket \uffff and \ufffe", "after them"])
escapes = openpyxl.load_workbook(folder / "escapes" / "Book1.xlsx").active
check("openpyxl reads the text after the non-characters", escapes.cell(5, 1).value, "after them")
check("an infinite number is Excel's #NUM!", (escapes.cell(6, 1).value, escapes.cell(6, 1).data_type),
      ("#NUM!", "e"))

# LibreOffice reads every text, the ones after the non-characters too.
with tempfile.TemporaryDirectory() as converted:
    subprocess.run(["soffice", "--headless", "-env:UserInstallation=file://" + converted + "/home",
                    "--convert-to", "csv", "--outdir", converted,
                    str(folder / "escapes" / "Book1.xlsx")],
                   check=True, capture_output=True, timeout=300)
    with open(Path(converted) / "Book1.csv", encoding="utf-8", newline="") as csv_file:
        rows = list(csv.reader(csv_file))
    check("LibreOffice reads the text after the non-characters", rows[4][0], "after them")
    check("LibreOffice reads the error", rows[5][0], "#NUM!")

    # Opened as Excel opens a CSV file, special numbers detected, each protected text is read as
    # that very text: saved again with the cells' values rather than as shown, a time would
    # come back as a fraction of a day, a date as a serial number.
    subprocess.run(["soffice", "--headless", "-env:UserInstallation=file://" + converted + "/home",
                    "--infilter=CSV:44,34,76,1,,1033,false,true,true",
                    "--convert-to", "csv:Text - txt - csv (StarCalc):44,34,76,1,,1033,false,true,false,false",
                    "--outdir", converted + "/forms", str(folder / "forms.csv")],
                   check=True, capture_output=True, timeout=300)
    with open(Path(converted) / "forms" / "forms.csv", encoding="utf-8-sig", newline="") as csv_file:
        read = [row[0] for row in csv.reader(csv_file)]
    check("LibreOffice reads every protected CSV text as the text", read,
          ["00123", "1-2", "12:30", "10:30 AM", "3:04:05", "1 1/2", "5-", "Jan-24", "Mar 5",
           "5 %", "1/2/3", "#N/A", "TRUE", "=1+1", "0.50", "GB-100"])

if failures:
    print("\n".join(failures))
    sys.exit(1)
print("Book1.xlsx reads back as exported")
