#pragma once

#include <cstdint>
#include <string>

namespace pw::workbook {

enum class CellKind { Empty, Text, Number, Boolean, Date, Formula, Error };

// What a cell holds once Excel has read what was typed or assigned into it.
struct CellEntry {
    CellKind kind = CellKind::Empty;
    std::string text;   // Text, Formula and Error ("#N/A")
    double number = 0;  // Number and Date (days since 1899-12-30)
    bool truth = false; // Boolean

    bool operator==(const CellEntry&) const = default;
};

// Reads text as Excel (English, United States) reads text assigned to a cell's value, or a CSV
// file's field: empty text empties the cell, a leading apostrophe keeps the rest as text, "="
// begins a formula, TRUE and FALSE are truth values, "#N/A" and its kin are error values, and
// texts that look like numbers (with thousands separators, a sign before or a minus after,
// currency, a percent sign, an exponent, or a fraction as in "1 1/2"), dates (month before day,
// or with a month's name), times ("12:30", "10:30 AM", "3:04:05") or both become numbers and
// dates. Anything else stays text.
CellEntry ReadEntry(const std::string& typed, int currentYear);

} // namespace pw::workbook
