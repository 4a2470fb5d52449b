#include "modWriteVBEtoExcel.h"

#include "MacroTexts.h"
#include "partwright/excel/ExcelCodes.h"
#include "shared/core/Failure.h"
#include "shared/core/Step.h"

namespace pw::macros {

void WriteMacros(excel::ExcelLauncher& launcher, int chkBuildValue, std::int16_t indentColumns) {
    std::shared_ptr<excel::Application> app;
    if (RunStep([&] { app = launcher.Attach(); }) != kOk) {
        RunStep([&] { app = launcher.Start(); });
    }
    if (!app) {
        throw Failure(kEFail, "Excel could not be reached.");
    }
    WriteMacros(*app, chkBuildValue, indentColumns);
}

void WriteMacros(excel::Application& app, int chkBuildValue, std::int16_t indentColumns) {
    app.SetVisible(true);
    app.SetWindowState(excel::kWindowStateNormal);
    const auto book = app.ActiveWorkbook();
    std::shared_ptr<excel::VBProject> project;
    try {
        project = book->VBProject();
    } catch (const Failure& refused) {
        // Excel's own text names no setting; the user is told which one to tick.
        if (refused.code() == excel::kApplicationError) {
            throw Failure(refused.code(), kPushMacrosNotTrustedMessage);
        }
        throw;
    }
    WriteMacros(*project, chkBuildValue, indentColumns);
}

void WriteMacros(excel::VBProject& project, int chkBuildValue, std::int16_t indentColumns) {
    const auto component = project.AddComponent(excel::kStandardModule);
    component->SetName(kMacroModuleName);
    const auto code = component->CodeModule();
    code->AddFromString(PreviewImageText(indentColumns));
    if (chkBuildValue == 1) {
        code->AddFromString(FindMe2Text());
        code->AddFromString(AddPartToAssyText());
        code->AddFromString(FillTMatrixText());
    }
}

} // namespace pw::macros
