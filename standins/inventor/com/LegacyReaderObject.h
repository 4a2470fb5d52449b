#pragma once

#include <windows.h>

namespace pw::standins {

// The legacy thumbnail reader's stand-in: answers its two table positions with the stand-in
// document's picture.
HRESULT CreateLegacyReader(REFIID iid, void** out);

} // namespace pw::standins
