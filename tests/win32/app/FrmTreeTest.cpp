#include "partwright/app/frmTree.h"

#include "partwright/macros/modWriteVBEtoExcel.h"
#include "partwright/shell/WindowsShellHost.h"
#include "shared/com/TextConvert.h"
#include "shared/inventor/ComDocumentAccess.h"
#include "shared/thumbnail/LegacyThumbnailCom.h"
#include "shared/window/Twips.h"
#include "standins/workbook/WorkbookLauncher.h"
#include "tests/fakes/MemoryRegistry.h"
#include "tests/unit/standins/Samples.h"

#include <windows.h>

#include <deque>
#include <functional>
#include <gtest/gtest.h>

namespace pw::app {
namespace {

using tests::SamplesFolder;

std::string Sample(const std::string& relative) {
    return SamplesFolder() + "\\" + relative;
}

// The process as the window sees it in a test: a chosen command line, the executable in a
// scratch folder, message boxes recorded and answered from a script.
class TestHost : public shell::WindowsShellHost {
public:
    std::string arguments;
    std::deque<int> answers;
    struct Box {
        std::string text;
        std::string caption;
        int style;
    };
    std::vector<Box> boxes;

    std::string ArgumentText() override { return arguments; }
    std::string ExeFolder() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        return com::WideToUtf8(temp);
    }
    int MsgBox(const std::string& text, const std::string& caption, int style) override {
        boxes.push_back({text, caption, style});
        if (answers.empty()) {
            return IDOK;
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// Counts the servers started, and can refuse to start them.
class CountingServers : public inventor::ServerFactory {
public:
    inventor::ComServerFactory real;
    int started = 0;
    bool refuse = false;
    std::shared_ptr<inventor::Server> Create(const std::string& progId) override {
        if (refuse) {
            throw Failure(static_cast<ResultCode>(0x80040154u), "Class not registered");
        }
        ++started;
        return real.Create(progId);
    }
};

class FrmTreeTest : public testing::Test {
protected:
    CountingServers servers;
    std::shared_ptr<standins::ExcelState> excelState = std::make_shared<standins::ExcelState>();
    standins::WorkbookLauncher excel{excelState};
    thumbnail::ComLegacyReaderFactory legacy;
    TestHost host;
    fakes::MemoryRegistry registry;
    int ended = 0;
    std::unique_ptr<frmTree> window;

    void Open(const std::string& arguments = "") {
        host.arguments = arguments;
        window = std::make_unique<frmTree>(
            AppServices{servers, excel, legacy, host, registry, [this] { ++ended; }});
        ASSERT_NE(window->Create(SW_SHOWNORMAL), nullptr);
        Pump();
    }
    void Pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    HWND Control(ControlId id) const { return window->Control(id); }
    std::string Text(ControlId id) const {
        wchar_t text[1024] = {};
        GetWindowTextW(Control(id), text, 1024);
        return com::WideToUtf8(text);
    }
    std::vector<std::string> Rows(ControlId id) const {
        std::vector<std::string> rows;
        const auto count = SendMessageW(Control(id), LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            wchar_t row[1024] = {};
            SendMessageW(Control(id), LB_GETTEXT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(row));
            rows.push_back(com::WideToUtf8(row));
        }
        return rows;
    }
    void Click(ControlId id) {
        SendMessageW(Control(id), BM_CLICK, 0, 0);
        Pump();
    }
    // Clicks node k: the click selects the node and the tree tells the window, as a mouse
    // click does (a synthetic mouse click cannot place Wine's pointer under Xvfb).
    void ClickNode(model::NodeIndex node) {
        const HWND tree = Control(kTreList);
        SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET,
                     reinterpret_cast<LPARAM>(window->TreeView().ItemOf(node)));
        NMHDR click{tree, static_cast<UINT_PTR>(kTreList), static_cast<UINT>(NM_CLICK)};
        SendMessageW(window->Handle(), WM_NOTIFY, kTreList, reinterpret_cast<LPARAM>(&click));
        Pump();
    }
    // What picPreview shows at (x, y).
    COLORREF PreviewPixel(int x, int y) {
        const HWND preview = Control(kPicPreview);
        InvalidateRect(preview, nullptr, TRUE);
        UpdateWindow(preview);
        const HDC dc = GetDC(preview);
        const COLORREF colour = GetPixel(dc, x, y);
        ReleaseDC(preview, dc);
        return colour;
    }
    bool Near(COLORREF colour, int red, int green, int blue) {
        return std::abs(GetRValue(colour) - red) <= 3 && std::abs(GetGValue(colour) - green) <= 3 &&
               std::abs(GetBValue(colour) - blue) <= 3;
    }
    bool ShowsGearbox() { return Near(PreviewPixel(60, 80), 61, 96, 149); }
    bool ShowsBasePlate() { return Near(PreviewPixel(60, 60), 135, 135, 144); }
    // The Conveyor's pictures are plain colours.
    bool ShowsConveyor() { return Near(PreviewPixel(60, 60), 200, 120, 40); }
    bool ShowsRoller() { return Near(PreviewPixel(60, 60), 40, 160, 80); }
    model::NodeIndex RollerNode() {
        const auto& nodes = window->TreeView().Nodes();
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            if (nodes[i].text == "Roller:1") {
                return static_cast<model::NodeIndex>(i + 1);
            }
        }
        ADD_FAILURE() << "no Roller:1 in the tree";
        return 1;
    }
};

TEST_F(FrmTreeTest, EveryControlStandsWhereTheLayoutPutsIt) {
    Open();
    EXPECT_EQ(Text(kTxtFilename), "");
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    wchar_t caption[64] = {};
    GetWindowTextW(window->Handle(), caption, 64);
    EXPECT_EQ(std::wstring(caption), L"Partwright");
    EXPECT_EQ(GetWindowLongW(window->Handle(), GWL_STYLE) & WS_THICKFRAME, 0);
    RECT client;
    GetClientRect(window->Handle(), &client);
    EXPECT_EQ(client.right, window::TwipsToPixels(9000, dpi));
    EXPECT_EQ(client.bottom, window::TwipsToPixels(7050, dpi));

    for (const ControlSpec& layout : Controls()) {
        SCOPED_TRACE(layout.name);
        const HWND control = Control(layout.id);
        ASSERT_NE(control, nullptr);
        RECT rect;
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, window->Handle(), reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, window::TwipsToPixels(layout.left, dpi));
        EXPECT_EQ(rect.top, window::TwipsToPixels(layout.top, dpi));
        EXPECT_EQ(rect.right - rect.left, window::TwipsToPixels(layout.width, dpi));
        EXPECT_EQ(rect.bottom - rect.top, window::TwipsToPixels(layout.height, dpi));
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        EXPECT_EQ(std::wstring(font.lfFaceName), L"MS Sans Serif");
        EXPECT_EQ(font.lfHeight, -MulDiv(layout.pointsTimes100, dpi, 7200));
        EXPECT_EQ(font.lfUnderline != 0, layout.link);
    }
    EXPECT_EQ(Text(kStatus), "Status");
    EXPECT_EQ(Text(kCommand1), "Export To Excel");
    // Push Image Code lies below the client edge, yet the keyboard reaches it.
    RECT pushRect;
    GetWindowRect(Control(kCommand2), &pushRect);
    MapWindowPoints(nullptr, window->Handle(), reinterpret_cast<POINT*>(&pushRect), 2);
    EXPECT_GE(pushRect.top, client.bottom);
    bool reached = false;
    HWND focus = Control(kTxtFilename);
    for (int step = 0; step < 20 && !reached; ++step) {
        focus = GetNextDlgTabItem(window->Handle(), focus, FALSE);
        reached = focus == Control(kCommand2);
    }
    EXPECT_TRUE(reached);
    EXPECT_EQ(GetFocus(), Control(kTxtFilename));
}

TEST_F(FrmTreeTest, StartingOnAnAssemblyLoadsItBeforeTheWindowIsShown) {
    Open("\"" + Sample("Gearbox.iam") + "\"");
    EXPECT_EQ(Text(kTxtFilename), Sample("Gearbox.iam"));
    EXPECT_EQ(window->TreeView().Nodes().size(), 18u);
    EXPECT_EQ(window->TreeView().Nodes().back().color, 700);
    EXPECT_EQ(Text(kStatus), "Found 6 Unique Parts or Assemblies");
    EXPECT_EQ(Rows(kList1).at(4), "(6)\t" + Sample("Parts\\Bolt M8.ipt"));
    EXPECT_EQ(Rows(kLstResults),
              (std::vector<std::string>{"Max Indent\t3", "Referenced Files\t7", "Assemblies\t3",
                                        "Parts Count\t14", "Total\t17", "Missing\t1"}));
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].caption, "Partwright");
    EXPECT_TRUE(ShowsGearbox());
    // The verb was registered on the way, without asking.
    EXPECT_NE(registry.Find(shell::kClassesRoot, shell::kVerbKey, ""), nullptr);
}

