#pragma once

#include "WorkbookModel.h"
#include "partwright/export/ExcelApi.h"

#include <memory>

namespace pw::standins {

// Excel's automation interface over the workbook model, behaving as Excel does for every
// member the export and the macro writer use.
std::shared_ptr<excel::Application> MakeWorkbookApplication(std::shared_ptr<ExcelState> state);

// The sheet of `book` (made by MakeWorkbookApplication) named `name`, as Sheets(name) finds it;
// "Subscript out of range" when there is none.
std::shared_ptr<excel::Worksheet> FindWorksheet(excel::Workbook& book, const std::string& name);

// Reaches the stand-in: attaching works while it "runs" as a user started it; starting it by
// automation, as Office does, leaves it unattachable. An unreachable stand-in can be neither
// attached to nor started.
class WorkbookLauncher : public excel::ExcelLauncher {
public:
    explicit WorkbookLauncher(std::shared_ptr<ExcelState> state) : state_(std::move(state)) {}

    bool running = false;
    bool startable = true;
    int starts = 0;

    std::shared_ptr<excel::Application> Attach() override;
    std::shared_ptr<excel::Application> Start() override;

private:
    std::shared_ptr<ExcelState> state_;
};

} // namespace pw::standins
