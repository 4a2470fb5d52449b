#pragma once

#include "clsDupe.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace pw::model {

// The unique entries in order of first appearance, keyed by file name without regard to letter
// case; lookup by key takes constant time.
class colDupes {
public:
    std::int32_t Count() const noexcept { return static_cast<std::int32_t>(entries_.size()); }
    // The entry under key, or nothing.
    std::shared_ptr<clsDupe> Find(std::string_view key) const;
    // Appends entry under key; an entry of that key already there is a programming error.
    void Add(std::shared_ptr<clsDupe> entry, std::string_view key);
    // Counts one more use of a present file (or virtual component) under key: true when it is
    // the first, whose record carries the quantity 1.
    bool CountUse(const std::string& key, bool isVirtual);
    // Counts one more missing use under key (the entry goes negative): true when the record
    // keeps the quantity 1, as the first record of the name does.
    bool CountMissing(const std::string& key);
    // 1-based; nothing for a position outside the list.
    std::shared_ptr<clsDupe> Item(std::int32_t position) const;
    void RemoveFirst();
    void Clear() noexcept;

    auto begin() const noexcept { return entries_.begin(); }
    auto end() const noexcept { return entries_.end(); }

private:
    std::deque<std::shared_ptr<clsDupe>> entries_;
    std::deque<std::string> keys_; // folded, beside entries_
    std::unordered_map<std::string, std::shared_ptr<clsDupe>> byKey_;
};

} // namespace pw::model