TEST_F(FrmTreeTest, NodeClicksAndDoubleClicksShowThatFile) {
    Open("\"" + Sample("Gearbox.iam") + "\"");
    ClickNode(2); // Base Plate:1
    EXPECT_TRUE(ShowsBasePlate());
    ClickNode(18); // the missing gasket: the picture stays
    EXPECT_TRUE(ShowsBasePlate());
    ClickNode(1);
    EXPECT_TRUE(ShowsGearbox());

    SendMessageW(Control(kList1), LB_SETCURSEL, 0, 0);
    SendMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(kList1, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(Control(kList1)));
    EXPECT_TRUE(ShowsBasePlate());
    // No row selected: nothing happens.
    SendMessageW(Control(kList1), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(kList1, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(Control(kList1)));
    EXPECT_TRUE(ShowsBasePlate());
}

TEST_F(FrmTreeTest, EnterLoadsWhatWasTypedAndEnterInAnEmptyBoxDoesNothing) {
    Open();
    SetFocus(Control(kTxtFilename));
    SendMessageW(Control(kTxtFilename), WM_CHAR, '\r', 0);
    EXPECT_EQ(servers.started, 0);
    SetWindowTextW(Control(kTxtFilename),
                   com::Utf8ToWide(Sample("Sub Assemblies\\Shaft Assembly.iam")).c_str());
    SendMessageW(Control(kTxtFilename), WM_CHAR, '\r', 0);
    Pump();
    EXPECT_EQ(servers.started, 1);
    EXPECT_EQ(Text(kTxtFilename), Sample("Sub Assemblies\\Shaft Assembly.iam"));
    EXPECT_EQ(window->TreeView().Nodes().size(), 5u);
}

TEST_F(FrmTreeTest, LeavingTheFileNameBoxLoadsIt) {
    Open();
    SetFocus(Control(kTxtFilename));
    SetWindowTextW(Control(kTxtFilename), com::Utf8ToWide(Sample("Gearbox.iam")).c_str());
    SetFocus(Control(kTreList));
    Pump();
    EXPECT_EQ(servers.started, 1);
    EXPECT_EQ(window->TreeView().Nodes().size(), 18u);
}

TEST_F(FrmTreeTest, SwitchingToAnotherProgramDoesNotReload) {
    Open("\"" + Sample("Gearbox.iam") + "\"");
    SetFocus(Control(kTxtFilename));
    Pump();
    // Another program's window takes the focus, as Alt+Tab or a click on it gives it.
    const HWND other = CreateWindowExW(0, L"STATIC", L"another program", WS_POPUP | WS_VISIBLE, 0,
                                       0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    SetFocus(other);
    Pump();
    DestroyWindow(other);
    Pump();
    EXPECT_EQ(servers.started, 1);
    EXPECT_EQ(host.boxes.size(), 1u); // the missing message of the first load, not again
}

// Mouse input as Windows queues it, not BM_CLICK: the click on "Export To Excel" takes the focus
// from the box, whose load runs first; the export runs once, after it, on the complete model.
TEST_F(FrmTreeTest, AClickThatLeavesTheBoxLoadsThenRunsOnce) {
    for (const bool upDuringTheLoad : {false, true}) {
        SCOPED_TRACE(upDuringTheLoad ? "mouse-up during the load" : "mouse-up before the load");
        Open();
        servers.started = 0;
        excelState->workbooks.clear(); // and what Excel kept beside them
        excel.Aside() = standins::ShapesAndModules();
        SetFocus(Control(kTxtFilename));
        SetWindowTextW(Control(kTxtFilename), com::Utf8ToWide(Sample("Gearbox.iam")).c_str());
        const HWND button = Control(kCommand1);
        PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        if (upDuringTheLoad) {
            MSG down;
            ASSERT_TRUE(PeekMessageW(&down, button, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE));
            DispatchMessageW(&down); // the focus moves; the load is now queued before the up
        }
        PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        Pump();
        EXPECT_EQ(servers.started, 1);
        ASSERT_EQ(excelState->workbooks.size(), 1u);
        const auto& indented = *excelState->workbooks[0]->FindSheet("Indented BOM");
        EXPECT_EQ(indented.grid.size(), 19u); // the header and all 18 records
        window.reset();
        Pump();
    }
}

// Closing the window while a load yields stops the load there: no crash, no message box after
// the close, and the window is gone.
TEST_F(FrmTreeTest, ClosingTheWindowDuringALoadStopsItQuietly) {
    Open();
    SetWindowTextW(Control(kTxtFilename), com::Utf8ToWide(Sample("Gearbox.iam")).c_str());
    const HWND handle = window->Handle();
    PostMessageW(handle, WM_CLOSE, 0, 0); // runs in the load's first yield
    window->LoadAssembly();
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_TRUE(host.boxes.empty()); // not even the missing gasket's message
    EXPECT_EQ(window->Loader().IVServer(), nullptr);
    EXPECT_EQ(servers.started, 1);
}

TEST_F(FrmTreeTest, AVerbThatCannotBeRegisteredIsReportedAfterTheLoad) {
    registry.DenyWrites(shell::kClassesRoot, "Inventor.AssemblyDocument");
    Open("\"" + Sample("Gearbox.iam") + "\"");
    EXPECT_EQ(window->TreeView().Nodes().size(), 18u);
    EXPECT_EQ(Text(kStatus).rfind("Could not register the Explorer verb: ", 0), 0u);
}

// Wine keeps a window from going on top while it owns a topmost window, as its tool tips are;
// Windows does not. The tips go for this test, so that it sees what the check box does.
void CloseToolTipsOf(HWND owner) {
    std::vector<HWND> tips;
    for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        wchar_t name[64] = {};
        GetClassNameW(w, name, 64);
        if (GetWindow(w, GW_OWNER) == owner && std::wstring(name) == TOOLTIPS_CLASSW) {
            tips.push_back(w);
        }
    }
    for (HWND tip : tips) {
        DestroyWindow(tip);
    }
}

TEST_F(FrmTreeTest, OnTopSwitchesTheWindowAboveOthersAndBackWithoutMovingIt) {
    Open();
    CloseToolTipsOf(window->Handle());
    RECT before;
    GetWindowRect(window->Handle(), &before);
    Click(kOnTop);
    EXPECT_EQ(SendMessageW(Control(kOnTop), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_NE(GetWindowLongW(window->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    Click(kOnTop);
    EXPECT_EQ(GetWindowLongW(window->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    RECT after;
    GetWindowRect(window->Handle(), &after);
    EXPECT_TRUE(EqualRect(&before, &after));
}

TEST_F(FrmTreeTest, TheLoadsFailuresReachTheUserAsMessageBoxes) {
    Open("\"" + Sample("Nowhere.iam") + "\"");
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, "Unable to open the specified file.");
    EXPECT_EQ(host.boxes[0].style, 48);
    EXPECT_TRUE(window->TreeView().Nodes().empty());
    EXPECT_EQ(ended, 0);

    servers.refuse = true;
    SetWindowTextW(Control(kTxtFilename), com::Utf8ToWide(Sample("Gearbox.iam")).c_str());
    window->LoadAssembly();
    EXPECT_EQ(host.boxes.back().text.rfind("cannot start the Inventor Apprentice Server.\r\n\r\n"
                                           "Apprentice is not registered for this Windows user",
                                           0),
              0u);
    EXPECT_EQ(ended, 1);
}

TEST_F(FrmTreeTest, TheHoverLineRepeatsTheLinkTips) {
    Open();
    SendMessageW(window->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Control(kLabel6)),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(Text(kLabel5), "Send email via your eMail Program to Vantrell");
    SendMessageW(window->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Control(kLabel13)),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(Text(kLabel5), "Jumps to the Nodeworks page on nodeworks.example");
    SendMessageW(window->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Control(kList1)),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(Text(kLabel5), "Jumps to the Nodeworks page on nodeworks.example");
    SendMessageW(window->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(window->Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(Text(kLabel5), "");
}

TEST_F(FrmTreeTest, ExportWritesTheWorkbookAndPushImageCodeReportsItsFailure) {
    Open("\"" + Sample("Gearbox.iam") + "\"");
    SendMessageW(Control(kChkBuild), BM_SETCHECK, BST_CHECKED, 0);
    Click(kCommand1);
    ASSERT_EQ(excelState->workbooks.size(), 1u);
    EXPECT_EQ(excelState->workbooks[0]->sheets[0]->name, "Summary-Totals");
    EXPECT_EQ(excel.Aside().ModulesOf(*excelState->workbooks[0]).back().addedTexts.size(), 4u);
    EXPECT_EQ(Text(kStatus), "Writing Macro to Excel");

    host.boxes.clear();
    Click(kCommand2); // a second module named Partwright is refused
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].caption, "Partwright");
    EXPECT_EQ(host.boxes[0].text,
              "Name conflicts with existing module, project, or object library");
    EXPECT_EQ(ended, 0);

    // Access to the macro project not trusted: the user is told what to tick, not Excel's text.
    host.boxes.clear();
    excel.Faults().refuseMacroProject = true;
    Click(kCommand2);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, macros::kPushMacrosNotTrustedMessage);
}

// The cancel button of this thread's file dialog, pressed once the dialog is up.
void CancelFileDialogSoon() {
    SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR timer, DWORD) {
        bool cancelled = false;
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND window, LPARAM found) {
                wchar_t name[16] = {};
                GetClassNameW(window, name, 16);
                if (std::wstring(name) == L"#32770" && IsWindowVisible(window)) {
                    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
                    *reinterpret_cast<bool*>(found) = true;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&cancelled));
        if (cancelled) {
            KillTimer(nullptr, timer);
        }
    });
}

// The export lets the window handle its messages; what the user does meanwhile (Browse, Enter,
// a second export, Exit) waits until it has ended, and the export's workbook is whole.
TEST_F(FrmTreeTest, WhatTheUserDoesDuringAnExportWaitsForItsEnd) {
    const std::string shaftAssembly = Sample("Sub Assemblies\\Shaft Assembly.iam");
    const std::vector<std::pair<std::string, std::function<void()>>> actions = {
        {"Browse", [&] { PostMessageW(Control(kCmdBrowse), BM_CLICK, 0, 0); }},
        {"Enter",
         [&] {
             SetWindowTextW(Control(kTxtFilename), com::Utf8ToWide(shaftAssembly).c_str());
             PostMessageW(Control(kTxtFilename), WM_CHAR, '\r', 0);
         }},
        {"Export", [&] { PostMessageW(Control(kCommand1), BM_CLICK, 0, 0); }},
        {"Exit", [&] { PostMessageW(Control(kCmdExit), BM_CLICK, 0, 0); }},
    };
    for (const auto& [name, act] : actions) {
        SCOPED_TRACE(name);
        ended = 0;
        Open("\"" + Sample("Gearbox.iam") + "\"");
        excelState->workbooks.clear();
        excel.Aside() = standins::ShapesAndModules();
        // The click on "Export To Excel" leaves the file-name box, whose load runs first.
        int startedBefore = -1;
        int startedDuringExport = -1;
        int endedDuringExport = -1;
        excel.Faults().calls = 0;
        excel.Faults().onCall = [&] {
            if (excel.Faults().calls == 1) {
                startedBefore = servers.started;
            }
            if (excel.Faults().calls == 20) {
                act();
            }
            startedDuringExport = servers.started;
            endedDuringExport = ended;
        };
        if (name == "Browse") {
            CancelFileDialogSoon();
        }
        Click(kCommand1);
        excel.Faults().onCall = nullptr;
        Pump();

        // Nothing ran while the export did.
        EXPECT_EQ(startedDuringExport, startedBefore);
        EXPECT_EQ(endedDuringExport, 0);
        ASSERT_GE(excelState->workbooks.size(), 1u);
        const auto& indented = *excelState->workbooks[0]->FindSheet("Indented BOM");
        EXPECT_EQ(indented.grid.size(), 19u); // the header and all 18 records
        ASSERT_NE(indented.Find(19, 12), nullptr);
        EXPECT_EQ(indented.Find(19, 12)->entry.text, "<Gasket:1>");
        // Then it ran, once.
        if (name == "Browse") {
            EXPECT_EQ(servers.started, startedBefore + 1); // the dialog's start folder
        } else if (name == "Enter") {
            EXPECT_EQ(window->TreeView().Nodes().size(), 5u);
        } else if (name == "Export") {
            ASSERT_EQ(excelState->workbooks.size(), 2u);
            EXPECT_EQ(excelState->workbooks[1]->FindSheet("Indented BOM")->grid.size(), 19u);
        } else {
            EXPECT_EQ(ended, 1);
            EXPECT_FALSE(IsWindowVisible(window->Handle()));
        }
        window.reset();
        Pump();
    }
}

TEST_F(FrmTreeTest, TheConveyorShowsItsGreaseAsAPartAndItsSuppressedGuardGrey) {
    Open("\"" + Sample("Conveyor\\Conveyor.iam") + "\"");
    const auto& nodes = window->TreeView().Nodes();
    ASSERT_EQ(nodes.size(), 16u);
    EXPECT_EQ(nodes[3].text, "Grease:1");
    EXPECT_EQ(nodes[14].text, "Guard:1");
    EXPECT_EQ(nodes[14].color, 0x808080);
    EXPECT_EQ(Rows(kLstResults),
              (std::vector<std::string>{"Max Indent\t3", "Referenced Files\t8", "Assemblies\t4",
                                        "Parts Count\t11", "Total\t15", "Missing\t0"}));
    EXPECT_EQ(Rows(kList1).at(2),
              "(2)\tGrease (virtual, in " + Sample("Conveyor\\Conveyor.iam") + ")");
    EXPECT_TRUE(host.boxes.empty()); // nothing is missing
    EXPECT_TRUE(ShowsConveyor());
    ClickNode(RollerNode());
    ASSERT_TRUE(ShowsRoller());
    // The grease has no file and so no picture of its own: the roller's stays, where reading
    // the grease's document would give the assembly that holds it, and the Conveyor's picture.
    ClickNode(4);
    EXPECT_TRUE(ShowsRoller());
    SendMessageW(Control(kList1), LB_SETCURSEL, 2, 0);
    SendMessageW(window->Handle(), WM_COMMAND, MAKEWPARAM(kList1, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(Control(kList1)));
    EXPECT_TRUE(ShowsRoller());
    EXPECT_EQ(Text(kTxtFilename), Sample("Conveyor\\Conveyor.iam"));
}

// 200 bolts in a frame used 200 times, written as stand-in files in a scratch folder.
TEST_F(FrmTreeTest, ABoltUsedFortyThousandTimesIsListedFortyThousandTimes) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::string folder = com::WideToUtf8(temp) + "pw-forty-thousand";
    CreateDirectoryW(com::Utf8ToWide(folder).c_str(), nullptr);
    const auto write = [&](const std::string& name, const std::string& text) {
        const HANDLE file = CreateFileW(com::Utf8ToWide(folder + "\\" + name).c_str(),
                                        GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(file);
    };
    const auto uses = [](const std::string& name, const std::string& file) {
        std::string list;
        for (int use = 1; use <= 200; ++use) {
            list += std::string(use == 1 ? "" : ",") + "{\"name\":\"" + name + ":" +
                    std::to_string(use) + "\",\"file\":\"" + file + "\"}";
        }
        return "{\"type\":\"assembly\",\"occurrences\":[" + list + "]}";
    };
    write("Bolt.ipt", "{\"type\":\"part\"}");
    write("Frame.iam", uses("Bolt", "Bolt.ipt"));
    write("Hall.iam", uses("Frame", "Frame.iam"));

    Open("\"" + folder + "\\Hall.iam\"");
    EXPECT_EQ(Rows(kList1), (std::vector<std::string>{"(200)\t" + folder + "\\Frame.iam",
                                                      "(40000)\t" + folder + "\\Bolt.ipt"}));
    EXPECT_EQ(Rows(kLstResults).at(3), "Parts Count\t40000");
    EXPECT_EQ(Rows(kLstResults).at(4), "Total\t40201");
}

TEST_F(FrmTreeTest, ExitPaintsItsStatusAndEndsWithoutTheUnload) {
    Open("\"" + Sample("Gearbox.iam") + "\"");
    Click(kCmdExit);
    EXPECT_EQ(Text(kStatus), "Please wait, cleaning up for Exit....");
    EXPECT_EQ(ended, 1);
    EXPECT_NE(window->Loader().IVServer(), nullptr);
    DestroyWindow(window->Handle()); // closing runs the unload instead
    EXPECT_EQ(window->Loader().IVServer(), nullptr);
}

} // namespace
} // namespace pw::app
