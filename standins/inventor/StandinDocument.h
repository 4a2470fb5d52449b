#pragma once

#include "PropertyTable.h"
#include "shared/core/Value.h"
#include "shared/inventor/DocumentAccess.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pw::standins {

// Properties known by name (custom iProperties), by set name and property name.
using NamedProperties = std::map<std::pair<std::string, std::string>, Value>;

struct StandinDocument;

using MatrixCells = std::array<double, 16>;
inline constexpr MatrixCells kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// A component that exists only in the bill of materials, defined inside its assembly.
struct StandinVirtual {
    PropertyTable properties;
    NamedProperties namedProperties;
    std::int32_t bomStructure = inventor::kNormalBOMStructure;
    inventor::BaseQuantity bomQuantity;
};

// The stand-in's own release: a file saved by a later one is refused by Open.
inline const inventor::SoftwareVersion kStandinRelease{29, "2025"};

struct StandinOccurrence {
    std::string name;
    std::string file;        // full path of the referenced document beside its assembly
    std::string reference;   // as the assembly stores it: relative, or a path in `library`
    std::string library;     // the project library the reference lies in, if any
    std::string virtualName; // the assembly's virtual component this uses, instead of a file
    bool suppressed = false; // what it uses then fails with E_FAIL
    std::int32_t bomStructure = inventor::kDefaultBOMStructure;
    MatrixCells matrix = kIdentity;
    // The referenced document once found, so that a walk through many uses looks it up once;
    // found under the project activated `resolvedIn`-th.
    mutable std::weak_ptr<const StandinDocument> resolved;
    mutable std::uint64_t resolvedIn = 0;
};

// What Apprentice reports of one document. Property sets are filed under their names.
struct StandinDocument {
    std::string fullFileName;
    std::string displayName;
    std::int32_t type = inventor::kPartDocument;
    std::int32_t version = 11000;
    bool needsMigration = false;
    bool adaptive = false;
    std::string thumbnail; // full path of the picture file; none when empty
    std::int32_t bomStructure = inventor::kNormalBOMStructure;
    inventor::BaseQuantity bomQuantity;
    inventor::SoftwareVersion savedBy = kStandinRelease;
    PropertyTable properties;
    NamedProperties namedProperties;
    std::map<std::string, StandinVirtual> virtualComponents; // by name
    std::vector<StandinOccurrence> occurrences;
};

// The set name a property set is filed under: the standard sets' format identifiers give their
// names; any other text is a name already.
std::string_view PropertySetName(std::string_view setNameOrId);

std::optional<Value> PropertyIn(const PropertyTable& properties, const std::string& setNameOrId,
                                std::int32_t propertyId);
std::optional<Value> NamedPropertyIn(const NamedProperties& properties,
                                     const std::string& setNameOrId,
                                     const std::string& propertyName);

// Reads a stand-in document file (UTF-8 JSON); nothing when the file is missing or not one.
std::shared_ptr<const StandinDocument> ReadStandinDocument(const std::string& fullFileName);

} // namespace pw::standins
