#include "ExcelState.h"

namespace pw::standins {

using workbook::Sheet;
using workbook::Workbook;

Workbook* ExcelState::ActiveWorkbook() const {
    return activeWorkbook ? workbooks[*activeWorkbook].get() : nullptr;
}

std::unique_ptr<Workbook> ExcelState::NewWorkbook(const std::string& name) {
    auto book = std::make_unique<Workbook>();
    book->name = name;
    for (int n = 1; n <= sheetsInNewWorkbook; ++n) {
        auto sheet = std::make_unique<Sheet>();
        sheet->name = sheetNamePrefix + std::to_string(n);
        book->sheets.push_back(std::move(sheet));
    }
    nextSheetNumber[book.get()] = sheetsInNewWorkbook + 1;
    return book;
}

} // namespace pw::standins
