#pragma once

#include <cstdint>
#include <string>

namespace pw::workbook {

enum class CellKind { Empty, Text, Number, Boolean, Date, Formula };

// What a cell holds once Excel has read what was typed or assigned into it.
struct CellEntry {
    CellKind kind = CellKind::Empty;
    std::string text;   // Text and Formula
    double number = 0;  // Number and Date (days since 1899-12-30)
    bool truth = false; // Boolean

    bool operator==(const CellEntry&) const = default;
};

// Reads text as Excel (English, United States) reads text assigned to a cell's value: empty text
// empties the cell, a leading apostrophe keeps the rest as text, "=" begins a formula, TRUE and
// FALSE are truth values, and texts that look like numbers, percentages, currency or dates become
// numbers and dates. Anything else stays text.
CellEntry ReadEntry(const std::string& typed, int currentYear);

} // namespace pw::workbook
