#pragma once

#include "shared/core/Value.h"
#include "shared/inventor/DocumentAccess.h"

#include <cstdint>
#include <memory>
#include <string>

namespace pw::model {

// The model reads Inventor only through the document access port.
using namespace inventor;

// One component record per tree node: a plain record filled by the walk, read by the window
// and the export.
struct clsFileData {
    std::string Author;
    Value Cost;
    std::int16_t Depth = 0;
    std::string Description;
    std::string Designer;
    std::string DisplayName; // never filled
    std::string FileName;
    std::string Material;
    Value Weight;
    Value Partnumber;
    std::int16_t Quantity = 0;
    Value Revision;
    Value Status;
    std::string Title; // never filled
    bool Adaptive = false;
    std::shared_ptr<Matrix> TransMat;
};

} // namespace pw::model
