#pragma once

#include "ShapesAndModules.h"
#include "standins/workbook/ExcelState.h"

#include <string>

// What the Excel stand-in leaves for people and tests to look at: each workbook it holds as a
// ".json" file with everything it holds (cells, shapes and macro modules), an ".xlsx" file that
// Excel and LibreOffice open, and one text file per macro module.
namespace pw::standins {

std::string WorkbookJson(const workbook::Workbook& book, const ShapesAndModules& aside);

// Writes "<book>.json", "<book>.xlsx" and "<book>.<module>.bas" for every workbook of the state
// into the folder (a host path, created when missing). Raises a Failure when a file cannot be
// written.
void WriteWorkbookFiles(const ExcelState& state, const ShapesAndModules& aside,
                        const std::string& folder);

} // namespace pw::standins
