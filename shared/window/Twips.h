#pragma once

#include <windows.h>

namespace pw::window {

// Twips (1/1440 inch) to pixels at a screen resolution in dots per inch.
inline int TwipsToPixels(int twips, int dotsPerInch) noexcept {
    return MulDiv(twips, dotsPerInch, 1440);
}

} // namespace pw::window
