#pragma once

#include "partwright/workbook/WorkbookApplication.h"

#include <memory>

namespace pw::standins {

// Reaches the stand-in: attaching works while it "runs" as a user started it; starting it by
// automation, as Office does, leaves it unattachable. An unreachable stand-in can be neither
// attached to nor started.
class WorkbookLauncher : public excel::ExcelLauncher {
public:
    explicit WorkbookLauncher(std::shared_ptr<workbook::ExcelState> state)
        : state_(std::move(state)) {}

    bool running = false;
    bool startable = true;
    int starts = 0;

    std::shared_ptr<excel::Application> Attach() override;
    std::shared_ptr<excel::Application> Start() override;

private:
    std::shared_ptr<workbook::ExcelState> state_;
};

} // namespace pw::standins
