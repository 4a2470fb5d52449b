#include "PartNumberKey.h"

#include "shared/core/CaseFold.h"

namespace pw::model {

std::string PartNumberKey(const clsFileData& record) {
    if (record.Kind != ComponentKind::Missing) {
        std::string partNumber = ValueText(record.Partnumber);
        if (!partNumber.empty()) {
            return "#" + partNumber;
        }
    }
    return FileKey(record);
}

std::string FileKey(const clsFileData& record) {
    return "@" + FoldCase(record.FileName);
}

} // namespace pw::model
