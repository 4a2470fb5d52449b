#pragma once

#include "ExcelFaults.h"
#include "ShapesAndModules.h"
#include "partwright/excel/ExcelApi.h"
#include "standins/workbook/ExcelState.h"

#include <memory>

namespace pw::standins {

// Reaches the stand-in: attaching works while it "runs" as a user started it; starting it by
// automation, as Office does, leaves it unattachable. An unreachable stand-in can be neither
// attached to nor started. Every application it hands out has its faults applied.
class WorkbookLauncher : public excel::ExcelLauncher {
public:
    explicit WorkbookLauncher(std::shared_ptr<ExcelState> state,
                              std::shared_ptr<ExcelFaults> faults = std::make_shared<ExcelFaults>())
        : state_(std::move(state)), faults_(std::move(faults)) {}

    bool running = false;
    bool startable = true;
    int starts = 0;

    std::shared_ptr<excel::Application> Attach() override;
    std::shared_ptr<excel::Application> Start() override;
    ExcelFaults& Faults() { return *faults_; }
    ShapesAndModules& Aside() { return *aside_; }

private:
    std::shared_ptr<ExcelState> state_;
    std::shared_ptr<ExcelFaults> faults_;
    std::shared_ptr<ShapesAndModules> aside_ = std::make_shared<ShapesAndModules>();
};

} // namespace pw::standins
