#pragma once

#include "shared/core/Failure.h"
#include "shared/core/Value.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// What the program asks of Inventor's Apprentice server. Every member may raise a Failure with
// the server's code; an unreachable component file answers kEFail.
namespace pw::inventor {

inline constexpr std::int32_t kAssemblyDocument = 12291;
inline constexpr std::int32_t kPartDocument = 12290;

// ObjectTypeEnum's value for a component that exists only in the bill of materials (grease,
// paint, a label): it has no file, and its definition's Document is the assembly holding it.
inline constexpr std::int32_t kVirtualComponentDefinition = 100680448;

// BOMStructureEnum. An occurrence's kDefaultBOMStructure means "as its definition says".
inline constexpr std::int32_t kDefaultBOMStructure = 51969;
inline constexpr std::int32_t kNormalBOMStructure = 51970;
inline constexpr std::int32_t kPhantomBOMStructure = 51971;
inline constexpr std::int32_t kReferenceBOMStructure = 51972;
inline constexpr std::int32_t kPurchasedBOMStructure = 51973;
inline constexpr std::int32_t kInseparableBOMStructure = 51974;

// BOMQuantityTypeEnum: a component counted in items, or in a base quantity taken from one of
// its parameters (a length, an area, a volume or a mass).
inline constexpr std::int32_t kEachBOMQuantity = 52225;
inline constexpr std::int32_t kParameterBOMQuantity = 52226;

// What a definition's BOMQuantity holds. `evaluated` is the stored value in Inventor's internal
// units (cm, cm^2, cm^3, kg); `baseUnits` the unit the BOM shows it in; `unitQuantity` the text
// Inventor's BOM shows ("1250.000 mm"). Units and text are read for a parameter quantity only.
struct BaseQuantity {
    std::int32_t kind = kEachBOMQuantity;
    double evaluated = 1;
    std::string baseUnits;
    std::string unitQuantity;
};

// The release that saved a file, or that a server is: Major grows with each yearly release
// (29 is Inventor 2025); DisplayVersion is its name ("2025").
struct SoftwareVersion {
    std::int32_t major = 0;
    std::string displayVersion;
};

// An Inventor project (.ipj), through which a document's references are found: its name and its
// file (none for Inventor's default project).
struct DesignProjectName {
    std::string name;
    std::string fullFileName;
};

class Document;
class Occurrence;

using OccurrenceItems = std::vector<std::shared_ptr<Occurrence>>;

// A 4 x 4 transformation matrix.
class Matrix {
public:
    virtual ~Matrix() = default;
    // row and column count from 1 to 4.
    virtual double Cell(int row, int column) = 0;
};

// A stored preview picture; only the window and the preview component know how to draw it.
class Picture {
public:
    virtual ~Picture() = default;
};

class OccurrenceList {
public:
    virtual ~OccurrenceList() = default;
    // The occurrences in the assembly's order; a failure here is a failure to go through them.
    virtual OccurrenceItems Items() = 0;
};

class ComponentDefinition {
public:
    virtual ~ComponentDefinition() = default;
    virtual std::shared_ptr<OccurrenceList> Occurrences() = 0;
    // The document that holds the definition: for a virtual component, its assembly.
    virtual std::shared_ptr<inventor::Document> Document() = 0;
    // ObjectTypeEnum: kVirtualComponentDefinition, or another definition's value.
    virtual std::int32_t Type() = 0;
    virtual std::int32_t BOMStructure() = 0;
    virtual inventor::BaseQuantity BOMQuantity() = 0;
    // A virtual component's own name and properties (it has no document of its own); as
    // Document::PropertyValue.
    virtual std::string DisplayName() = 0;
    virtual std::optional<Value> PropertyValue(const std::string& setName,
                                               std::int32_t propertyId) = 0;
    virtual std::optional<Value> NamedPropertyValue(const std::string& setName,
                                                    const std::string& propertyName) = 0;
};

class Document {
public:
    virtual ~Document() = default;
    virtual bool NeedsMigration() = 0;
    virtual std::string DisplayName() = 0;
    virtual std::string FullFileName() = 0;
    virtual std::shared_ptr<inventor::ComponentDefinition> ComponentDefinition() = 0;
    virtual std::int32_t DocumentType() = 0;
    virtual bool Adaptive() = 0;
    // Property `propertyId` of the set named `setName` (a name or a format identifier); nothing
    // when the document has no such property or set (the server answers E_INVALIDARG), which is
    // common and no failure. Other failures raise.
    virtual std::optional<Value> PropertyValue(const std::string& setName,
                                               std::int32_t propertyId) = 0;
    // As PropertyValue, the property found by its name (PropertySet.Item(name)), as custom
    // iProperties are known.
    virtual std::optional<Value> NamedPropertyValue(const std::string& setName,
                                                    const std::string& propertyName) = 0;
    virtual std::int32_t Version() = 0;
    virtual std::shared_ptr<Picture> Thumbnail() = 0;
};

class Occurrence {
public:
    virtual ~Occurrence() = default;
    virtual std::string Name() = 0;
    // A suppressed occurrence fails when its definition is read.
    virtual bool Suppressed() = 0;
    // kDefaultBOMStructure, or the structure this use overrides its definition's with.
    virtual std::int32_t BOMStructure() = 0;
    virtual std::shared_ptr<ComponentDefinition> Definition() = 0;
    virtual std::shared_ptr<OccurrenceList> SubOccurrences() = 0;
    virtual std::shared_ptr<Matrix> Transformation() = 0;
};

class Server {
public:
    virtual ~Server() = default;
    virtual std::shared_ptr<Document> Open(const std::string& fullPath) = 0;
    // A new identity matrix from the server's geometry factory.
    virtual std::shared_ptr<Matrix> NewMatrix() = 0;
    // The folder the file dialog starts in.
    virtual std::string StartFolder() = 0;
    // The server's own release, and the release that last saved a file, which the file tells
    // without being opened (FileManager.SoftwareVersionSaved).
    virtual SoftwareVersion Release() = 0;
    virtual SoftwareVersion SavedBy(const std::string& fullPath) = 0;
    // The project references are found through (DesignProjectManager.ActiveDesignProject).
    virtual DesignProjectName ActiveProject() = 0;
    // Makes the project file active for this server, found among the projects Apprentice knows or
    // added to them, without making it the user's default (DesignProject.Activate(False), which
    // Apprentice refuses while a document is open). Returns it as activated.
    virtual DesignProjectName ActivateProject(const std::string& projectFile) = 0;
};

// Starts a server by its programmatic identifier ("Inventor.ApprenticeServer").
class ServerFactory {
public:
    virtual ~ServerFactory() = default;
    virtual std::shared_ptr<Server> Create(const std::string& progId) = 0;
};

} // namespace pw::inventor
