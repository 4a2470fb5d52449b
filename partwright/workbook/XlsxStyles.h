#pragma once

#include "WorkbookModel.h"

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace pw::workbook {

// The workbook's cell styles, each a font, a fill, an alignment and a number format, numbered
// in the order they are first asked for; style 0 is the plain one.
class XlsxStyles {
public:
    int Of(const Format& format, bool date);
    std::string Xml() const;

private:
    using StyleKey = std::tuple<int, int, std::string, bool>;

    std::map<std::string, int> fonts_{{"", 0}};
    std::map<std::string, int> fills_{{"", 0}};
    std::map<StyleKey, int> styles_{{StyleKey(0, 0, std::string(), false), 0}};
    // Formats seen before, packed, so that a cell's style is one lookup.
    std::unordered_map<std::uint64_t, int> known_;
};

// Later formats win: column, then row, then cell.
Format Merged(const Format& under, const Format& over);

} // namespace pw::workbook
