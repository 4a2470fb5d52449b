"""Reads the pictures of a workbook partwright-export wrote with --pictures, with readers
independent of the project.
    check_pictures.py workbook WITH WITHOUT TOP
        read by openpyxl: each BOM sheet of WITH ends in a "Picture" column whose cells hold, row by
        row, the picture of the row's file when its stand-in file names a thumbnail and nothing
        otherwise, each anchored to its one cell; one image part per distinct file; every other
        cell's value and type, and the number format, font, fill and alignment of each that holds
        a value, as in WITHOUT, the same export without --pictures; TOP is the assembly exported
    check_pictures.py reread SAVED WITH
        SAVED, the workbook as LibreOffice saved it again, shows the same pictures in the same
        cells as WITH
    check_pictures.py rendered PAGES_FOLDER WITH SHEET
        in a page LibreOffice printed of SHEET, each picture's colour is found in a column, one
        below the other, as far apart as their rows, and nothing where a row has no picture"""
import io
import json
import sys
import zipfile
from pathlib import Path

import openpyxl
from PIL import Image

BOM_SHEETS = ["Summary BOM", "Indented BOM", "Parent-Child"]
ROW_POINTS = 60  # the height of a row of pictures
failures = []


def check(what, got, expected):
    if got != expected:
        failures.append(f"{what}: got {got!r}, expected {expected!r}")


def local(windows_path):
    """Z:\\work\\samples\\A.ipt as this machine names it."""
    return Path(windows_path[2:].replace("\\", "/")) if windows_path[1:2] == ":" else None


def has_thumbnail(path):
    try:
        return "thumbnail" in json.loads(path.read_text(encoding="utf-8"))
    except (OSError, ValueError):
        return False


def picture_column(sheet):
    headers = [cell.value for cell in sheet[1]]
    return headers.index("Picture") + 1 if "Picture" in headers else None


def files_of_rows(sheet, top_folder):
    """Each row's file, from row 2 down; None for a row that shows no file."""
    headers = [cell.value for cell in sheet[1]]
    files = []
    if "Component File" in headers:
        # Named below the top assembly's folder; a virtual or missing component by its name.
        column = headers.index("Component File") + 1
        for row in range(2, sheet.max_row + 1):
            name = sheet.cell(row, column).value or ""
            no_file = "(virtual, in" in name or name.startswith("<")
            files.append(None if no_file else top_folder / name.replace("\\", "/"))
        return files
    path, name = headers.index("Path") + 1, headers.index("Filename") + 1
    for row in range(2, sheet.max_row + 1):
        folder, file = sheet.cell(row, path).value, sheet.cell(row, name).value
        files.append(local(folder + file) if folder and file else None)
    return files


def cell_of(cell):
    """What a cell holds and how it looks: its value, type, number format, font and fill."""
    fill = cell.fill.fgColor.rgb if cell.fill.fill_type == "solid" else None
    return (cell.value, cell.data_type, cell.number_format, bool(cell.font.b),
            cell.font.color.rgb if cell.font.color is not None else None, fill,
            cell.alignment.horizontal)


def pictures_of(sheet):
    """{(row, column): (anchor kind, image bytes)}"""
    shown = {}
    for image in sheet._images:
        start = image.anchor._from
        shown[(start.row + 1, start.col + 1)] = (type(image.anchor).__name__, image._data())
    return shown


def check_workbook(with_path, without_path, top):
    with_book = openpyxl.load_workbook(with_path)
    without_book = openpyxl.load_workbook(without_path)
    distinct = set()
    for name in with_book.sheetnames:
        sheet, plain = with_book[name], without_book[name]
        column = picture_column(sheet)
        if name not in BOM_SHEETS:
            check(f"{name}: pictures", len(sheet._images), 0)
            continue
        check(f"{name}: the picture column is the last", column, plain.max_column + 1)
        check(f"{name}: its rows", sheet.max_row, plain.max_row)
        for row in plain.iter_rows():
            for cell in row:
                other = sheet.cell(cell.row, cell.column)
                # A gap in the header row, now before the picture column, takes the row's bold
                # look: an empty cell is compared by what it holds alone.
                look = cell_of if cell.value is not None else lambda c: (c.value, c.data_type)
                check(f"{name}!{cell.coordinate}", look(other), look(cell))
        shown = pictures_of(sheet)
        check(f"{name}: every picture is in the picture column",
              {at[1] for at in shown}, {column} if shown else set())
        bytes_of_file = {}
        for row, file in enumerate(files_of_rows(sheet, Path(top).parent), start=2):
            expected = file is not None and has_thumbnail(file)
            picture = shown.get((row, column))
            check(f"{name}: row {row} ({file}) has a picture", picture is not None, expected)
            if picture:
                check(f"{name}: row {row}'s anchor", picture[0], "OneCellAnchor")
                bytes_of_file.setdefault(file, picture[1])
                check(f"{name}: row {row} shows its file's one image", picture[1],
                      bytes_of_file[file])
                distinct.add(file)
            check(f"{name}: row {row}'s height", sheet.row_dimensions[row].height, ROW_POINTS)
    with zipfile.ZipFile(with_path) as archive:
        media = [n for n in archive.namelist() if n.startswith("xl/media/")]
        check("image parts, one per distinct file", len(media), len(distinct))


