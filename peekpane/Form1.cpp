#include "Form1.h"

#include "shared/com/ComObject.h"
#include "shared/com/TextConvert.h"
#include "shared/window/DrawPicture.h"
#include "shared/window/GdiObjects.h"
#include "shared/window/Twips.h"
#include "shared/window/WinZOrder.h"

#include <memory>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace pw::peekpane {
namespace {

constexpr wchar_t kClassName[] = L"PeekpaneForm1";
constexpr int kClientTwips = 3900;

// The window of this thread; the window itself owns what it shows.
thread_local HWND tForm = nullptr;

struct FormData {
    com::ComPtr<IPictureDisp> picture;
};

HINSTANCE Module() {
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

FormData* DataOf(HWND window) {
    return reinterpret_cast<FormData*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void Paint(HWND window, HDC dc) {
    if (const FormData* data = DataOf(window)) {
        window::DrawPicture(dc, 0, 0, data->picture.get());
    }
}

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(std::make_unique<FormData>().release()));
        ++com::ModuleReferences(); // the library stays loaded while the window is open
        break;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        Paint(window, dc);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        Paint(window, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_NCDESTROY:
        std::unique_ptr<FormData>(DataOf(window)).reset();
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (tForm == window) {
            tForm = nullptr;
        }
        --com::ModuleReferences();
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterFormClass() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExW(Module(), kClassName, &windowClass)) {
        return;
    }
    windowClass.lpfnWndProc = FormProc;
    windowClass.hInstance = Module();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
}

HWND Load() {
    RegisterFormClass();
    const window::ScreenDc screen;
    const int width = window::TwipsToPixels(kClientTwips, GetDeviceCaps(screen.get(), LOGPIXELSX));
    const int height = window::TwipsToPixels(kClientTwips, GetDeviceCaps(screen.get(), LOGPIXELSY));
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    const HWND window = CreateWindowExW(
        0, kClassName, L"Form1", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, Module(), nullptr);
    if (window) {
        window::SetTopmost(window);
    }
    return window;
}

} // namespace

void Form1::Show() {
    if (!tForm) {
        tForm = Load();
    }
    if (tForm) {
        ShowWindow(tForm, SW_SHOW);
    }
}

void Form1::SetCaption(const std::string& caption) {
    if (tForm) {
        SetWindowTextW(tForm, com::Utf8ToWide(caption).c_str());
    }
}

void Form1::SetPicture(com::ComPtr<IPictureDisp> picture) {
    if (tForm) {
        if (FormData* data = DataOf(tForm)) {
            data->picture = std::move(picture);
        }
        InvalidateRect(tForm, nullptr, TRUE);
        UpdateWindow(tForm);
    }
}

HWND Form1::Handle() {
    return tForm;
}

} // namespace pw::peekpane
