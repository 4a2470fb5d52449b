#pragma once

#include "ExcelSession.h"
#include "partwright/excel/BlockWriter.h"
#include "partwright/excel/ExcelApi.h"

#include <string>

namespace pw::excel {

// The sheet an export step writes to; a sheet that could not be had fails the step as Excel fails
// a call on an object never set.
Worksheet& HeldSheet(Worksheet* sheet);

// Writes blocks to one of the session's sheets, each call a step under the session's rule.
class ExcelSheetWriter : public BlockWriter {
public:
    // `sheet` is null when it could not be had: its blocks then fail as steps.
    ExcelSheetWriter(ExcelSession& session, Worksheet* sheet, std::string name);

protected:
    void Failed(const std::string& why) override { session_.CountFailure(why); }
    void Fitted(const std::string& where) override { session_.CountFitted(where); }
    void FormatRows(const RowRunFormat& run) override;
    void PutValues(std::int32_t top, const CellBlock& values) override;
    void PutLink(const CellLink& link) override;
    // The window's export lays out no pictures: one handed here is counted, not dropped unsaid.
    void PutPicture(const CellPicture& picture) override;

private:
    Worksheet& Sheet() const;

    ExcelSession& session_;
    Worksheet* sheet_;
};

} // namespace pw::excel
