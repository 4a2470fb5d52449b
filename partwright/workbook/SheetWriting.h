#pragma once

#include "FileImages.h"
#include "WorkbookModel.h"
#include "partwright/excel/BlockWriter.h"

#include <functional>
#include <string>

namespace pw::workbook {

// What typing `value` into a cell leaves there, as Excel reads what is typed; an empty value
// leaves a blank cell blank.
void TypeInto(Sheet& sheet, std::int32_t row, std::int32_t column, const Value& value,
              int currentYear);

// A hyperlink over a cell, replacing one the cell has, the cell showing `text`; "#" in the
// address starts a place inside the target, as Excel reads it.
void LinkCell(Sheet& sheet, std::int32_t row, std::int32_t column, const std::string& address,
              const std::string& text);

// Writes blocks into a sheet of the workbook: formats row by row, values as typed, links, and
// the pictures of `images` (a row of a file without one is made as tall, its cell left empty).
// A value the layout could not make leaves no workbook to write: it fails the write.
class SheetBlockWriter : public excel::BlockWriter {
public:
    SheetBlockWriter(Sheet& sheet, excel::CellLimits limits,
                     std::function<void(const std::string&)> fitted,
                     const FileImages* images = nullptr);

protected:
    void Failed(const std::string& why) override;
    void Fitted(const std::string& where) override;
    void FormatRows(const excel::RowRunFormat& run) override;
    void PutValues(std::int32_t top, const excel::CellBlock& values) override;
    void PutLink(const excel::CellLink& link) override;
    void PutPicture(const excel::CellPicture& picture) override;

private:
    Sheet& sheet_;
    std::function<void(const std::string&)> fitted_;
    const FileImages* images_;
    int currentYear_ = ThisYear();
};

} // namespace pw::workbook
