#pragma once

#include "shared/core/Value.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pw::standins {

struct StandinOccurrence {
    std::string name;
    std::string file; // full Windows path of the referenced document
    std::array<double, 16> matrix{};
};

// One stand-in document file: UTF-8 JSON holding what Apprentice reports of the document.
struct StandinDocument {
    std::string fullFileName;
    std::string displayName;
    std::int32_t type = 0;
    std::int32_t version = 11000;
    bool needsMigration = false;
    bool adaptive = false;
    std::string thumbnail; // full path of the picture file, or empty
    // By set name (format identifiers of the standard sets are read as their names) and id.
    std::map<std::pair<std::string, std::int32_t>, Value> properties;
    std::vector<StandinOccurrence> occurrences;

    std::optional<Value> Property(const std::string& setNameOrId, std::int32_t propertyId) const;
};

// Reads the document at fullFileName; nothing when the file is missing or not stand-in JSON.
std::shared_ptr<const StandinDocument> ReadStandinDocument(const std::string& fullFileName);

// The set name a property set is filed under: the standard sets' format identifiers give their
// names; any other text is a name already.
std::string PropertySetName(const std::string& setNameOrId);

} // namespace pw::standins
