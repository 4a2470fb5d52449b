#include "frmTree.h"

#include "Shell.h"
#include "partwright/export/modExcel.h"
#include "partwright/macros/modWriteVBEtoExcel.h"
#include "shared/com/TextConvert.h"
#include "shared/core/Step.h"
#include "shared/window/DrawPicture.h"
#include "shared/window/Twips.h"
#include "shared/window/WinZOrder.h"

#include <commdlg.h>

namespace pw::app {
namespace {

constexpr wchar_t kWindowClass[] = L"PartwrightTree";
// Posted when the file-name box was left, so its load runs after the focus change has ended.
constexpr UINT kReloadMessage = WM_APP + 1;
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
const std::string kMailTip = "Send email via your eMail Program to Vantrell";
const std::string kWebTip = std::string("Jumps to the Nodeworks page on ") + kMakerWebDomain;

window::UniqueFont MakeFont(int pointsTimes100, bool underline, int dotsPerInch) {
    return window::UniqueFont(CreateFontW(-MulDiv(pointsTimes100, dotsPerInch, 7200), 0, 0, 0,
                                          FW_NORMAL, FALSE, underline, FALSE, DEFAULT_CHARSET,
                                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                          DEFAULT_PITCH, L"MS Sans Serif"));
}

int ScreenDpi() {
    return GetDeviceCaps(window::ScreenDc().get(), LOGPIXELSX);
}

} // namespace

frmTree::frmTree(AppServices services)
    : services_(std::move(services)), loader_(model_, listing_, *this, services_.servers),
      verb_(services_.registry, services_.host) {
    // The window counts every use, whatever its BOM structure.
    model_.ReadBomStructures = false;
}

// The window goes before the fonts, pictures and icons it uses.
frmTree::~frmTree() {
    if (window_) {
        DestroyWindow(window_);
    }
}

HWND frmTree::Create(int showCommand) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    // The program's icon, resource 1 of the executable, at both sizes the frame shows.
    bigIcon_.reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXICON),
                                                 GetSystemMetrics(SM_CYICON), 0)));
    smallIcon_.reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), 0)));
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (!GetClassInfoExW(instance, kWindowClass, &windowClass)) {
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kWindowClass;
        RegisterClassExW(&windowClass);
    }
    const int dpi = ScreenDpi();
    RECT frame{0, 0, window::TwipsToPixels(kClientWidthTwips, dpi),
               window::TwipsToPixels(kClientHeightTwips, dpi)};
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, WS_EX_CONTROLPARENT);
    window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, L"Partwright", kWindowStyle,
                              CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, nullptr, instance, this);
    if (!window_) {
        return nullptr;
    }
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    CreateControls();

    // The window's load: before it is first shown.
    shell::RunStartUp(services_.host, verb_, *this);

    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    SetFocus(Control(kTxtFilename));
    return window_;
}

void frmTree::CreateControls() {
    const int dpi = ScreenDpi();
    font_ = MakeFont(825, false, dpi);
    headingFont_ = MakeFont(975, false, dpi);
    linkFont_ = MakeFont(825, true, dpi);
    statusBrush_.reset(CreateSolidBrush(GetSysColor(COLOR_INFOBK)));
    envelope_ = MakeEnvelopeCursor();
    globe_ = MakeGlobeCursor();
    const HINSTANCE instance = GetModuleHandleW(nullptr);

    for (const ControlSpec& layout : Controls()) {
        const HWND control = CreateWindowExW(
            0, layout.windowClass, layout.text, layout.style,
            window::TwipsToPixels(layout.left, dpi), window::TwipsToPixels(layout.top, dpi),
            window::TwipsToPixels(layout.width, dpi), window::TwipsToPixels(layout.height, dpi),
            window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)), instance, nullptr);
        const HFONT font = layout.link                    ? linkFont_.get()
                           : layout.pointsTimes100 == 975 ? headingFont_.get()
                                                          : font_.get();
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }

    tree_ = std::make_unique<TreeControl>(Control(kTreList));
    images_ = MakeNodeImages();
    SendMessageW(Control(kTreList), TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(images_.get()));
    SetWindowSubclass(Control(kTxtFilename), FileNameProc, 1, reinterpret_cast<DWORD_PTR>(this));

    tooltips_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_,
                                nullptr, instance, nullptr);
    const std::pair<ControlId, std::string> tips[] = {
        {kList1, "Double Click for a Preview"}, {kLabel6, kMailTip}, {kLabel13, kWebTip}};
    for (const auto& [id, tip] : tips) {
        std::wstring text = com::Utf8ToWide(tip);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(Control(id));
        tool.lpszText = text.data();
        SendMessageW(tooltips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

LRESULT CALLBACK frmTree::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* self = static_cast<frmTree*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<frmTree*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return self->OnMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        // A handler's unexpected failure is reported; the window goes on.
        MessageBoxW(window, com::Utf8ToWide(error.what()).c_str(), L"Partwright", MB_ICONERROR);
        return 0;
    }
}

