// excel_standin.exe: the Excel stand-in as a local server ("Excel.Application"), for the
// project's own Wine prefix only. Like Excel, each creation by a client starts a process of its
// own, which ends once the client has let go of everything it was handed; started by automation
// it is not entered in the running-object table, started as a user starts Excel it is, and stays
// until Quit. When it ends it writes the workbooks it holds to the folder named by
// PARTWRIGHT_WORKBOOK_DIR (default: "Partwright workbooks" in the temporary folder).
// PARTWRIGHT_EXCEL_EXIT_AT_CALL=n ends the process abruptly at its n-th call, as an Excel that
// crashes or that a user closes; PARTWRIGHT_EXCEL_USER_AT_CALL=n has the user open a workbook of
// their own at the n-th call; PARTWRIGHT_EXCEL_BUSY="EVERY,MS" turns calls away for MS milliseconds
// from every EVERY-th call on, as an Excel whose user edits a cell ("EVERY,forever": busy for
// good from the EVERY-th call; "@N,MS" once, from the N-th call). As Excel, it refuses its macro
// projects unless the user trusted access to them (AccessVBOM 1 under
// HKCU\Software\Microsoft\Office\16.0\Excel\Security). PARTWRIGHT_EXCEL_CALLS_FILE names a file
// that gets, when it ends, the number of automation calls (IDispatch::Invoke) it was asked, for the
// benchmark of the export's calls per row.
#include "BusyExcel.h"
#include "ExcelObjects.h"
#include "ExcelStandin.h"
#include "shared/com/ComApartment.h"
#include "shared/com/ComBoundary.h"
#include "shared/com/ComFailure.h"
#include "shared/com/ComObject.h"
#include "shared/com/ModulePath.h"
#include "shared/com/ServerRegistration.h"
#include "shared/com/TextConvert.h"
#include "shared/core/Step.h"
#include "standins/com/LocalServer.h"
#include "standins/workbook/ExcelUser.h"
#include "standins/workbook/WorkbookFiles.h"

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

namespace {

using namespace pw;

struct Session {
    std::shared_ptr<pw::standins::ExcelState> state = std::make_shared<pw::standins::ExcelState>();
    std::shared_ptr<standins::ExcelFaults> faults = std::make_shared<standins::ExcelFaults>();
    std::shared_ptr<standins::ShapesAndModules> aside =
        std::make_shared<standins::ShapesAndModules>();
    DWORD thread = GetCurrentThreadId();
    DWORD runningCookie = 0; // the running-object table's entry, when a user started it
    bool ended = false;
    const standins::BusyExcel* calls = nullptr;
};

Session* gSession = nullptr;

std::string WorkbookFolder() {
    wchar_t buffer[MAX_PATH * 2] = {};
    if (GetEnvironmentVariableW(L"PARTWRIGHT_WORKBOOK_DIR", buffer, MAX_PATH * 2) > 0) {
        return com::WideToUtf8(buffer);
    }
    GetTempPathW(MAX_PATH * 2, buffer);
    return com::WideToUtf8(buffer) + "Partwright workbooks";
}

// The last object is gone: the workbooks are written before the client's last release returns,
// so a client that lets go of Excel finds the files complete.
void EndSession() {
    if (gSession->ended) {
        return;
    }
    gSession->ended = true;
    RunStep(
        [] { standins::WriteWorkbookFiles(*gSession->state, *gSession->aside, WorkbookFolder()); });
    if (const char* callsFile = std::getenv("PARTWRIGHT_EXCEL_CALLS_FILE")) {
        std::ofstream(callsFile, std::ios::trunc) << gSession->calls->Invokes() << "\n";
    }
    PostThreadMessageW(gSession->thread, WM_QUIT, 0, 0);
}

void Quit() {
    if (gSession->runningCookie != 0) {
        RevokeActiveObject(std::exchange(gSession->runningCookie, 0), nullptr);
    }
}

HRESULT CreateApplication(REFIID iid, void** out) {
    return com::Guarded([&] {
        return standins::MakeExcelApplication(gSession->state, gSession->faults, gSession->aside,
                                              Quit)
            ->QueryInterface(iid, out);
    });
}

const com::ServerClass kClasses[] = {{CLSID_Application, L"Partwright stand-in for Microsoft Excel",
                                      L"Excel.Application", CreateApplication}};

// The call number an environment variable names, 0 when it names none.
std::uint64_t CallNumber(const char* variable) {
    const char* configured = std::getenv(variable);
    return configured ? std::strtoull(configured, nullptr, 10) : 0;
}

void ExitAtCall(standins::ExcelFaults& faults) {
    if (const std::uint64_t exitAt = CallNumber("PARTWRIGHT_EXCEL_EXIT_AT_CALL"); exitAt > 0) {
        faults.onCall = [&faults, exitAt] {
            if (faults.calls >= exitAt) {
                TerminateProcess(GetCurrentProcess(), 3);
            }
        };
    }
}

// Excel's Trust Center setting "Trust access to the VBA project object model", off unless set.
bool MacroProjectTrusted() {
    DWORD trusted = 0;
    DWORD size = sizeof trusted;
    return RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Office\\16.0\\Excel\\Security",
                        L"AccessVBOM", RRF_RT_REG_DWORD, nullptr, &trusted,
                        &size) == ERROR_SUCCESS &&
           trusted == 1;
}

int Serve(com::LocalStart start) {
    Session session;
    gSession = &session;
    ExitAtCall(*session.faults);
    if (const std::uint64_t userAt = CallNumber("PARTWRIGHT_EXCEL_USER_AT_CALL"); userAt > 0) {
        standins::UserOpensAWorkbookAtCall(*session.state, *session.faults, userAt);
    }
    session.faults->refuseMacroProject = !MacroProjectTrusted();
    std::optional<standins::BusyPeriods> periods;
    if (const char* configured = std::getenv("PARTWRIGHT_EXCEL_BUSY")) {
        periods = standins::ParseBusyPeriods(configured);
    }
    const standins::BusyExcel filter(periods);
    session.calls = &filter;
    com::SetModuleIdleHandler(EndSession);
    if (start == com::LocalStart::Automation) {
        com::SingleUseClasses offered(kClasses);
        com::RunMessages();
    } else {
        {
            com::ComPtr<IDispatch> app =
                standins::MakeExcelApplication(session.state, session.faults, session.aside, Quit);
            com::ThrowIfFailed(RegisterActiveObject(app.get(), CLSID_Application,
                                                    ACTIVEOBJECT_STRONG, &session.runningCookie),
                               "Entering Excel in the running-object table");
        }
        com::RunMessages();
    }
    com::SetModuleIdleHandler(nullptr);
    return 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    const com::LocalStart start = com::LocalStartOf(commandLine ? commandLine : L"");
    const std::wstring path = com::ModulePathOf(reinterpret_cast<const void*>(&Serve));
    if (start == com::LocalStart::Register) {
        return SUCCEEDED(com::RegisterServerClasses(kClasses, com::ServerKind::Local, path)) ? 0
                                                                                             : 1;
    }
    if (start == com::LocalStart::Unregister) {
        return SUCCEEDED(com::UnregisterServerClasses(kClasses)) ? 0 : 1;
    }
    const com::ComApartment apartment;
    if (!apartment) {
        return 1;
    }
    const HRESULT served = com::Guarded([&] { return Serve(start) == 0 ? S_OK : E_FAIL; });
    return SUCCEEDED(served) ? 0 : 1;
}
