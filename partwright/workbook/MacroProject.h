#pragma once

#include "WorkbookModel.h"
#include "partwright/excel/ExcelApi.h"

#include <memory>

namespace pw::workbook {

// The workbook's VBA project as the macro writer meets it: modules by index, new standard
// modules under their default names, code added as text.
std::shared_ptr<excel::VBProject> MakeMacroProject(Workbook& book);

} // namespace pw::workbook
