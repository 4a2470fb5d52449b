#include "colDupes.h"

#include "shared/core/CaseFold.h"
#include "shared/core/Checked.h"

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

bool colDupes::CountUse(const std::string& key, bool isVirtual) {
    if (const auto entry = Find(key)) {
        entry->Quantity = checked::Add(entry->Quantity, 1);
        return false;
    }
    Add(std::make_shared<clsDupe>(clsDupe{key, 1, isVirtual}), key);
    return true;
}

bool colDupes::CountMissing(const std::string& key) {
    if (const auto entry = Find(key)) {
        entry->Quantity = checked::Sub(entry->Quantity, 1);
        return entry->Quantity >= 0;
    }
    Add(std::make_shared<clsDupe>(clsDupe{key, -1, false}), key);
    return true;
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
