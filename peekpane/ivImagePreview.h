#pragma once

#include "Peekpane.h"

#include <windows.h>

namespace pw::peekpane {

// Makes a new ivImagePreview object answering iid; the class factory's creator.
HRESULT CreateImagePreview(REFIID iid, void** out);

// The type library embedded in this module.
HRESULT LoadOwnTypeLib(ITypeLib** library, REGKIND kind);

} // namespace pw::peekpane
