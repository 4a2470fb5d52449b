#pragma once

#include "DocumentStore.h"
#include "FaultPlan.h"
#include "StandinDocument.h"
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

// What the servers of one stand-in share.
struct StandinState {
    DocumentStore documents;
    FaultPlan faults;
    std::string startFolder;
};

// The Apprentice server over the stand-in's JSON files, read when first asked for. A referenced
// file that is missing makes the occurrence's definition and document unreachable (E_FAIL), as
// Apprentice does.
std::shared_ptr<inventor::Server> MakeStandinServer(const std::string& startFolder);

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
    int ServersCreated() const { return serversCreated_; }

    std::shared_ptr<inventor::Server> Create(const std::string& progId) override;

private:
    explicit StandinInventor(std::shared_ptr<StandinState> state);

    std::shared_ptr<StandinState> state_;
    int serversCreated_ = 0;
};

} // namespace pw::standins
