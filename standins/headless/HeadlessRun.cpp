// The main job without a user: starts Partwright's window on an assembly, waits for the load,
// sets the export options, presses "Export To Excel", answers every message box with its
// default button, and leaves window.png, window.txt, exit-status and the stand-in's workbook
// files.
//   partwright_headless ASSEMBLY OUTDIR [--indented] [--builder] [--hyperlinks]
#include "PngFile.h"
#include "WindowText.h"
#include "partwright/app/ControlText.h"
#include "partwright/app/frmTree.h"
#include "partwright/excel/ComExcel.h"
#include "partwright/shell/Advapi32Registry.h"
#include "partwright/shell/WindowsShellHost.h"
#include "shared/com/ComApartment.h"
#include "shared/com/TextConvert.h"
#include "shared/core/NumberText.h"
#include "shared/core/OneLine.h"
#include "shared/inventor/ComDocumentAccess.h"
#include "shared/thumbnail/LegacyThumbnailCom.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

using namespace pw;

// The process as Partwright sees it, with the assembly as its argument; message boxes are
// recorded and answered with their default button instead of waiting for a user.
class HeadlessHost : public shell::WindowsShellHost {
public:
    explicit HeadlessHost(std::string assembly) : assembly_(std::move(assembly)) {}
    std::vector<app::ShownMessageBox> boxes;

    std::string ArgumentText() override { return "\"" + assembly_ + "\""; }
    int MsgBox(const std::string& text, const std::string& caption, int style) override {
        boxes.push_back({caption, style, text});
        return (style & 0x0F) == MB_YESNO ? IDYES : IDOK;
    }

private:
    std::string assembly_;
};

void Pump(int rounds) {
    for (int i = 0; i < rounds; ++i) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(20);
    }
}

bool WriteFile(const std::filesystem::path& path, const std::string& content) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << content;
    return static_cast<bool>(file);
}

int Run(const std::vector<std::wstring>& arguments) {
    if (arguments.size() < 3) {
        std::cerr << "usage: partwright_headless ASSEMBLY OUTDIR [--indented] [--builder] "
                     "[--hyperlinks]\n";
        return 2;
    }
    const std::string assembly = com::WideToUtf8(arguments[1]);
    const std::filesystem::path out(arguments[2]);
    std::filesystem::create_directories(out);
    SetEnvironmentVariableW(L"PARTWRIGHT_WORKBOOK_DIR", out.wstring().c_str());
    auto has = [&](const wchar_t* flag) {
        return std::find(arguments.begin() + 3, arguments.end(), std::wstring(flag)) !=
               arguments.end();
    };

    inventor::ComServerFactory servers;
    excel::ComExcelLauncher excel;
    thumbnail::ComLegacyReaderFactory legacy;
    HeadlessHost host(assembly);
    shell::Advapi32Registry registry;
    bool ended = false;
    // Each text of the status line with the time since the start, so that a long run shows
    // where it is and where its time goes.
    const auto start = std::chrono::steady_clock::now();
    const auto progress = [&](const std::string& text) {
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        std::printf("%7.1f s  %s\n", elapsed.count(), text.c_str());
        std::fflush(stdout);
    };
    app::frmTree window({servers, excel, legacy, host, registry, [&] { ended = true; }, progress});
    if (!window.Create(SW_SHOWNORMAL)) {
        std::cerr << "The window could not be created.\n";
        return 1;
    }
    Pump(10);
    if (ended) {
        // The message box the program ended on says why, and what to do.
        std::cerr << "Partwright ended at start-up: "
                  << (host.boxes.empty() ? std::string("the Apprentice server could not start.")
                                         : OneLine(host.boxes.back().text))
                  << "\n";
        return 1;
    }
    // A load that did not go through exports nothing: an empty workbook is no result.
    const bool loaded = window.Loader().Completed();
    if (loaded) {
        const std::pair<app::ControlId, bool> options[] = {
            {app::kCheck1, has(L"--indented")},
            {app::kChkBuild, has(L"--builder")},
            {app::kChkSetHyperlinks, has(L"--hyperlinks")}};
        for (const auto& [id, ticked] : options) {
            SendMessageW(window.Control(id), BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        SendMessageW(window.Control(app::kCommand1), BM_CLICK, 0, 0);
        Pump(25);
    }

    int failures = 0;
    if (!loaded) {
        const std::string reason =
            OneLine(host.boxes.empty() ? app::ControlText(window.Control(app::kStatus))
                                       : host.boxes.back().text);
        std::cerr << "The assembly was not loaded: " << assembly << ": " << reason << "\n";
        ++failures;
    }
    if (loaded && !window.LastExport().Complete()) {
        const excel::ExportOutcome& outcome = window.LastExport();
        std::cerr << "The export was incomplete: "
                  << (outcome.stopped ? outcome.stopReason
                                      : CountedText(outcome.failedSteps, "step", "steps") +
                                            " failed, the first: " + outcome.firstFailure)
                  << "\n";
        ++failures;
    }
    if (!WriteFile(out / "window.txt", app::WindowText(window, host.boxes))) {
        std::cerr << "window.txt could not be written.\n";
        ++failures;
    }
    const std::string png = app::WindowPng(window.Handle());
    if (png.empty() || !WriteFile(out / "window.png", png)) {
        std::cerr << "window.png could not be taken.\n";
        ++failures;
    }
    if (loaded && !std::filesystem::exists(out / "Book1.json") &&
        !std::filesystem::exists(out / "Book1.xlsx")) {
        bool any = false;
        for (const auto& entry : std::filesystem::directory_iterator(out)) {
            any = any || entry.path().extension() == ".xlsx";
        }
        if (!any) {
            std::cerr << "Excel wrote no workbook.\n";
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const com::ComApartment apartment;
    if (!apartment) {
        return 1;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    int result = 1;
    try {
        result = Run(std::vector<std::wstring>(argv, argv + argc));
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
    }
    // Wine's desktop, which gives the screenshot its frame, does not pass the exit status on.
    if (argc >= 3) {
        WriteFile(std::filesystem::path(argv[2]) / "exit-status", std::to_string(result) + "\n");
    }
    return result;
}
