#pragma once

#include <windows.h>
#include <commctrl.h>

// The program's pictures, drawn at run time: the tree's four node pictures, the window icon and
// the two link pointers.
namespace pw::app {

// "Assembly", "NoAssembly", "Part", "NoPart", in this order, 16 x 16 pixels each.
HIMAGELIST MakeNodeImages();
// The window icon at 32 x 32 (big) or 16 x 16 (small) pixels.
HICON MakeWindowIcon(int size);
// A pointer showing an envelope (e-mail link) or a globe (web link).
HCURSOR MakeEnvelopeCursor();
HCURSOR MakeGlobeCursor();

} // namespace pw::app
