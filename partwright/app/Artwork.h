#pragma once

#include "shared/window/GdiObjects.h"

#include <windows.h>
#include <commctrl.h>

// The program's pictures, drawn at run time: the tree's four node pictures, the window icon and
// the two link pointers.
namespace pw::app {

inline void DestroyImageList(HIMAGELIST images) noexcept {
    ImageList_Destroy(images);
}
using UniqueImageList = window::UniqueGdi<HIMAGELIST, DestroyImageList>;

// "Assembly", "NoAssembly", "Part", "NoPart", in this order, 16 x 16 pixels each.
UniqueImageList MakeNodeImages();
// The window icon at 32 x 32 (big) or 16 x 16 (small) pixels.
window::UniqueIcon MakeWindowIcon(int size);
// A pointer showing an envelope (e-mail link) or a globe (web link).
window::UniqueIcon MakeEnvelopeCursor();
window::UniqueIcon MakeGlobeCursor();

} // namespace pw::app
