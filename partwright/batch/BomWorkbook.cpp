#include "BomWorkbook.h"

#include "SilentViews.h"
#include "partwright/excel/ExcelCodes.h"
#include "partwright/export/modExcel.h"
#include "partwright/workbook/WorkbookApplication.h"
#include "shared/core/Failure.h"

namespace pw::batch {
namespace {

// No Excel runs to attach to; "starting" one makes the workbook in memory.
class InMemoryExcel : public excel::ExcelLauncher {
public:
    explicit InMemoryExcel(std::shared_ptr<workbook::ExcelState> state)
        : state_(std::move(state)) {}

    std::shared_ptr<excel::Application> Attach() override {
        throw Failure(excel::kNotRunning, "Operation unavailable");
    }
    std::shared_ptr<excel::Application> Start() override {
        return workbook::MakeWorkbookApplication(state_);
    }

private:
    std::shared_ptr<workbook::ExcelState> state_;
};

} // namespace

std::unique_ptr<workbook::Workbook> BomWorkbook(model::BomModel& model, bool indented,
                                                bool hyperlinks,
                                                excel::BomStructureColumn structure,
                                                excel::SummaryRowsBy summaryRows) {
    auto state = std::make_shared<workbook::ExcelState>();
    state->sheetsInNewWorkbook = 1;
    InMemoryExcel excel(state);
    SilentExportView view(indented, hyperlinks);
    excel::ExportState exportState;
    const excel::ExportOutcome outcome =
        excel::modExcel(model, exportState, view, excel, excel::WorkbookKind::CellsOnly, structure,
                        summaryRows)
            .ExportToExcel();
    // A workbook with a step missing is no workbook to write.
    if (!outcome.Complete()) {
        throw Failure(kEFail, "the workbook could not be made whole: " +
                                  (outcome.stopped ? outcome.stopReason : outcome.firstFailure));
    }
    if (state->workbooks.empty()) {
        throw Failure(kEFail, "the workbook could not be made");
    }
    return std::move(state->workbooks.front());
}

} // namespace pw::batch
