#include "PropertyTable.h"

#include <algorithm>
#include <mutex>
#include <set>

namespace pw::standins {
namespace {

const std::string* Intern(std::string_view name) {
    static std::mutex guard; // documents may be read on more than one thread
    static std::set<std::string, std::less<>> names;
    const std::lock_guard lock(guard);
    auto found = names.find(name);
    if (found == names.end()) {
        found = names.emplace(name).first;
    }
    return &*found;
}

} // namespace

PropertyTable::PropertyTable(std::initializer_list<std::pair<Key, Value>> properties) {
    *this = properties;
}

PropertyTable& PropertyTable::operator=(std::initializer_list<std::pair<Key, Value>> properties) {
    entries_.clear();
    for (const auto& [key, value] : properties) {
        (*this)[key] = value;
    }
    return *this;
}

std::vector<PropertyTable::Entry>::iterator PropertyTable::Locate(std::string_view set,
                                                                  std::int32_t id) {
    return std::find_if(entries_.begin(), entries_.end(),
                        [&](const Entry& entry) { return entry.id == id && *entry.set == set; });
}

Value& PropertyTable::operator[](const Key& key) {
    auto found = Locate(key.first, key.second);
    if (found == entries_.end()) {
        entries_.push_back({Intern(key.first), key.second, {}});
        return entries_.back().value;
    }
    return found->value;
}

void PropertyTable::erase(const Key& key) {
    const auto found = Locate(key.first, key.second);
    if (found != entries_.end()) {
        entries_.erase(found);
    }
}

const Value* PropertyTable::Find(std::string_view set, std::int32_t id) const {
    for (const Entry& entry : entries_) {
        if (entry.id == id && *entry.set == set) {
            return &entry.value;
        }
    }
    return nullptr;
}

} // namespace pw::standins
