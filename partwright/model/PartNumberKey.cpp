#include "PartNumberKey.h"

#include "shared/core/CaseFold.h"

namespace pw::model {

std::string PartNumberKey(const clsFileData& record) {
    if (record.Kind != ComponentKind::Missing) {
        std::string partNumber = ValueText(record.Partnumber);
        if (!partNumber.empty()) {
            // An assembly and a part of one part number are two things, never one row.
            const bool assembly = record.Kind != ComponentKind::Virtual &&
                                  FoldCase(record.FileName).ends_with(".iam");
            return (assembly ? "#A" : "#P") + partNumber;
        }
    }
    return FileKey(record);
}

std::string FileKey(const clsFileData& record) {
    return "@" + FoldCase(record.FileName);
}

} // namespace pw::model
