#pragma once

#include "shared/core/Value.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// A sheet as data: blocks of rows with their values, the formats of runs of rows and the links
// laid over their cells. The export lays its sheets out as such blocks; Excel and the workbook
// written as a file each take them through a BlockWriter.
namespace pw::excel {

// A cell's value as Excel hands it over: empty, text, a number or a truth value.
using CellValue = Value;

inline constexpr std::int32_t kAlignRight = -4152;
inline constexpr std::int32_t kAlignLeft = -4131;

// Excel's limits: the characters (UTF-16 units) one cell holds, the hyperlinks one sheet holds.
inline constexpr std::size_t kCellCharacters = 32767;
inline constexpr std::size_t kHyperlinksPerSheet = 65530;

// The rows of values sent to Excel in one call: a thousand rows of the widest sheet marshal to a
// few megabytes, and 20,000 rows take twenty calls.
inline constexpr std::int32_t kRowsPerBlock = 1000;

// Values for a rectangle of cells, row by row; an empty value leaves a blank cell blank.
struct CellBlock {
    std::int32_t rows = 0;
    std::int32_t columns = 0;
    std::vector<CellValue> values; // rows * columns

    CellBlock(std::int32_t rowCount, std::int32_t columnCount)
        : rows(rowCount), columns(columnCount),
          values(static_cast<std::size_t>(rowCount) * static_cast<std::size_t>(columnCount)) {}
    // row and column from 0.
    CellValue& At(std::int32_t row, std::int32_t column) {
        return values[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) +
                      static_cast<std::size_t>(column)];
    }
    const CellValue& At(std::int32_t row, std::int32_t column) const {
        return values[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) +
                      static_cast<std::size_t>(column)];
    }
};

// Formats set on whole rows, top to bottom; colours are indexes of Excel's default palette.
struct RowRunFormat {
    std::int32_t top = 0;
    std::int32_t bottom = 0;
    std::optional<std::int32_t> fill;
    std::optional<std::int32_t> fontColor;
    bool bold = false;
};

// A hyperlink laid over a cell whose value is already written; a link that is refused loses
// only the link.
struct CellLink {
    std::int32_t row = 0;
    std::int32_t column = 0;
    std::string address;
    std::string text;
};

// A file's picture in a cell, in a row made tall enough for it. `file` is the file's full name,
// or empty for a row that shows no file (a virtual or missing component): its cell stays empty.
struct CellPicture {
    std::int32_t row = 0;
    std::int32_t column = 0;
    std::string file;
};

// Rows from `top` down, from column 1: their formats, set before the values, then the values,
// then the links and the pictures. `failures` are the values that could not be made, their
// cells left blank.
struct RowBlock {
    RowBlock(std::int32_t firstRow, std::int32_t rowCount, std::int32_t columnCount)
        : top(firstRow), values(rowCount, columnCount) {}
    std::int32_t top;
    CellBlock values;
    std::vector<RowRunFormat> formats;
    std::vector<CellLink> links;
    std::vector<CellPicture> pictures;
    std::vector<std::string> failures;
};

// One format per run of rows of the same kind: `kindOf(i)` for the i-th of `count` rows, and
// `format(kind, run)` to fill in a run's format; a run left without a fill, a font colour or
// bold is not kept.
template <class KindOf, class Format>
void AddRunFormats(RowBlock& block, std::int32_t count, KindOf kindOf, Format format) {
    for (std::int32_t start = 0; start < count;) {
        std::int32_t end = start + 1;
        while (end < count && kindOf(end) == kindOf(start)) {
            ++end;
        }
        RowRunFormat run{block.top + start, block.top + end - 1, {}, {}, false};
        format(kindOf(start), run);
        if (run.fill || run.fontColor || run.bold) {
            block.formats.push_back(run);
        }
        start = end;
    }
}

// Hands `items` to `write` a block's worth at a time: the block's first item's place and its
// items.
template <class Item, class Write> void InBlocks(std::span<const Item> items, Write write) {
    const auto count = static_cast<std::int32_t>(items.size());
    for (std::int32_t first = 0; first < count; first += kRowsPerBlock) {
        const std::int32_t size = std::min(kRowsPerBlock, count - first);
        write(first,
              items.subspan(static_cast<std::size_t>(first), static_cast<std::size_t>(size)));
    }
}

} // namespace pw::excel
