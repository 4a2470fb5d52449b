#pragma once

#include "partwright/excel/ExcelApi.h"
#include "partwright/model/clsFileData.h"

#include <cstdint>
#include <string>

// How the export turns records into cell contents, shared by both BOM sheets.
namespace pw::excel {

// A field as it goes into a cell: numbers as numbers, empty as empty, and text marked so that
// Excel keeps it as the text it is ("00123" stays 00123, "1-2" no date, "=..." no formula).
CellValue FieldCell(const Value& field);
CellValue TextCell(const std::string& text);

// Folder (ending in "\", or empty) and file name of a path; folder + name gives the path back.
void SplitPath(const std::string& path, std::string& folder, std::string& name);
// The same of a record's file; both empty for a virtual component, which has no file.
void SplitRecordPath(const model::clsFileData& record, std::string& folder, std::string& name);

// The address of a hyperlink to a file: the path itself, or, when it holds a "#" (which Excel
// reads as the start of a place inside the file), the path as a file URL with "#" written "%23".
std::string FileLinkAddress(const std::string& path);

// A row of an assembly: a file name with the extension ".iam", in any letter case.
bool IsAssemblyRow(const std::string& fileName);
// A record shown as an assembly: a virtual component never is, though its key names one.
bool IsAssemblyRecord(const model::clsFileData& record);
// Whether the record has a row of the Indented BOM: a suppressed use has none.
bool Exported(const model::clsFileData& record);

// "WIP", "Pending", "Released" for 1, 2, 3; otherwise "NA-" and the value as text.
std::string StatusText(const Value& status);

// The 16 cells of the matrix, row by row, separated by ","; empty without a matrix. A cell that
// cannot be read fails the whole text.
std::string MatrixText(inventor::Matrix* matrix);

} // namespace pw::excel
