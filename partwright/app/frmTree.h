#pragma once

#include "AppServices.h"
#include "Artwork.h"
#include "ControlLayout.h"
#include "TreeControl.h"
#include "WindowActivity.h"
#include "partwright/export/ExportPorts.h"
#include "partwright/export/ExportState.h"
#include "partwright/model/AssemblyLoader.h"
#include "partwright/shell/StartUp.h"
#include "partwright/shell/modRegCommandLine.h"
#include "shared/com/ComPtr.h"
#include "shared/window/GdiObjects.h"

#include <windows.h>
#include <ocidl.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pw::app {

// The program's only window: the assembly tree, the distinct parts with their quantities, six
// totals, the thumbnail, the file-name box, the export options and the buttons. It is the view
// of the load, the walk, the listing, the export, the macro writer and the start-up.
class frmTree : public model::LoadReport, public excel::ExportView, public shell::StartupView {
public:
    explicit frmTree(AppServices services);
    ~frmTree() override;
    frmTree(const frmTree&) = delete;
    frmTree& operator=(const frmTree&) = delete;

    // Creates the window and its controls, runs the start-up (verb check, load of the first
    // argument) before the window is first shown, then shows it.
    HWND Create(int showCommand);
    HWND Handle() const noexcept { return window_; }
    HWND Control(ControlId id) const { return GetDlgItem(window_, id); }
    const TreeControl& TreeView() const { return *tree_; }
    const model::BomModel& Model() const noexcept { return model_; }
    const model::AssemblyLoader& Loader() const noexcept { return loader_; }
    // How the last "Export To Excel" went.
    const excel::ExportOutcome& LastExport() const noexcept { return lastExport_; }

    // Shows the stored picture of a file in picPreview; the picture stays when there is none.
    void ShowThumbnail(const std::string& sFile);

    // The views' side.
    void SetStatus(const std::string& text) override;
    void DoEvents() override;
    void FileListStarted() override;
    void FileListed(const std::string& line) override;
    std::string AssemblyAsked() override { return FileNameText(); }
    std::string FileNameText() override;
    model::ComponentTree& Tree() override;
    void TotalsStarted() override;
    void TotalLine(const std::string& line) override;
    int Message(const std::string& text, int style) override;
    int MsgBox(const std::string& text, const std::string& caption, int style) override;
    void Waiting(bool waiting) override;
    void AssemblyOpened(const std::string& fullFileName) override { ShowThumbnail(fullFileName); }
    void ApprenticeUnavailable() override { services_.endProgram(); }
    int Check1Value() override;
    int chkBuildValue() override;
    int chkSetHyperlinksValue() override;
    void SetFileNameText(const std::string& text) override;
    void LoadAssembly() override;
    bool StopRequested() override { return activity_.Now() == WindowActivity::State::Closing; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK FileNameProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR self);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void OnCommand(int id, int code);
    LRESULT OnNotify(NMHDR& header);
    bool OnSetCursor(HWND under, int hitTest);
    void OnDrawPicture(const DRAWITEMSTRUCT& draw);
    void OnBrowse();
    void OnNodeClick();
    void OnListDoubleClick();
    void OnOnTop();
    void OnExport();
    void OnPushImageCode();
    void OnExit();
    int CheckValue(ControlId id);
    bool HeldWhileBusy(int id, int code);
    // After a load or an export: the window goes when it was closed meanwhile, else what was
    // held runs in the order it came.
    void AfterBusy();
    void OnFileNameLeft(HWND next);

    AppServices services_;
    model::BomModel model_;
    model::QuantityListing listing_;
    model::AssemblyLoader loader_;
    excel::ExportState exportState_;
    excel::ExportOutcome lastExport_;
    shell::modRegCommandLine verb_;

    HWND window_ = nullptr;
    HWND tooltips_ = nullptr;
    std::unique_ptr<TreeControl> tree_;
    UniqueImageList images_;
    window::UniqueFont font_;
    window::UniqueFont headingFont_;
    window::UniqueFont linkFont_;
    window::UniqueBrush statusBrush_;
    window::UniqueIcon envelope_;
    window::UniqueIcon globe_;
    window::UniqueIcon bigIcon_;
    window::UniqueIcon smallIcon_;
    com::ComPtr<IPictureDisp> picture_;
    std::wstring dialogFile_; // the file dialog keeps its file name between uses
    bool waitCursor_ = false; // the load or export keeps the user waiting
    WindowActivity activity_;
};

} // namespace pw::app
