#pragma once

#include "shared/core/Value.h"
#include "shared/inventor/DocumentAccess.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pw::standins {

// Properties by set name (format identifiers of the standard sets are read as their names) and
// id.
using StandinProperties = std::map<std::pair<std::string, std::int32_t>, Value>;
// Properties known by name (custom iProperties, whose JSON keys are names, not ids).
using StandinNamedProperties = std::map<std::pair<std::string, std::string>, Value>;

std::optional<Value> PropertyIn(const StandinProperties& properties, const std::string& setNameOrId,
                                std::int32_t propertyId);
std::optional<Value> NamedPropertyIn(const StandinNamedProperties& properties,
                                     const std::string& setNameOrId,
                                     const std::string& propertyName);

// A component that exists only in the bill of materials, defined inside its assembly.
struct StandinVirtual {
    StandinProperties properties;
    StandinNamedProperties namedProperties;
    std::int32_t bomStructure = inventor::kNormalBOMStructure;
};

struct StandinOccurrence {
    std::string name;
    std::string file;        // full Windows path of the referenced document; empty for a virtual
    std::string virtualName; // the assembly's virtual component this uses, or empty
    bool suppressed = false;
    std::int32_t bomStructure = inventor::kDefaultBOMStructure;
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
    std::int32_t bomStructure = inventor::kNormalBOMStructure;
    StandinProperties properties;
    StandinNamedProperties namedProperties;
    std::map<std::string, StandinVirtual> virtualComponents; // by name
    std::vector<StandinOccurrence> occurrences;

    std::optional<Value> Property(const std::string& setNameOrId, std::int32_t propertyId) const;
};

// Reads the document at fullFileName; nothing when the file is missing or not stand-in JSON.
std::shared_ptr<const StandinDocument> ReadStandinDocument(const std::string& fullFileName);

// The set name a property set is filed under: the standard sets' format identifiers give their
// names; any other text is a name already.
std::string PropertySetName(const std::string& setNameOrId);

} // namespace pw::standins
