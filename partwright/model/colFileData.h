#pragma once

#include "clsFileData.h"

#include <cstdint>
#include <deque>
#include <memory>

namespace pw::model {

// All component records in tree-node order: record k belongs to the tree node with index k.
class colFileData {
public:
    void Add(std::shared_ptr<clsFileData> record) { records_.push_back(std::move(record)); }
    std::int32_t Count() const noexcept { return static_cast<std::int32_t>(records_.size()); }
    // 1-based; nothing for a position outside the list.
    std::shared_ptr<clsFileData> Item(std::int32_t position) const;
    void RemoveFirst() { records_.pop_front(); }
    void Clear() noexcept { records_.clear(); }

    auto begin() const noexcept { return records_.begin(); }
    auto end() const noexcept { return records_.end(); }

private:
    std::deque<std::shared_ptr<clsFileData>> records_;
};

} // namespace pw::model
