#pragma once

#include <windows.h>
#include <ocidl.h>

namespace pw::window {

// Draws a stored preview picture unscaled at (left, top) of the device context, as both the
// program's picture box and Peekpane's window show it. Nothing is drawn for no picture.
void DrawPicture(HDC dc, int left, int top, IPictureDisp* picture);

} // namespace pw::window
