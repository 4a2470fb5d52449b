#include "NodeRecords.h"

namespace pw::model {

void NodeRecords::Link(NodeIndex node, std::int32_t record) {
    if (node < 1) {
        return;
    }
    const auto at = static_cast<std::size_t>(node - 1);
    if (records_.size() <= at) {
        records_.resize(at + 1, 0);
    }
    records_[at] = record;
}

std::int32_t NodeRecords::RecordOf(NodeIndex node) const {
    const auto at = static_cast<std::size_t>(node - 1);
    return node >= 1 && at < records_.size() ? records_[at] : 0;
}

} // namespace pw::model
