#pragma once

#include "shared/core/Value.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pw::standins {

// A document's properties by set name and id, kept together in one block so that reading them
// stays cheap however many documents the store holds. Set names are interned.
class PropertyTable {
public:
    using Key = std::pair<std::string, std::int32_t>;

    PropertyTable() = default;
    PropertyTable(std::initializer_list<std::pair<Key, Value>> properties);
    PropertyTable& operator=(std::initializer_list<std::pair<Key, Value>> properties);

    Value& operator[](const Key& key);
    void erase(const Key& key);
    // The value, or nothing when the set or the property is absent.
    const Value* Find(std::string_view set, std::int32_t id) const;

private:
    struct Entry {
        const std::string* set; // interned
        std::int32_t id;
        Value value;
    };
    std::vector<Entry>::iterator Locate(std::string_view set, std::int32_t id);

    std::vector<Entry> entries_;
};

} // namespace pw::standins
