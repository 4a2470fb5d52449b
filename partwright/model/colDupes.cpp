#include "colDupes.h"

#include "shared/core/CaseFold.h"

#include <stdexcept>

namespace pw::model {

std::shared_ptr<clsDupe> colDupes::Find(std::string_view key) const {
    const auto found = byKey_.find(FoldCase(key));
    return found == byKey_.end() ? nullptr : found->second;
}

void colDupes::Add(std::shared_ptr<clsDupe> entry, std::string_view key) {
    std::string folded = FoldCase(key);
    if (!byKey_.emplace(folded, entry).second) {
        throw std::logic_error("colDupes: key already present");
    }
    entries_.push_back(std::move(entry));
    keys_.push_back(std::move(folded));
}

std::shared_ptr<clsDupe> colDupes::Item(std::int32_t position) const {
    if (position < 1 || position > Count()) {
        return nullptr;
    }
    return entries_[static_cast<std::size_t>(position - 1)];
}

void colDupes::RemoveFirst() {
    byKey_.erase(keys_.front());
    keys_.pop_front();
    entries_.pop_front();
}

void colDupes::Clear() noexcept {
    entries_.clear();
    keys_.clear();
    byKey_.clear();
}

} // namespace pw::model
