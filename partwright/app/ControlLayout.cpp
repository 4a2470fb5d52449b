#include "ControlLayout.h"

#include <commctrl.h>

namespace pw::app {
namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kButton = kChild | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kCheckBox = kChild | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kLabel = kChild | SS_LEFT;
constexpr DWORD kLinkLabel = kChild | SS_LEFT | SS_NOTIFY;
constexpr DWORD kListBox = kChild | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY |
                           LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT;

const ControlSpec kControls[] = {
    {kTxtFilename, "txtFilename", L"EDIT", L"", 60, 5700, 4275, 315,
     kChild | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 825, false},
    {kCmdBrowse, "cmdBrowse", L"BUTTON", L"Browse...", 4440, 5700, 915, 315, kButton, 825, false},
    {kOnTop, "OnTop", L"BUTTON", L"On Top", 5520, 5520, 1095, 375, kCheckBox, 825, false},
    {kCheck1, "Check1", L"BUTTON", L"Use Indented Columns", 6900, 5520, 1995, 375, kCheckBox, 825,
     false},
    {kChkBuild, "chkBuild", L"BUTTON", L"Make Builder", 5520, 5880, 1335, 255, kCheckBox, 825,
     false},
    {kChkSetHyperlinks, "chkSetHyperlinks", L"BUTTON", L"Add Hyperlinks", 6900, 5880, 1995, 255,
     kCheckBox, 825, false},
    {kCommand1, "Command1", L"BUTTON", L"Export To Excel", 4320, 6240, 2415, 375, kButton, 825,
     false},
    {kCmdExit, "cmdExit", L"BUTTON", L"Exit", 6840, 6240, 1935, 375, kButton, 825, false},
    {kCommand2, "Command2", L"BUTTON", L"Push Image Code", 3720, 7080, 615, 1815, kButton, 825,
     false},
    {kTreList, "treList", WC_TREEVIEWW, L"", 120, 360, 2595, 3195,
     kChild | WS_TABSTOP | WS_BORDER | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT |
         TVS_SHOWSELALWAYS,
     825, false},
    {kList1, "List1", L"LISTBOX", L"", 2760, 360, 6135, 3765, kListBox, 825, false},
    {kLstResults, "lstResults", L"LISTBOX", L"", 5220, 4200, 3675, 1230, kListBox, 825, false},
    {kStatus, "Status", L"EDIT", L"Status", 240, 6240, 3855, 285,
     kChild | WS_BORDER | ES_READONLY | ES_AUTOHSCROLL, 825, false},
    {kLabel4, "Label4", L"STATIC", L"Graphical Tree Structure", 1080, 120, 1695, 255, kLabel, 975,
     false},
    {kLabel3, "Label3", L"STATIC", L"(Quantity)", 3120, 120, 975, 255, kLabel, 825, false},
    {kLabel2, "Label2", L"STATIC", L"Bill of Materials", 5760, 120, 1575, 255, kLabel, 975, false},
    {kPreview, "Preview", L"STATIC", L"Preview", 120, 3840, 735, 255, kLabel, 825, false},
    {kPicPreview, "picPreview", L"STATIC", L"", 840, 3600, 1860, 1860,
     kChild | SS_OWNERDRAW | WS_BORDER, 825, false},
    {kLabel14, "Label14", L"STATIC", L"Totals for selected Assembly", 3840, 4500, 1335, 915, kLabel,
     825, false},
    {kLabel1, "Label1", L"STATIC", L"Select Assembly File:", 120, 5460, 1395, 195, kLabel, 825,
     false},
    {kLabel6, "Label6", L"STATIC", L"eMail Vantrell", 240, 6720, 825, 195, kLinkLabel, 825, true},
    {kLabel5, "Label5", L"STATIC", L"", 1440, 6720, 5415, 255, kLabel, 825, false},
    {kLabel13, "Label13", L"STATIC", L"nodeworks.example", 7080, 6720, 1620, 195, kLinkLabel, 825,
     true},
};

} // namespace

std::span<const ControlSpec> Controls() {
    return kControls;
}

} // namespace pw::app
