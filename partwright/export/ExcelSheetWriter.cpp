#include "ExcelSheetWriter.h"

#include "partwright/excel/ExcelCodes.h"
#include "shared/core/Checked.h"
#include "shared/core/NumberText.h"

#include <utility>

namespace pw::excel {

ExcelSheetWriter::ExcelSheetWriter(ExcelSession& session, Worksheet* sheet, std::string name)
    : BlockWriter(std::move(name), CellLimits::Excel), session_(session), sheet_(sheet) {}

Worksheet& HeldSheet(Worksheet* sheet) {
    if (!sheet) {
        throw Failure(kObjectNotSet, "Object variable or With block variable not set");
    }
    return *sheet;
}

Worksheet& ExcelSheetWriter::Sheet() const {
    return HeldSheet(sheet_);
}

void ExcelSheetWriter::FormatRows(const RowRunFormat& run) {
    session_.Step([&] {
        const auto rows = Sheet().RowSpan(run.top, run.bottom);
        if (run.fill) {
            rows->SetInteriorColorIndex(*run.fill);
        }
        if (run.fontColor) {
            rows->SetFontColorIndex(*run.fontColor);
        }
        if (run.bold) {
            rows->SetFontBold(true);
        }
    });
}

void ExcelSheetWriter::PutValues(std::int32_t top, const CellBlock& values) {
    session_.Step([&] {
        Sheet()
            .Block(top, 1, checked::Add(top, values.rows - 1), values.columns)
            ->SetValues(values);
    });
}

void ExcelSheetWriter::PutLink(const CellLink& link) {
    session_.Step([&] {
        Sheet().AddHyperlink(*Sheet().Cells(link.row, link.column), link.address, link.text);
    });
}

void ExcelSheetWriter::PutPicture(const CellPicture& picture) {
    session_.CountFailure("no picture is placed in Excel's sheet (row " + IntegerText(picture.row) +
                          ")");
}

} // namespace pw::excel
