#include "ExcelSession.h"

#include "partwright/excel/ExcelCodes.h"
#include "partwright/excel/ExcelNotAnswering.h"
#include "shared/core/NumberText.h"
#include "shared/core/Step.h"

#include <utility>

namespace pw::excel {
namespace {

// How long a call is made again while Excel turns it away: long enough for a user to finish
// typing into a cell or close a dialog once told, short enough that the export never seems hung.
constexpr std::chrono::seconds kBusyLimit{20};

} // namespace

ExcelSession::ExcelSession(ExcelLauncher& launcher, model::StatusPort& view)
    : launcher_(launcher), view_(view) {}

ExportOutcome ExcelSession::Run(const std::function<void(Workbook& book)>& work) {
    const auto busyWait = launcher_.WaitWhileBusy(kBusyLimit, [&](std::chrono::seconds waited) {
        waitShown_ = true;
        view_.SetStatus("Excel is busy (a cell being edited or a dialog open?); waiting for it: " +
                        std::to_string(waited.count()) + " s of " +
                        std::to_string(kBusyLimit.count()) + " s");
        view_.DoEvents();
    });
    try {
        Open(work);
    } catch (const ExcelNotAnswering& stopped) {
        const std::string left = book_ ? "the workbook is incomplete." : "nothing was exported.";
        Stopped(IsExcelBusy(stopped.code())
                    ? "Excel stayed busy for " + std::to_string(kBusyLimit.count()) +
                          " s (a cell being edited or a dialog open?); the export was stopped "
                          "and " +
                          left
                    : "Excel closed during the export; " + left);
    }
    if (!outcome_.stopped && outcome_.failedSteps > 0) {
        Status("Exported, but " + CountedText(outcome_.failedSteps, "step", "steps") +
               " failed; the first: " + outcome_.firstFailure);
        view_.DoEvents();
    } else if (!outcome_.stopped && outcome_.fitted > 0) {
        Status("Exported, fitted to Excel's limits in " +
               CountedText(outcome_.fitted, "place", "places") +
               "; the first: " + outcome_.firstFitted);
        view_.DoEvents();
    }
    if (std::exchange(waitShown_, false)) {
        view_.SetStatus(shownStatus_); // the wait is over: the status says how the export ended
        view_.DoEvents();
    }
    book_.reset();
    app_.reset();
    return outcome_;
}

void ExcelSession::Open(const std::function<void(Workbook& book)>& work) {
    if (RunStep([&] { app_ = launcher_.Attach(); }) != kOk) {
        RunStep([&] { app_ = launcher_.Start(); });
    }
    if (!app_) {
        Stopped("Excel could not be reached; nothing was exported.");
        return;
    }
    Step([&] { app_->SetVisible(true); });
    Step([&] { app_->SetWindowState(kWindowStateNormal); });
    // Every later call goes through the workbook made here and the sheets and shapes it is
    // given, never through what is active: Excel is visible, and the user may click another
    // workbook while the export runs.
    if (Try([&] { book_ = app_->AddWorkbook(); }, false) != kOk || !book_) {
        Stopped("Excel could not add a workbook; nothing was exported: " + lastFailure_);
        return;
    }
    work(*book_);
}

void ExcelSession::Status(const std::string& text) {
    shownStatus_ = text;
    waitShown_ = false;
    view_.SetStatus(text);
}

void ExcelSession::CountFailure(const std::string& reason) {
    if (outcome_.failedSteps++ == 0) {
        outcome_.firstFailure = reason;
    }
}

void ExcelSession::CountFitted(const std::string& reason) {
    if (outcome_.fitted++ == 0) {
        outcome_.firstFitted = reason;
    }
}

void ExcelSession::Stopped(const std::string& status) {
    outcome_.stopped = true;
    outcome_.stopReason = status;
    Status(status);
    view_.DoEvents();
}

ResultCode ExcelSession::Try(const std::function<void()>& step, bool counted) {
    try {
        step();
        return kOk;
    } catch (const Failure& failed) {
        if (IsExcelGone(failed.code()) || IsExcelBusy(failed.code())) {
            throw ExcelNotAnswering(failed.code());
        }
        if (counted) {
            CountFailure(failed.what());
        }
        lastFailure_ = failed.what();
        return failed.code();
    }
}

ResultCode ExcelSession::Step(const std::function<void()>& step) {
    return Try(step, true);
}

void ExcelSession::StepTwice(const std::function<void()>& step) {
    if (Try(step, false) != kOk) {
        Step(step);
    }
}

void ExcelSession::Progress(const char* sheet, std::int32_t done, std::int32_t total) {
    const auto now = std::chrono::steady_clock::now();
    if (done >= total || now - lastProgress_ < std::chrono::milliseconds(250)) {
        return;
    }
    lastProgress_ = now;
    Status(std::string("Writing ") + sheet + ": " + IntegerText(done) + " of " +
           IntegerText(total) + " rows");
    view_.DoEvents();
}

} // namespace pw::excel