def check_reread(saved_path, with_path):
    saved, written = openpyxl.load_workbook(saved_path), openpyxl.load_workbook(with_path)
    for name in written.sheetnames:
        expected = {at: data for at, (_, data) in pictures_of(written[name]).items()}
        got = {at: data for at, (_, data) in pictures_of(saved[name]).items()}
        check(f"{name}: the cells LibreOffice shows pictures in", sorted(got), sorted(expected))
        for at in expected:
            if at in got:
                check(f"{name}: the picture at {at}", got[at], expected[at])


def centre_colour(data):
    image = Image.open(io.BytesIO(data)).convert("RGB")
    return image.getpixel((image.width // 2, image.height // 2))


def near(a, b, tolerance=16):
    return all(abs(x - y) <= tolerance for x, y in zip(a, b))


def blob_centre(page, colour):
    """The middle of the pixels of `colour` on the page (medians, which a stray pixel of text
    does not move), or None when there are too few to be a picture."""
    xs, ys = [], []
    pixels = page.load()
    for y in range(0, page.height, 2):
        for x in range(0, page.width, 2):
            if near(pixels[x, y], colour):
                xs.append(x)
                ys.append(y)
    if len(xs) <= 20:
        return None
    return (sorted(xs)[len(xs) // 2], sorted(ys)[len(ys) // 2])


def check_rendered(pages_folder, with_path, sheet_name, dpi=48):
    sheet = openpyxl.load_workbook(with_path)[sheet_name]
    rows = {}
    for (row, _), (_, data) in pictures_of(sheet).items():
        rows.setdefault(centre_colour(data), []).append(row)
    # Colours shown in one row only place that row; a colour seen in two rows would blur.
    placed = {colour: found[0] for colour, found in rows.items() if len(found) == 1}
    check(f"{sheet_name}: pictures of a colour of their own", len(placed) >= 3, True)
    pages = [Image.open(p).convert("RGB") for p in sorted(Path(pages_folder).glob("*.png"))]
    best = None
    for page in pages:
        centres = {c: blob_centre(page, c) for c in placed}
        found = {c: centre for c, centre in centres.items() if centre}
        if best is None or len(found) > len(best):
            best = found
    check(f"{sheet_name}: pictures found on one rendered page", len(best), len(placed))
    if len(best) < 2:
        return
    pixels_per_row = ROW_POINTS * dpi / 72
    ordered = sorted(best, key=lambda c: placed[c])
    first = ordered[0]
    for colour in ordered[1:]:
        rows_apart = placed[colour] - placed[first]
        apart = best[colour][1] - best[first][1]
        check(f"{sheet_name}: the picture of row {placed[colour]} is {rows_apart} rows below "
              f"row {placed[first]}'s (pixels)", abs(apart - rows_apart * pixels_per_row) <= 4,
              True)
        check(f"{sheet_name}: the picture of row {placed[colour]} is in the same column",
              abs(best[colour][0] - best[first][0]) <= 4, True)
    # Where a row has no picture, its cell shows the sheet's light background.
    page = next(p for p in pages if blob_centre(p, first))
    shown_rows = {row for found in rows.values() for row in found}
    x = round(best[first][0])
    for row in range(2, sheet.max_row + 1):
        if row in shown_rows:
            continue
        y = round(best[first][1] + (row - placed[first]) * pixels_per_row)
        if 0 <= y < page.height:
            colour = page.getpixel((x, y))
            check(f"{sheet_name}: row {row}, without a picture, is empty there",
                  min(colour) > 180 and not any(near(colour, c) for c in rows), True)


def main():
    mode = sys.argv[1]
    if mode == "workbook":
        check_workbook(sys.argv[2], sys.argv[3], sys.argv[4])
    elif mode == "reread":
        check_reread(sys.argv[2], sys.argv[3])
    elif mode == "rendered":
        check_rendered(sys.argv[2], sys.argv[3], sys.argv[4])
    else:
        sys.exit(f"unknown mode {mode}")
    for failure in failures:
        print(failure)
    sys.exit(1 if failures else 0)


main()
