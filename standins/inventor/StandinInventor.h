#pragma once

#include "DocumentStore.h"
#include "FaultPlan.h"
#include "StandinDocument.h"
#include "StandinProject.h"
#include "shared/inventor/DocumentAccess.h"

#include <memory>
#include <string>

namespace pw::standins {

// A stored preview picture of the stand-in: the image file beside the document.
class StandinPicture : public inventor::Picture {
public:
    explicit StandinPicture(std::string imageFile) : imageFile_(std::move(imageFile)) {}
    const std::string& ImageFile() const { return imageFile_; }

private:
    std::string imageFile_;
};

// Where a user's default project is kept between runs: the project file's path, empty for the
// default project.
class DefaultProjectStore {
public:
    virtual ~DefaultProjectStore() = default;
    virtual std::string Load() = 0;
    virtual void Save(const std::string& projectFile) = 0;
};

class MemoryDefaultProject : public DefaultProjectStore {
public:
    std::string Load() override { return projectFile; }
    void Save(const std::string& file) override { projectFile = file; }
    std::string projectFile;
};

// What the servers of one stand-in share: its documents and faults, and the projects of the
// session (those known, the default project first, and the active one).
struct StandinState {
    StandinState(DocumentStore store, std::string folder)
        : documents(std::move(store)), startFolder(std::move(folder)) {}

    DocumentStore documents;
    FaultPlan faults;
    std::string startFolder;
    std::shared_ptr<DefaultProjectStore> defaults = std::make_shared<MemoryDefaultProject>();
    std::vector<StandinProject> projects;
    std::size_t active = 0;
    std::uint64_t activations = 1; // grows with each activation: resolutions made before are stale
    int openDocuments = 0;         // opened by Open and still referenced
};

// Apprentice's design projects as the stand-in's COM objects reach them (DesignProjectManager,
// DesignProjects, DesignProject).
class StandinProjects {
public:
    virtual ~StandinProjects() = default;
    virtual std::vector<StandinProject> Known() = 0;
    virtual std::size_t ActiveIndex() = 0;
    // The project file read and known from now on (its place if known already); a file that is
    // no project fails.
    virtual std::size_t AddExisting(const std::string& fullFileName) = 0;
    // Refused while a document is open, as Apprentice refuses it; as the user's default too when
    // asked, as Apprentice's default argument asks.
    virtual void Activate(std::size_t index, bool setAsDefault) = 0;
};

// The Apprentice server over the stand-in's JSON files, read when first asked for. A referenced
// file that is missing makes the occurrence's definition and document unreachable (E_FAIL), as
// Apprentice does.
// The server also answers StandinProjects; the user's default project is kept in `defaults`.
std::shared_ptr<inventor::Server> MakeStandinServer(
    const std::string& startFolder,
    std::shared_ptr<DefaultProjectStore> defaults = std::make_shared<MemoryDefaultProject>());

// Starts servers under Apprentice's programmatic identifier, over documents added in memory or
// read from files, with any single operation made to fail.
class StandinInventor : public inventor::ServerFactory {
public:
    // Documents added in memory only.
    StandinInventor();
    // Documents read from the stand-in's JSON files, beside any added in memory.
    static StandinInventor OverFiles(const std::string& startFolder);

    StandinDocument& AddAssembly(const std::string& path, const std::string& displayName = "");
    StandinDocument& AddPart(const std::string& path);
    StandinDocument& Document(const std::string& path) { return state_->documents.At(path); }
    // Adds an occurrence named `name` of `file` to the assembly at `assemblyPath`; the reference
    // holds until the next occurrence is added there.
    StandinOccurrence& AddOccurrence(const std::string& assemblyPath, const std::string& name,
                                     const std::string& file,
                                     const MatrixCells& matrix = kIdentity);
    // Adds an occurrence of the assembly's virtual component `definition`, made when new.
    StandinVirtual& AddVirtual(const std::string& assemblyPath, const std::string& name,
                               const std::string& definition);

    FaultPlan& Faults() { return state_->faults; }
    // The user's default project, kept between servers as between runs.
    MemoryDefaultProject& Defaults();
    int ServersCreated() const { return serversCreated_; }

    std::shared_ptr<inventor::Server> Create(const std::string& progId) override;

private:
    explicit StandinInventor(std::shared_ptr<StandinState> state);

    std::shared_ptr<StandinState> state_;
    int serversCreated_ = 0;
};

} // namespace pw::standins
