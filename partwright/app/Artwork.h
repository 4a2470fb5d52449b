#pragma once

#include "shared/window/GdiObjects.h"

#include <windows.h>
#include <commctrl.h>

// The window's pictures, drawn at run time: the tree's four node pictures and the two link
// pointers. (The program's icon is a resource, drawn at build time in the same style.)
namespace pw::app {

inline void DestroyImageList(HIMAGELIST images) noexcept {
    ImageList_Destroy(images);
}
using UniqueImageList = UniqueResource<HIMAGELIST, DestroyImageList>;

// "Assembly", "NoAssembly", "Part", "NoPart", in this order, 16 x 16 pixels each.
UniqueImageList MakeNodeImages();
// A pointer showing an envelope (e-mail link) or a globe (web link).
window::UniqueIcon MakeEnvelopeCursor();
window::UniqueIcon MakeGlobeCursor();

} // namespace pw::app
