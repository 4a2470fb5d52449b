#pragma once

#include "WorkbookModel.h"
#include "partwright/export/ExcelApi.h"

#include <memory>

namespace pw::standins {

// Excel's automation interface over the workbook model, behaving as Excel does for every
// member the export and the macro writer use.
std::shared_ptr<excel::Application> MakeWorkbookApplication(std::shared_ptr<ExcelState> state);

// Reaches the stand-in: attaching works while it "runs", starting makes it run. An unreachable
// stand-in can be neither attached to nor started.
class WorkbookLauncher : public excel::ExcelLauncher {
public:
    explicit WorkbookLauncher(std::shared_ptr<ExcelState> state) : state_(std::move(state)) {}

    bool running = false;
    bool startable = true;

    std::shared_ptr<excel::Application> Attach() override;
    std::shared_ptr<excel::Application> Start() override;

private:
    std::shared_ptr<ExcelState> state_;
};

} // namespace pw::standins
