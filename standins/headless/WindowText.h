#pragma once

#include "partwright/app/frmTree.h"

#include <string>
#include <vector>

namespace pw::app {

struct ShownMessageBox {
    std::string caption;
    int style = 0;
    std::string text;
};

// The window's controls as text: sections [txtFilename], [Status], [treList], [List1],
// [lstResults] and [MessageBoxes], each followed by its lines.
std::string WindowText(frmTree& window, const std::vector<ShownMessageBox>& boxes);

} // namespace pw::app
