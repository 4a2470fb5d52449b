#pragma once

#include "ExcelApi.h"

namespace pw::excel {

// Reaches Microsoft Excel by COM: the running "Excel.Application" from the running-object table,
// or a new one. Every member is bound by name at run time, as Excel's object model has it.
class ComExcelLauncher : public ExcelLauncher {
public:
    std::shared_ptr<Application> Attach() override;
    std::shared_ptr<Application> Start() override;
    // Through a message filter in the calling thread's apartment, and by calling again where COM
    // hands the rejection back.
    std::unique_ptr<BusyWait>
    WaitWhileBusy(std::chrono::seconds limit,
                  std::function<void(std::chrono::seconds waited)> onWait) override;
};

} // namespace pw::excel
