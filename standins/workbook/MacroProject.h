#pragma once

#include "ShapesAndModules.h"
#include "partwright/excel/ExcelApi.h"

#include <memory>
#include <vector>

namespace pw::standins {

// A workbook's VBA project as the macro writer meets it: modules by index, new standard modules
// under their default names, code added as text.
std::shared_ptr<excel::VBProject> MakeMacroProject(std::vector<MacroModule>& modules);

} // namespace pw::standins
