#pragma once

#include "shared/com/ComPtr.h"

#include <windows.h>
#include <ocidl.h>

#include <string>

namespace pw::peekpane {

// The preview window: one per thread, shared by all objects of that thread, outliving them until
// the user closes it. Its picture is drawn unscaled at the top-left corner of its client area.
class Form1 {
public:
    // Loads the window when it is not there (making it topmost) and shows it without waiting.
    static void Show();
    static void SetCaption(const std::string& caption);
    static void SetPicture(com::ComPtr<IPictureDisp> picture);
    // The thread's window, or null when it is not loaded.
    static HWND Handle();
};

} // namespace pw::peekpane
