#pragma once

#include "CellEntry.h"

#include <cstdint>
#include <map>
#include <memory>
#include <memory_resource>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

// Excel's workbooks in memory: sheets in tab order, cells as Excel reads what is typed into them,
// formats, shapes in drawing order, hyperlinks and macro modules. The batch export fills it and
// writes it as a file.
namespace pw::workbook {

inline constexpr double kDefaultRowHeight = 15.0;   // points
inline constexpr double kDefaultColumnWidth = 8.43; // characters of the standard font

// Formats set on a cell, a row or a column; colours are indexes of Excel's default palette.
struct Format {
    std::optional<bool> bold;
    std::optional<std::int32_t> fontColorIndex;
    std::optional<std::int32_t> interiorColorIndex;
    std::optional<std::int32_t> horizontalAlignment;
};

// "$J$5" or "J5": the cell's row and column, or nothing when the text names no single cell of
// a sheet.
std::optional<std::pair<std::int32_t, std::int32_t>> CellOfReference(const std::string& text);

struct StoredCell {
    CellEntry entry;
    Format format;
};

struct RowFormat {
    Format format;
    std::optional<double> height; // points
};

struct ColumnFormat {
    Format format;
    std::optional<double> width; // characters
};

enum class ShapeKind { Button, CheckBox };

struct StoredShape {
    ShapeKind kind = ShapeKind::Button;
    std::string name; // "Button 1", "Check Box 2": numbered across the sheet's shapes
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    std::string onAction;
    std::string text; // a button's caption; a check box's text, also its alternative text
    std::string linkedCell;
    std::optional<std::int32_t> borderColor;
    std::optional<std::int32_t> interiorColor;
    std::int32_t value = -4146;
};

struct StoredHyperlink {
    std::int32_t row = 0;
    std::int32_t column = 0;
    std::string address;
    std::string textToDisplay;
    // What followed a "#" in the address given: a place inside the target, as Excel reads it.
    std::string subAddress;
};

// Where a sheet's selection is: a cell (rows and columns select their first cell as the active
// one), or a shape.
struct SheetSelection {
    std::int32_t row = 1;
    std::int32_t column = 1;
    std::optional<std::size_t> shape;
};

struct Sheet {
    std::string name;
    // The cells' rows come from one growing pool rather than one heap block each: a sheet of
    // a hundred thousand rows is as many allocations, which some heaps find slower the more
    // blocks they hold.
    std::pmr::monotonic_buffer_resource rowMemory;
    // grid[row - 1][column - 1], grown as written
    std::pmr::vector<std::pmr::vector<StoredCell>> grid{&rowMemory};
    std::map<std::int32_t, RowFormat> rows;
    // Rows of a height of their own, apart from the other formats, so that a row's top is
    // found without walking every formatted row above it.
    std::map<std::int32_t, double> rowHeights;
    std::map<std::int32_t, ColumnFormat> columns;
    std::vector<StoredShape> shapes;
    std::vector<std::size_t> checkBoxes; // their places among shapes, in drawing order
    // The check boxes linked to each cell, by Key: a box and its cell are one value.
    std::unordered_map<std::uint64_t, std::vector<std::size_t>> boxesOfCell;
    std::vector<StoredHyperlink> hyperlinks;
    std::unordered_map<std::uint64_t, std::size_t> hyperlinkOfCell; // place in hyperlinks
    // The first cell below and right of the frozen panes.
    std::optional<std::pair<std::int32_t, std::int32_t>> frozenAt;
    SheetSelection selection;
    int nextShapeNumber = 1;

    static std::uint64_t Key(std::int32_t row, std::int32_t column) {
        return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(row)) << 32) |
               static_cast<std::uint32_t>(column);
    }
    const CellEntry& Entry(std::int32_t row, std::int32_t column) const;
    // The cell, or nothing when it was never written or formatted.
    const StoredCell* Find(std::int32_t row, std::int32_t column) const;
    StoredCell& At(std::int32_t row, std::int32_t column);
    // Room for `width` cells in each of the rows `top` to `bottom`: a block of values grows the
    // grid once instead of cell by cell. No cell is made.
    void Reserve(std::int32_t top, std::int32_t bottom, std::int32_t width);
    // Visits every cell that was written or formatted, row by row.
    template <class Visit> void ForEachCell(Visit visit) const {
        for (std::size_t r = 0; r < grid.size(); ++r) {
            for (std::size_t c = 0; c < grid[r].size(); ++c) {
                visit(static_cast<std::int32_t>(r + 1), static_cast<std::int32_t>(c + 1),
                      grid[r][c]);
            }
        }
    }
    // The last used cell: bottom row and right column holding anything, (1, 1) when empty.
    std::pair<std::int32_t, std::int32_t> LastCell() const;
    double RowHeight(std::int32_t row) const;
    void SetRowHeight(std::int32_t row, double points);
    double ColumnWidthPoints(std::int32_t column) const;
    double RowTop(std::int32_t row) const;
    double ColumnLeft(std::int32_t column) const;
};

struct MacroModule {
    std::string name;
    std::int32_t type = 1; // 1 standard module, 100 document module
    std::string code;
    std::vector<std::string> addedTexts; // each AddFromString text, as handed over
};

struct Workbook {
    std::string name;
    std::vector<std::unique_ptr<Sheet>> sheets; // tab order
    std::size_t activeSheet = 0;
    int nextSheetNumber = 1;
    std::vector<MacroModule> modules;

    Sheet* FindSheet(const std::string& name) const;
};

// The calendar year now, on the machine's clock.
int ThisYear();

struct ExcelState {
    std::vector<std::unique_ptr<Workbook>> workbooks;
    std::optional<std::size_t> activeWorkbook;
    bool visible = false;
    std::int32_t windowState = -4137; // maximised, until told otherwise
    bool screenUpdating = true;
    int nextBookNumber = 1;
    int currentYear = ThisYear();          // the year a date typed without one falls in
    std::string sheetNamePrefix = "Sheet"; // "Tabelle" in a German Excel
    int sheetsInNewWorkbook = 3;           // Excel 2013 and later start a workbook with one

    Workbook* ActiveWorkbook() const;
    // A workbook as Excel makes it: the default sheets of its language, each with its document
    // module.
    std::unique_ptr<Workbook> NewWorkbook(const std::string& name) const;
};

} // namespace pw::workbook
