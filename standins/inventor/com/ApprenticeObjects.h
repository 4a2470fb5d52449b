#pragma once

#include "shared/com/ComPtr.h"
#include "shared/inventor/DocumentAccess.h"

#include <windows.h>
#include <oaidl.h>

namespace pw::standins {

// The stand-in's Apprentice server object over the stand-in reader, answering from the stand-in's
// type library.
com::ComPtr<IDispatch> MakeApprenticeServer(std::shared_ptr<inventor::Server> server);

} // namespace pw::standins
