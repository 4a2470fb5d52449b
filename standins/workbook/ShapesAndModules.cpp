#include "ShapesAndModules.h"

#include "CellReference.h"

namespace pw::standins {
namespace {

using workbook::CellEntry;
using workbook::CellKind;
using workbook::Sheet;

std::vector<MacroModule> DocumentModules(const workbook::Workbook& book) {
    std::vector<MacroModule> modules{{"ThisWorkbook", 100, {}, {}}};
    for (const auto& sheet : book.sheets) {
        modules.push_back({sheet->name, 100, {}, {}});
    }
    return modules;
}

} // namespace

const SheetShapes* ShapesAndModules::FindShapes(const workbook::Sheet& sheet) const {
    const auto found = shapes_.find(&sheet);
    return found == shapes_.end() ? nullptr : &found->second;
}

std::vector<MacroModule>& ShapesAndModules::Modules(const workbook::Workbook& book) {
    auto found = modules_.find(&book);
    if (found == modules_.end()) {
        found = modules_.emplace(&book, DocumentModules(book)).first;
    }
    return found->second;
}

std::vector<MacroModule> ShapesAndModules::ModulesOf(const workbook::Workbook& book) const {
    const auto found = modules_.find(&book);
    return found == modules_.end() ? DocumentModules(book) : found->second;
}

std::int32_t BoxValueOf(const CellEntry& entry) {
    if (entry.kind == CellKind::Empty) {
        return kBoxOff;
    }
    if (entry.kind == CellKind::Boolean) {
        return entry.truth ? kBoxOn : kBoxOff;
    }
    return kBoxMixed;
}

void FollowLinkedCells(const Sheet& sheet, SheetShapes& shapes, std::int32_t top, std::int32_t left,
                       std::int32_t bottom, std::int32_t right) {
    const auto follow = [&](std::int32_t row, std::int32_t column,
                            const std::vector<std::size_t>& boxes) {
        const std::int32_t value = BoxValueOf(sheet.Entry(row, column));
        for (const std::size_t box : boxes) {
            shapes.shapes.at(box).value = value;
        }
    };
    // Whichever is fewer: the linked cells, or the cells written.
    const auto cells =
        static_cast<std::uint64_t>(bottom - top + 1) * static_cast<std::uint64_t>(right - left + 1);
    if (shapes.boxesOfCell.size() < cells) {
        for (const auto& [key, boxes] : shapes.boxesOfCell) {
            const auto row = static_cast<std::int32_t>(key >> 32);
            const auto column = static_cast<std::int32_t>(key & 0xFFFFFFFFu);
            if (row >= top && row <= bottom && column >= left && column <= right) {
                follow(row, column, boxes);
            }
        }
        return;
    }
    for (std::int32_t row = top; row <= bottom; ++row) {
        for (std::int32_t column = left; column <= right; ++column) {
            if (const auto found = shapes.boxesOfCell.find(Sheet::Key(row, column));
                found != shapes.boxesOfCell.end()) {
                follow(row, column, found->second);
            }
        }
    }
}

void SetBoxValue(Sheet& sheet, SheetShapes& shapes, StoredShape& box, std::int32_t value) {
    box.value = value;
    if (const auto cell = CellOfReference(box.linkedCell)) {
        const auto [row, column] = *cell;
        sheet.At(row, column).entry = value == kBoxOn ? CellEntry{CellKind::Boolean, {}, 0, true}
                                      : value == kBoxOff
                                          ? CellEntry{CellKind::Boolean, {}, 0, false}
                                          : CellEntry{CellKind::Error, "#N/A"};
        FollowLinkedCells(sheet, shapes, row, column, row, column);
    }
}

} // namespace pw::standins
