#include "BomWorkbook.h"

#include "partwright/excel/SheetBlocks.h"

namespace pw::batch {
namespace {

// A BOM sheet's header row as the Excel export leaves it: row 1, tall enough for the buttons
// Excel's workbook has there, bold, and frozen above the rows (and, on the Indented BOM, left of
// the part numbers' column).
void HeaderRow(workbook::Sheet& sheet, std::int32_t frozenColumn) {
    sheet.SetRowHeight(1, excel::kHeaderRowHeight);
    sheet.rows[1].format.bold = true;
    sheet.frozenAt = {{2, frozenColumn}};
}

excel::BlockSink Into(excel::BlockWriter& writer) {
    return [&writer](const excel::RowBlock& block, std::int32_t, std::int32_t) {
        writer.Write(block);
    };
}

} // namespace

std::unique_ptr<workbook::Workbook>
BomWorkbook(const model::BomModel& model, const excel::BomSheetOptions& options, bool hyperlinks,
            excel::CellLimits limits, Fitted* fitted, const workbook::FileImages* pictures) {
    const excel::BomSheets layout(model, options);
    auto book = std::make_unique<workbook::Workbook>();
    // In tab order, the totals first and shown, as Excel leaves them.
    workbook::Sheet& totals = AddSheet(*book, excel::kTotalsSheet);
    workbook::Sheet& summary = AddSheet(*book, excel::kSummarySheet);
    workbook::Sheet& indented = AddSheet(*book, excel::kIndentedSheet);
    if (pictures) {
        book->images = pictures->Images();
    }

    HeaderRow(indented, 2);
    auto indentedWriter = WriterOf(indented, limits, fitted, pictures);
    indentedWriter.Write(layout.IndentedHeader(1));
    const bool indentedRows = layout.IndentedRows(2, hyperlinks, Into(indentedWriter));

    HeaderRow(summary, 1);
    auto summaryWriter = WriterOf(summary, limits, fitted, pictures);
    summaryWriter.Write(layout.SummaryHeader(1));
    // The Summary BOM links its file names as the Indented BOM did.
    layout.SummaryRows(2, hyperlinks && indentedRows, Into(summaryWriter));

    workbook::ColumnFormat& labels = totals.columns[1];
    labels.format.bold = true;
    labels.format.horizontalAlignment = excel::kAlignRight;
    labels.width = 22;
    totals.At(1, 1).format.horizontalAlignment = excel::kAlignLeft;
    auto totalsWriter = WriterOf(totals, limits, fitted);
    for (const excel::RowBlock& title : layout.TotalsTitle()) {
        totalsWriter.Write(title);
    }
    totalsWriter.Write(layout.TotalsFigures(2));
    return book;
}

} // namespace pw::batch
