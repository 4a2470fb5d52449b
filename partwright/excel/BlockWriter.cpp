#include "BlockWriter.h"

#include <utility>

namespace pw::excel {

BlockWriter::BlockWriter(std::string sheetName, CellLimits limits)
    : sheetName_(std::move(sheetName)), excelLimits_(limits == CellLimits::Excel) {}

void BlockWriter::Write(const RowBlock& block) {
    for (const std::string& failure : block.failures) {
        Failed(failure);
    }
    for (const RowRunFormat& run : block.formats) {
        FormatRows(run);
    }
    // Excel refuses a whole block for one text longer than a cell holds: such texts are cut
    // first.
    if (!excelLimits_ || !HasTextLongerThanACell(block.values)) {
        PutValues(block.top, block.values);
    } else {
        CellBlock fitted = block.values;
        for (const std::string& note : FitTextsToCells(fitted, block.top, sheetName_)) {
            Fitted(note);
        }
        PutValues(block.top, fitted);
    }
    for (const CellLink& link : block.links) {
        // Past what a sheet holds, each link would be refused in turn: the names stay as text.
        if (excelLimits_ && links_ == kHyperlinksPerSheet) {
            Fitted(sheetName_ + ": Excel holds 65,530 hyperlinks on a sheet; the file names past "
                                "them are text only");
        }
        if (excelLimits_ && links_++ >= kHyperlinksPerSheet) {
            continue;
        }
        PutLink(link);
    }
    for (const CellPicture& picture : block.pictures) {
        PutPicture(picture);
    }
}

} // namespace pw::excel
