#include "StandinDocument.h"

#include "StandinFiles.h"
#include "shared/core/CaseFold.h"
#include "shared/inventor/DocumentAccess.h"

#include <limits>
#include <nlohmann/json.hpp>

namespace pw::standins {
namespace {

using nlohmann::json;

const std::pair<const char*, const char*> kStandardSets[] = {
    {"{F29F85E0-4FF9-1068-AB91-08002B27B3D9}", "Inventor Summary Information"},
    {"{D5CDD502-2E9C-101B-9397-08002B2CF9AE}", "Inventor Document Summary Information"},
    {"{32853F0F-3444-11D1-9E93-0060B03C1CA6}", "Design Tracking Properties"},
    {"{D5CDD505-2E9C-101B-9397-08002B2CF9AE}", "Inventor User Defined Properties"},
};

Value ValueOf(const json& value) {
    if (value.is_string()) {
        return value.get<std::string>();
    }
    if (value.is_boolean()) {
        return value.get<bool>();
    }
    if (value.is_number_integer()) {
        const auto whole = value.get<std::int64_t>();
        if (whole >= std::numeric_limits<std::int32_t>::min() &&
            whole <= std::numeric_limits<std::int32_t>::max()) {
            return static_cast<std::int32_t>(whole);
        }
        return static_cast<double>(whole);
    }
    if (value.is_number()) {
        return value.get<double>();
    }
    return {};
}

std::int32_t TypeOf(const json& type) {
    if (type.is_string()) {
        const std::string name = type.get<std::string>();
        if (name == "assembly") {
            return inventor::kAssemblyDocument;
        }
        if (name == "part") {
            return inventor::kPartDocument;
        }
        throw json::other_error::create(501, "unknown document type " + name, &type);
    }
    return type.get<std::int32_t>();
}

// BOMStructureEnum by its name ("phantom") or its value.
std::int32_t BomStructureOf(const json& structure) {
    if (!structure.is_string()) {
        return structure.get<std::int32_t>();
    }
    const std::string name = structure.get<std::string>();
    const char* const names[] = {"default",   "normal",    "phantom",
                                 "reference", "purchased", "inseparable"};
    for (std::int32_t i = 0; i < static_cast<std::int32_t>(std::size(names)); ++i) {
        if (name == names[i]) {
            return inventor::kDefaultBOMStructure + i;
        }
    }
    throw json::other_error::create(501, "unknown BOM structure " + name, &structure);
}

// "each", or a parameter's quantity as Inventor stores it.
inventor::BaseQuantity BaseQuantityOf(const json& quantity) {
    inventor::BaseQuantity read;
    const std::string kind = quantity.value("kind", "each");
    if (kind == "each") {
        return read;
    }
    if (kind != "parameter") {
        throw json::other_error::create(501, "unknown quantity kind " + kind, &quantity);
    }
    read.kind = inventor::kParameterBOMQuantity;
    read.evaluated = quantity.at("evaluated").get<double>();
    read.baseUnits = quantity.at("baseUnits").get<std::string>();
    read.unitQuantity = quantity.at("unitQuantity").get<std::string>();
    return read;
}

// How a document or a virtual component is counted in a BOM: its structure and its quantity.
template <class Owner> void ReadBomFields(const json& from, Owner& owner) {
    if (from.contains("bomStructure")) {
        owner.bomStructure = BomStructureOf(from.at("bomStructure"));
    }
    if (from.contains("bomQuantity")) {
        owner.bomQuantity = BaseQuantityOf(from.at("bomQuantity"));
    }
}

// A set's properties under their ids ("5"), or under their names ("Supplier").
template <class Owner> void ReadProperties(const json& from, Owner& owner) {
    const json sets = from.value("propertySets", json::object());
    for (const auto& [setName, properties] : sets.items()) {
        for (const auto& [key, value] : properties.items()) {
            const bool byId =
                !key.empty() && key.find_first_not_of("0123456789") == std::string::npos;
            if (byId) {
                owner.properties[{std::string(PropertySetName(setName)), std::stoi(key)}] =
                    ValueOf(value);
            } else {
                owner.namedProperties[{std::string(PropertySetName(setName)), key}] =
                    ValueOf(value);
            }
        }
    }
}

StandinDocument Parse(const std::string& fullFileName, const json& file) {
    StandinDocument document;
    document.fullFileName = fullFileName;
    const std::string folder = FolderOf(fullFileName);
    document.type = TypeOf(file.at("type"));
    document.displayName =
        file.value("displayName", fullFileName.substr(fullFileName.rfind('\\') + 1));
    document.version = file.value("version", 11000);
    document.needsMigration = file.value("needsMigration", false);
    document.adaptive = file.value("adaptive", false);
    if (file.contains("thumbnail")) {
        document.thumbnail = ResolvePath(folder, file.at("thumbnail").get<std::string>());
    }
    if (file.contains("savedBy")) {
        const json& savedBy = file.at("savedBy");
        document.savedBy = {savedBy.at("major").get<std::int32_t>(),
                            savedBy.at("displayVersion").get<std::string>()};
    }
    ReadProperties(file, document);
    ReadBomFields(file, document);
    const json virtuals = file.value("virtualComponents", json::object());
    for (const auto& [name, definition] : virtuals.items()) {
        StandinVirtual& read = document.virtualComponents[name];
        ReadProperties(definition, read);
        ReadBomFields(definition, read);
    }
    const json occurrences = file.value("occurrences", json::array());
    for (const json& occurrence : occurrences) {
        StandinOccurrence read;
        read.name = occurrence.at("name").get<std::string>();
        if (occurrence.contains("virtual")) {
            read.virtualName = occurrence.at("virtual").get<std::string>();
            if (!document.virtualComponents.contains(read.virtualName)) {
                throw json::other_error::create(501, "no virtual component " + read.virtualName,
                                                &occurrence);
            }
        } else {
            read.reference = occurrence.at("file").get<std::string>();
            read.library = occurrence.value("library", "");
            read.file = ResolvePath(folder, read.reference);
        }
        read.suppressed = occurrence.value("suppressed", false);
        if (occurrence.contains("bomStructure")) {
            read.bomStructure = BomStructureOf(occurrence.at("bomStructure"));
        }
        read.matrix = occurrence.value("matrix", kIdentity);
        document.occurrences.push_back(std::move(read));
    }
    return document;
}

} // namespace

std::string_view PropertySetName(std::string_view setNameOrId) {
    if (setNameOrId.empty() || setNameOrId.front() != '{') {
        return setNameOrId; // a name; only identifiers are braced
    }
    for (const auto& [id, name] : kStandardSets) {
        if (EqualsIgnoringCase(setNameOrId, id)) {
            return name;
        }
    }
    return setNameOrId;
}

std::optional<Value> PropertyIn(const PropertyTable& properties, const std::string& setNameOrId,
                                std::int32_t propertyId) {
    const Value* value = properties.Find(PropertySetName(setNameOrId), propertyId);
    return value ? std::optional<Value>(*value) : std::nullopt;
}

std::optional<Value> NamedPropertyIn(const NamedProperties& properties,
                                     const std::string& setNameOrId,
                                     const std::string& propertyName) {
    const auto found = properties.find({std::string(PropertySetName(setNameOrId)), propertyName});
    if (found == properties.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::shared_ptr<const StandinDocument> ReadStandinDocument(const std::string& fullFileName) {
    const auto text = ReadFileText(fullFileName);
    if (!text) {
        return nullptr;
    }
    try {
        return std::make_shared<const StandinDocument>(Parse(fullFileName, json::parse(*text)));
    } catch (const json::exception&) {
        return nullptr; // not a stand-in document
    } catch (const std::invalid_argument&) {
        return nullptr; // a property id that is no number
    } catch (const std::out_of_range&) {
        return nullptr;
    }
}

} // namespace pw::standins
