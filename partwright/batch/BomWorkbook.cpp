#include "BomWorkbook.h"

#include "InMemoryWorkbook.h"
#include "SilentViews.h"
#include "partwright/export/modExcel.h"
#include "shared/core/Failure.h"

namespace pw::batch {

std::unique_ptr<workbook::Workbook> BomWorkbook(model::BomModel& model, bool indented,
                                                bool hyperlinks,
                                                excel::BomStructureColumn structure,
                                                excel::SummaryRowsBy summaryRows,
                                                excel::CellLimits limits, Fitted* fitted) {
    InMemoryWorkbook made(limits);
    SilentExportView view(indented, hyperlinks);
    excel::ExportState exportState;
    const excel::ExportOutcome outcome =
        excel::modExcel(model, exportState, view, made.Launcher(), excel::WorkbookKind::CellsOnly,
                        structure, summaryRows, limits, excel::QuantityColumns::WhereCounted)
            .ExportToExcel();
    if (fitted && outcome.fitted > 0) {
        fitted->count += outcome.fitted;
        if (fitted->first.empty()) {
            fitted->first = outcome.firstFitted;
        }
    }
    // A workbook with a step missing is no workbook to write.
    if (!outcome.Complete()) {
        throw Failure(kEFail, "the workbook could not be made whole: " +
                                  (outcome.stopped ? outcome.stopReason : outcome.firstFailure));
    }
    return made.Take();
}

} // namespace pw::batch