LRESULT frmTree::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
    case WM_SETCURSOR:
        if (OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam))) {
            return TRUE;
        }
        break;
    case WM_DRAWITEM:
        if (wParam == kPicPreview) {
            OnDrawPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        break;
    case WM_CTLCOLORSTATIC: {
        const auto control = reinterpret_cast<HWND>(lParam);
        const auto dc = reinterpret_cast<HDC>(wParam);
        if (control == Control(kStatus)) {
            SetBkColor(dc, GetSysColor(COLOR_INFOBK));
            return reinterpret_cast<LRESULT>(statusBrush_.get());
        }
        if (control == Control(kLabel6) || control == Control(kLabel13)) {
            SetTextColor(dc, RGB(0, 0, 255));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        break;
    }
    case kReloadMessage:
        if (activity_.TakeOwedLoad()) {
            LoadAssembly();
        }
        return 0;
    case WM_CLOSE:
        // Closing during a load or an export: the window goes at once, the load stops at its
        // next yield (an export runs to its end, so that Excel is left with a whole workbook),
        // and the unload runs after it, so nothing uses the released server.
        if (activity_.CloseWaitsForWork()) {
            ShowWindow(window_, SW_HIDE);
            return 0;
        }
        break;
    case WM_DESTROY:
        // The window's unload: the server of the last load goes with it.
        loader_.ReleaseServer();
        window_ = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK frmTree::FileNameProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR selfPointer) {
    auto* self = reinterpret_cast<frmTree*>(selfPointer);
    if (message == WM_GETDLGCODE && lParam &&
        reinterpret_cast<const MSG*>(lParam)->wParam == VK_RETURN) {
        return DLGC_WANTALLKEYS | DefSubclassProc(edit, message, wParam, lParam);
    }
    if (message == WM_KILLFOCUS) {
        self->OnFileNameLeft(reinterpret_cast<HWND>(wParam));
    }
    if (message == WM_CHAR && wParam == '\r' && !self->FileNameText().empty()) {
        self->LoadAssembly(); // Enter is consumed: nothing inserted, no warning sound
        return 0;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

// Leaving the box is a move of the focus to another control of this window; a switch to
// another program, or a message box taking the focus, is not.
void frmTree::OnFileNameLeft(HWND next) {
    if (next && IsChild(window_, next) && !FileNameText().empty()) {
        activity_.OweLoad();
        PostMessageW(window_, kReloadMessage, 0, 0);
    }
}

// A click that arrives during a load or an export runs when that has ended; a click that left
// the file-name box runs after the load of the box. Exit is held back only by an export, whose
// workbook it would leave half made; during a load it ends the program at once.
bool frmTree::HeldWhileBusy(int id, int code) {
    const bool exporting = activity_.Now() == WindowActivity::State::Exporting;
    const bool click = (code == BN_CLICKED && (id != kCmdExit || exporting)) ||
                       (code == STN_CLICKED && (id == kLabel6 || id == kLabel13));
    if (!click) {
        return false;
    }
    if (activity_.HoldWhileBusy([this, id, code] { OnCommand(id, code); })) {
        if (id == kCmdExit) {
            ShowWindow(window_, SW_HIDE); // the user sees the window go at once
        }
        return true;
    }
    if (activity_.TakeOwedLoad()) {
        LoadAssembly();
        // the click runs after that load, unless the window closed
        return activity_.Now() == WindowActivity::State::Closing;
    }
    return false;
}

void frmTree::OnCommand(int id, int code) {
    if (HeldWhileBusy(id, code)) {
        return;
    }
    switch (id) {
    case kCmdBrowse:
        if (code == BN_CLICKED) {
            OnBrowse();
        }
        break;
    case kList1:
        if (code == LBN_DBLCLK) {
            OnListDoubleClick();
        }
        break;
    case kOnTop:
        if (code == BN_CLICKED) {
            OnOnTop();
        }
        break;
    case kCommand1:
        if (code == BN_CLICKED) {
            OnExport();
        }
        break;
    case kCommand2:
        if (code == BN_CLICKED) {
            OnPushImageCode();
        }
        break;
    case kCmdExit:
        if (code == BN_CLICKED) {
            OnExit();
        }
        break;
    case kLabel6:
        if (code == STN_CLICKED) {
            ShellOpen(std::string("mailto:") + kMakerMail);
        }
        break;
    case kLabel13:
        if (code == STN_CLICKED) {
            ShellOpen(kMakerWebAddress);
        }
        break;
    default:
        break;
    }
}

LRESULT frmTree::OnNotify(NMHDR& header) {
    if (header.idFrom != kTreList) {
        return 0;
    }
    if (header.code == NM_CUSTOMDRAW) {
        return tree_->OnCustomDraw(reinterpret_cast<NMTVCUSTOMDRAW&>(header));
    }
    if (header.code == NM_CLICK) {
        OnNodeClick();
    }
    return 0;
}

bool frmTree::OnSetCursor(HWND under, int hitTest) {
    if (waitCursor_) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return true;
    }
    if (under == Control(kLabel6) || under == Control(kLabel13)) {
        const bool mail = under == Control(kLabel6);
        SetCursor(mail ? envelope_.get() : globe_.get());
        SetWindowTextW(Control(kLabel5), com::Utf8ToWide(mail ? kMailTip : kWebTip).c_str());
        return true;
    }
    if (under == window_ && hitTest == HTCLIENT) {
        SetWindowTextW(Control(kLabel5), L"");
    }
    return false;
}

void frmTree::OnDrawPicture(const DRAWITEMSTRUCT& draw) {
    FillRect(draw.hDC, &draw.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    window::DrawPicture(draw.hDC, draw.rcItem.left, draw.rcItem.top, picture_.get());
}

void frmTree::OnBrowse() {
    std::string startFolder;
    if (RunStep([&] {
            startFolder = services_.servers.Create(model::kApprenticeProgId)->StartFolder();
        }) != kOk) {
        MsgBox("The Inventor Apprentice Server cannot be started, so the file dialog opens "
               "without Inventor's start folder.",
               model::kProgramTitle, model::kOkExclamation);
    }
    const std::wstring folder = com::Utf8ToWide(startFolder);
    std::wstring file = dialogFile_;
    file.resize(MAX_PATH * 4, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window_;
    dialog.lpstrFilter = L"Inventor Assembly File (*.iam)\0*.iam\0\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.lpstrTitle = L"Assembly Tree";
    dialog.lpstrDefExt = L"iam";
    dialog.Flags = OFN_HIDEREADONLY;
    if (GetOpenFileNameW(&dialog)) {
        dialogFile_ = file.c_str();
    }
    // After a cancel the box gets the file chosen last time, as the dialog keeps it.
    SetWindowTextW(Control(kTxtFilename), dialogFile_.c_str());
    if (!FileNameText().empty()) {
        LoadAssembly();
    }
}

void frmTree::OnNodeClick() {
    DWORD position = GetMessagePos();
    POINT point{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    ScreenToClient(Control(kTreList), &point);
    TVHITTESTINFO hit{};
    hit.pt = point;
    auto item = reinterpret_cast<HTREEITEM>(
        SendMessageW(Control(kTreList), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (!item) {
        // The click selected the node it fell on.
        item = reinterpret_cast<HTREEITEM>(
            SendMessageW(Control(kTreList), TVM_GETNEXTITEM, TVGN_CARET, 0));
    }
    // A virtual component has no file and so no picture.
    const auto record = model_.FileData.Item(model_.Nodes.RecordOf(tree_->IndexOf(item)));
    if (record && !record->FileName.empty() && record->Kind != model::ComponentKind::Virtual) {
        ShowThumbnail(record->FileName);
    }
}

void frmTree::OnListDoubleClick() {
    const auto row = static_cast<std::int32_t>(SendMessageW(Control(kList1), LB_GETCURSEL, 0, 0));
    if (const auto entry = listing_.EntryOfRow(row); entry && !entry->Virtual) {
        ShowThumbnail(entry->FileName);
    }
}

void frmTree::OnOnTop() {
    if (CheckValue(kOnTop) == BST_CHECKED) {
        window::SetTopmost(window_);
    } else {
        window::SetNotTopmost(window_);
    }
}

void frmTree::OnExport() {
    {
        const model::Hourglass hourglass(*this);
        const WindowActivity::Work exporting(activity_, WindowActivity::State::Exporting);
        lastExport_ = excel::modExcel(model_, exportState_, *this, services_.excel).ExportToExcel();
    }
    AfterBusy();
}

void frmTree::OnPushImageCode() {
    try {
        macros::WriteMacros(services_.excel, chkBuildValue(),
                            excel::IndentColumnsForMacros(exportState_, model_));
    } catch (const Failure& failure) {
        MsgBox(failure.what(), model::kProgramTitle, model::kOkExclamation);
    }
}

void frmTree::OnExit() {
    activity_.TakeOwedLoad(); // the program ends: the box's load would be for nothing
    SetStatus("Please wait, cleaning up for Exit....");
    DoEvents();
    services_.endProgram();
}

void frmTree::LoadAssembly() {
    if (activity_.Now() == WindowActivity::State::Exporting) {
        // Enter, or the file-name box left, while the export reads the model: the load would
        // empty the records the export goes through.
        activity_.HoldWhileBusy([this] { LoadAssembly(); });
        return;
    }
    if (activity_.Busy()) {
        return; // a request from within the load's yields, which the load ignores
    }
    {
        const WindowActivity::Work loading(activity_, WindowActivity::State::Loading);
        loader_.LoadAssembly();
    }
    AfterBusy();
}

void frmTree::AfterBusy() {
    if (!activity_.RunHeld([this] { return window_ != nullptr; }) && window_) {
        DestroyWindow(window_);
    }
}

} // namespace pw::app
