#pragma once

#include "LoadReport.h"

#include <cstdint>
#include <vector>

namespace pw::model {

// Which record each node of the component tree shows, by the record's place in FileData (from
// 1). A node is added before its record is made; a node whose record could not be made, or that
// has none (a refused top node has no node at all), shows none, and every other node still
// shows its own.
class NodeRecords {
public:
    void Clear() { records_.clear(); }
    void Link(NodeIndex node, std::int32_t record);
    // The record's place, or 0 when the node shows none.
    std::int32_t RecordOf(NodeIndex node) const;

private:
    std::vector<std::int32_t> records_; // [node - 1]
};

} // namespace pw::model
