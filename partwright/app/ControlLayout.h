#pragma once

#include <windows.h>

#include <span>

// The controls of the main window: where they stand (in twips), what they are and show.
namespace pw::app {

enum ControlId : int {
    kLabel4 = 100,
    kTreList,
    kLabel3,
    kLabel2,
    kList1,
    kPreview,
    kPicPreview,
    kLabel14,
    kLstResults,
    kLabel1,
    kTxtFilename,
    kCmdBrowse,
    kOnTop,
    kCheck1,
    kChkBuild,
    kChkSetHyperlinks,
    kStatus,
    kCommand1,
    kCmdExit,
    kCommand2,
    kLabel6,
    kLabel5,
    kLabel13,
};

struct ControlSpec {
    ControlId id;
    const char* name;
    const wchar_t* windowClass;
    const wchar_t* text;
    int left, top, width, height; // twips, in the client area
    DWORD style;
    int pointsTimes100; // font size: 825 or 975
    bool link;          // blue, underlined
};

inline constexpr int kClientWidthTwips = 9000;
inline constexpr int kClientHeightTwips = 7050;

// In creation order, which is also the tab order: the file-name box first.
std::span<const ControlSpec> Controls();

} // namespace pw::app
