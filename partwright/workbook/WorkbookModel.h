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

// Excel's workbooks in memory, as an .xlsx holds them: sheets in tab order, cells as Excel reads
// what is typed into them, formats, hyperlinks, frozen panes and pictures. The batch export fills
// it and writes it as a file.
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

struct StoredHyperlink {
    std::int32_t row = 0;
    std::int32_t column = 0;
    std::string address;
    std::string textToDisplay;
    // What followed a "#" in the address given: a place inside the target, as Excel reads it.
    std::string subAddress;
};

// A PNG image, stored once in a workbook however many cells show it.
struct Image {
    std::string png;
    std::int32_t width = 0; // pixels, as it is shown
    std::int32_t height = 0;
};

// An image of the workbook shown in a cell, its top-left corner `left` and `top` pixels into the
// cell; it moves with the cell when rows are sorted or filtered.
struct PlacedPicture {
    std::int32_t row = 0;
    std::int32_t column = 0;
    std::size_t image = 0; // place in the workbook's images
    std::int32_t left = 0;
    std::int32_t top = 0;
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
    std::vector<StoredHyperlink> hyperlinks;
    std::unordered_map<std::uint64_t, std::size_t> hyperlinkOfCell; // place in hyperlinks
    // The first cell below and right of the frozen panes.
    std::optional<std::pair<std::int32_t, std::int32_t>> frozenAt;
    std::vector<PlacedPicture> pictures;

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

struct Workbook {
    std::string name;
    std::vector<std::unique_ptr<Sheet>> sheets; // tab order
    std::size_t activeSheet = 0;
    std::vector<Image> images;

    Sheet* FindSheet(const std::string& name) const;
};

// The calendar year now, on the machine's clock.
int ThisYear();

} // namespace pw::workbook
