#pragma once

#include "CellLimits.h"
#include "SheetBlocks.h"

#include <cstddef>
#include <string>

namespace pw::excel {

// Writes a sheet's blocks, Excel's sheet or a sheet of a workbook written as a file alike: each
// run's formats, the values, then the links over them and the pictures. With Excel's limits, a text
// longer than a cell holds is cut to fit and the sheet's links end at what it holds, each told as
// fitted; a value the layout could not make is told as failed.
class BlockWriter {
public:
    BlockWriter(std::string sheetName, CellLimits limits);
    virtual ~BlockWriter() = default;

    void Write(const RowBlock& block);

protected:
    virtual void Failed(const std::string& why) = 0;
    virtual void Fitted(const std::string& where) = 0;
    virtual void FormatRows(const RowRunFormat& run) = 0;
    virtual void PutValues(std::int32_t top, const CellBlock& values) = 0;
    virtual void PutLink(const CellLink& link) = 0;
    virtual void PutPicture(const CellPicture& picture) = 0;

private:
    std::string sheetName_;
    bool excelLimits_;
    std::size_t links_ = 0; // the sheet's hyperlinks so far
};

} // namespace pw::excel
