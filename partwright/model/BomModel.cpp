#include "BomModel.h"

#include "shared/core/NumberText.h"

namespace pw::model {

std::string UnreadText(const BomModel& model) {
    if (model.Unread.empty()) {
        return {};
    }
    return CountedText(static_cast<std::int64_t>(model.Unread.size()), "part", "parts") +
           " of the assembly could not be read, so the tree, the lists and the totals are "
           "incomplete; the first: " +
           model.Unread.front();
}

} // namespace pw::model
