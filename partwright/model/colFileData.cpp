#include "colFileData.h"

namespace pw::model {

std::shared_ptr<clsFileData> colFileData::Item(std::int32_t position) const {
    if (position < 1 || position > Count()) {
        return nullptr;
    }
    return records_[static_cast<std::size_t>(position - 1)];
}

} // namespace pw::model
