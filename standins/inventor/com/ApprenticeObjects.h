#pragma once

#include "partwright/model/DocumentAccess.h"
#include "shared/com/ComPtr.h"

#include <windows.h>
#include <oaidl.h>

namespace pw::standins {

// {C343ED84-A129-11D3-B799-0060B0F159EF}: Apprentice's class.
inline constexpr CLSID kApprenticeClass = {
    0xC343ED84, 0xA129, 0x11D3, {0xB7, 0x99, 0x00, 0x60, 0xB0, 0xF1, 0x59, 0xEF}};

// The stand-in's Apprentice server object, answering Apprentice's dispatch identifiers over the
// stand-in reader.
com::ComPtr<IDispatch> MakeApprenticeServer(std::shared_ptr<model::Server> server);

} // namespace pw::standins
