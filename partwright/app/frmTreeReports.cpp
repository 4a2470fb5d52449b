// The window as the load, the export and the start-up see it: what they report and what they
// read of the controls.
#include "ControlText.h"
#include "frmTree.h"
#include "shared/com/TextConvert.h"
#include "shared/thumbnail/LegacyThumbnailCom.h"

namespace pw::app {

void frmTree::ShowThumbnail(const std::string& sFile) {
    const auto& server = loader_.IVServer();
    if (!server) {
        return;
    }
    const auto picture = thumbnail::PictureOf(*server, services_.legacy, sFile);
    if (const auto* shown = dynamic_cast<const inventor::ComPicture*>(picture.get())) {
        picture_ = com::ComPtr<IPictureDisp>(shown->get());
        InvalidateRect(Control(kPicPreview), nullptr, TRUE);
    }
}

void frmTree::SetStatus(const std::string& text) {
    SetWindowTextW(Control(kStatus), com::Utf8ToWide(text).c_str());
    if (services_.statusShown) {
        services_.statusShown(text);
    }
}

void frmTree::DoEvents() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (!window_ || !IsDialogMessageW(window_, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

void frmTree::FileListStarted() {
    SendMessageW(Control(kList1), LB_RESETCONTENT, 0, 0);
}

void frmTree::FileListed(const std::string& text) {
    SendMessageW(Control(kList1), LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(com::Utf8ToWide(text).c_str()));
}

std::string frmTree::FileNameText() {
    return ControlText(Control(kTxtFilename));
}

model::ComponentTree& frmTree::Tree() {
    return *tree_;
}

void frmTree::TotalsStarted() {
    SendMessageW(Control(kLstResults), LB_RESETCONTENT, 0, 0);
}

void frmTree::TotalLine(const std::string& line) {
    SendMessageW(Control(kLstResults), LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(com::Utf8ToWide(line).c_str()));
}

int frmTree::Message(const std::string& text, int style) {
    return MsgBox(text, model::kProgramTitle, style);
}

int frmTree::MsgBox(const std::string& text, const std::string& caption, int style) {
    if (activity_.Now() == WindowActivity::State::Closing) {
        return (style & 0xF) == MB_YESNO ? IDNO : IDOK; // nothing is shown after the close
    }
    return services_.host.MsgBox(text, caption, style);
}

void frmTree::Waiting(bool waiting) {
    waitCursor_ = waiting;
    SetCursor(LoadCursorW(nullptr, waiting ? IDC_WAIT : IDC_ARROW));
}

int frmTree::CheckValue(ControlId id) {
    return static_cast<int>(SendMessageW(Control(id), BM_GETCHECK, 0, 0));
}

int frmTree::Check1Value() {
    return CheckValue(kCheck1);
}
int frmTree::chkBuildValue() {
    return CheckValue(kChkBuild);
}
int frmTree::chkSetHyperlinksValue() {
    return CheckValue(kChkSetHyperlinks);
}

void frmTree::SetFileNameText(const std::string& text) {
    SetWindowTextW(Control(kTxtFilename), com::Utf8ToWide(text).c_str());
}

} // namespace pw::app
