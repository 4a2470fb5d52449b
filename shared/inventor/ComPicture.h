#pragma once

#include "DocumentAccess.h"
#include "shared/com/ComPtr.h"

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

namespace pw::inventor {

// A picture of the platform's picture type.
class ComPicture : public Picture {
public:
    explicit ComPicture(com::ComPtr<IPictureDisp> picture) : picture_(std::move(picture)) {}
    IPictureDisp* get() const { return picture_.get(); }

private:
    com::ComPtr<IPictureDisp> picture_;
};

} // namespace pw::inventor
