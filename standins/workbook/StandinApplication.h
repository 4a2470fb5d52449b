#pragma once

#include "ExcelFaults.h"
#include "ShapesAndModules.h"
#include "partwright/excel/ExcelApi.h"
#include "standins/workbook/ExcelState.h"

#include <memory>
#include <string>

namespace pw::standins {

// The stand-in's Excel: the workbook model's automation interface with the faults entered once
// before each member, and the buttons, check boxes and VBA projects kept beside the workbooks.
std::shared_ptr<excel::Application> MakeStandinApplication(std::shared_ptr<ExcelState> state,
                                                           std::shared_ptr<ExcelFaults> faults,
                                                           std::shared_ptr<ShapesAndModules> aside);

// Sheets(name) of a workbook of the stand-in's Excel; "Subscript out of range" when there is
// none.
std::shared_ptr<excel::Worksheet> FindWorksheet(excel::Workbook& book, const std::string& name);

} // namespace pw::standins
