#pragma once

#include "PropertyTable.h"
#include "shared/core/Failure.h"
#include "shared/inventor/DocumentAccess.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

// An in-memory Apprentice server for tests and benchmarks: documents by path, occurrences that
// reference them, and any single operation made to fail with a chosen code.
namespace pw::fakes {

enum class Op {
    Create,
    Open,
    NeedsMigration,
    DisplayName,
    FullFileName,
    DocumentDefinition,
    Occurrences,
    Items,
    DefinitionDocument,
    DocumentType,
    Adaptive,
    PropertyValue,
    Version,
    Thumbnail,
    Name,
    OccurrenceDefinition,
    SubOccurrences,
    Transformation,
    NewMatrix,
    Cell,
    StartFolder,
    Suppressed,
    BOMStructure,
    DefinitionType,
};

using MatrixCells = std::array<double, 16>;
inline constexpr MatrixCells kIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

struct FakeDocumentData;

struct FakeOccurrenceData {
    std::string name;
    std::string file; // the referenced document's path; a path with no document is missing
    MatrixCells matrix = kIdentity;
    std::string virtualName; // a virtual component of the owning assembly, instead of a file
    bool suppressed = false; // its definition and sub-occurrences then fail with E_FAIL
    std::int32_t bomStructure = inventor::kDefaultBOMStructure;
    mutable const FakeDocumentData* resolved = nullptr; // found once, kept
};

// Properties known by name (custom iProperties), by set name and property name.
using NamedProperties = std::map<std::pair<std::string, std::string>, Value>;

struct FakeVirtualData {
    PropertyTable properties;
    NamedProperties namedProperties;
    std::int32_t bomStructure = inventor::kNormalBOMStructure;
};

struct FakeDocumentData {
    std::string fullFileName;
    std::string displayName;
    std::int32_t type = inventor::kPartDocument;
    bool needsMigration = false;
    bool adaptive = false;
    std::int32_t version = 11000;
    PropertyTable properties;
    NamedProperties namedProperties;
    std::int32_t bomStructure = inventor::kNormalBOMStructure;
    std::map<std::string, FakeVirtualData> virtualComponents; // by name
    std::vector<FakeOccurrenceData> occurrences;
};

class FakeInventor : public inventor::ServerFactory {
public:
    FakeInventor();

    FakeDocumentData& AddAssembly(const std::string& path, const std::string& displayName = "");
    FakeDocumentData& AddPart(const std::string& path);
    FakeDocumentData& Document(const std::string& path);
    // Adds an occurrence named `name` of `file` to the assembly at `assemblyPath`; the reference
    // holds until the next occurrence is added there.
    FakeOccurrenceData& AddOccurrence(const std::string& assemblyPath, const std::string& name,
                                      const std::string& file,
                                      const MatrixCells& matrix = kIdentity);
    // Adds an occurrence of the assembly's virtual component `definition`, made when new.
    FakeVirtualData& AddVirtual(const std::string& assemblyPath, const std::string& name,
                                const std::string& definition);

    // Makes `op` fail with `code` when it concerns `subject` (a document's path or an
    // occurrence's name; empty: every call of op).
    void FailOn(Op op, const std::string& subject = "", ResultCode code = kEFail);

    std::string startFolder = "C:\\Users\\Public\\Documents\\Autodesk\\Inventor";
    int serversCreated = 0;
    // How often each operation was asked for.
    mutable std::map<Op, int> calls;

    std::shared_ptr<inventor::Server> Create(const std::string& progId) override;

    // Used by the fake's objects.
    void Check(Op op, const std::string& subject) const;
    const FakeDocumentData* Find(const std::string& path) const;

private:
    std::unordered_map<std::string, FakeDocumentData> documents_; // by folded path
    std::multimap<Op, std::pair<std::string, ResultCode>> failures_;
};

} // namespace pw::fakes
