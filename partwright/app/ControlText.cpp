#include "ControlText.h"

#include "shared/com/TextConvert.h"

namespace pw::app {

std::string ControlText(HWND control) {
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return com::WideToUtf8(text);
}

} // namespace pw::app
