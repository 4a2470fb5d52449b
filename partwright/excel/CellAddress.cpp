#include "CellAddress.h"

#include "shared/core/NumberText.h"

namespace pw::excel {

std::string ColumnLetters(std::int32_t column) {
    std::string name;
    for (; column > 0; column = (column - 1) / 26) {
        name.insert(name.begin(), static_cast<char>('A' + (column - 1) % 26));
    }
    return name;
}

std::string AbsoluteReference(std::int32_t row, std::int32_t column) {
    return "$" + ColumnLetters(column) + "$" + IntegerText(row);
}

} // namespace pw::excel
