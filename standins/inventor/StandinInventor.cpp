#include "StandinInventor.h"

#include "StandinFiles.h"
#include "shared/core/CaseFold.h"
#include "shared/core/Failure.h"

namespace pw::standins {
namespace {

using namespace inventor;

using State = std::shared_ptr<StandinState>;
using DocumentPtr = std::shared_ptr<const StandinDocument>;

constexpr ResultCode kInvalidArgument = static_cast<ResultCode>(0x80070057u);
constexpr ResultCode kMemberNotFound = static_cast<ResultCode>(0x80020003u);

// ObjectTypeEnum's values of the other definitions.
constexpr std::int32_t kAssemblyComponentDefinition = 100675072;
constexpr std::int32_t kPartComponentDefinition = 83886592;

[[noreturn]] void NoSuchMember() {
    throw Failure(kMemberNotFound, "Member not found.");
}

[[noreturn]] void Unreachable() {
    throw Failure(kEFail, "Unspecified error");
}

class StandinMatrix : public Matrix {
public:
    StandinMatrix(State state, const MatrixCells& cells)
        : state_(std::move(state)), cells_(cells) {}
    double Cell(int row, int column) override {
        // The subject is the element, "row,column": one element can fail alone.
        state_->faults.Enter(Op::Cell, std::to_string(row) + "," + std::to_string(column));
        if (row < 1 || row > 4 || column < 1 || column > 4) {
            throw Failure(kInvalidArgument, "The parameter is incorrect.");
        }
        return cells_[static_cast<std::size_t>((row - 1) * 4 + column - 1)];
    }

private:
    State state_;
    MatrixCells cells_;
};

class StandinList : public OccurrenceList {
public:
    StandinList(State state, std::string owner, OccurrenceItems items)
        : state_(std::move(state)), owner_(std::move(owner)), items_(std::move(items)) {}
    OccurrenceItems Items() override {
        state_->faults.Enter(Op::Items, owner_);
        return items_;
    }

private:
    State state_;
    std::string owner_;
    OccurrenceItems items_;
};

OccurrenceItems OccurrencesOf(const State& state, const DocumentPtr& document);

// The projects known to a session: the default project, then the user's default when it is a
// file, active until another is activated.
std::vector<StandinProject>& ProjectsOf(StandinState& state) {
    if (state.projects.empty()) {
        state.projects.push_back(DefaultProject());
        const std::string stored = state.defaults->Load();
        if (auto project = stored.empty() ? std::nullopt : ReadStandinProject(stored)) {
            state.projects.push_back(std::move(*project));
            state.active = 1;
        }
    }
    return state.projects;
}

const StandinProject& ActiveProjectOf(StandinState& state) {
    return ProjectsOf(state).at(state.active);
}

// A document opened by Open stays open while it is referenced.
class OpenDocument {
public:
    explicit OpenDocument(State state) : state_(std::move(state)) { ++state_->openDocuments; }
    OpenDocument(const OpenDocument&) = delete;
    OpenDocument& operator=(const OpenDocument&) = delete;
    ~OpenDocument() { --state_->openDocuments; }

private:
    State state_;
};

class StandinDoc : public inventor::Document {
public:
    StandinDoc(State state, DocumentPtr data, bool opened = false)
        : state_(std::move(state)), data_(std::move(data)),
          open_(opened ? std::make_unique<OpenDocument>(state_) : nullptr) {}
    bool NeedsMigration() override {
        Enter(Op::NeedsMigration);
        return data_->needsMigration;
    }
    std::string DisplayName() override {
        Enter(Op::DisplayName);
        return data_->displayName;
    }
    std::string FullFileName() override {
        Enter(Op::FullFileName);
        return data_->fullFileName;
    }
    std::shared_ptr<inventor::ComponentDefinition> ComponentDefinition() override;
    std::int32_t DocumentType() override {
        Enter(Op::DocumentType);
        return data_->type;
    }
    bool Adaptive() override {
        Enter(Op::Adaptive);
        return data_->adaptive;
    }
    std::optional<Value> PropertyValue(const std::string& setName,
                                       std::int32_t propertyId) override {
        Enter(Op::PropertyValue);
        return PropertyIn(data_->properties, setName, propertyId);
    }
    std::optional<Value> NamedPropertyValue(const std::string& setName,
                                            const std::string& propertyName) override {
        Enter(Op::PropertyValue);
        return NamedPropertyIn(data_->namedProperties, setName, propertyName);
    }
    std::int32_t Version() override {
        Enter(Op::Version);
        return data_->version;
    }
    std::shared_ptr<Picture> Thumbnail() override {
        Enter(Op::Thumbnail);
        if (data_->thumbnail.empty()) {
            Unreachable();
        }
        return std::make_shared<StandinPicture>(data_->thumbnail);
    }

private:
    void Enter(Op op) const { state_->faults.Enter(op, data_->fullFileName); }

    State state_;
    DocumentPtr data_;
    std::unique_ptr<OpenDocument> open_;
};

class StandinDefinition : public ComponentDefinition {
public:
    StandinDefinition(State state, DocumentPtr data)
        : state_(std::move(state)), data_(std::move(data)) {}
    // Only an assembly's definition has occurrences, as in Apprentice.
    std::shared_ptr<OccurrenceList> Occurrences() override {
        Enter(Op::Occurrences);
        if (data_->type != kAssemblyDocument) {
            NoSuchMember();
        }
        return std::make_shared<StandinList>(state_, data_->fullFileName,
                                             OccurrencesOf(state_, data_));
    }
    std::shared_ptr<inventor::Document> Document() override {
        Enter(Op::DefinitionDocument);
        return std::make_shared<StandinDoc>(state_, data_);
    }
    std::int32_t Type() override {
        Enter(Op::DefinitionType);
        return data_->type == kAssemblyDocument ? kAssemblyComponentDefinition
                                                : kPartComponentDefinition;
    }
    std::int32_t BOMStructure() override {
        Enter(Op::BOMStructure);
        return data_->bomStructure;
    }
    BaseQuantity BOMQuantity() override {
        Enter(Op::BOMQuantity);
        return data_->bomQuantity;
    }
    // A document's definition has no name and no property sets of its own.
    std::string DisplayName() override { NoSuchMember(); }
    std::optional<Value> PropertyValue(const std::string&, std::int32_t) override {
        NoSuchMember();
    }
    std::optional<Value> NamedPropertyValue(const std::string&, const std::string&) override {
        NoSuchMember();
    }

private:
    void Enter(Op op) const { state_->faults.Enter(op, data_->fullFileName); }

    State state_;
    DocumentPtr data_;
};

std::shared_ptr<inventor::ComponentDefinition> StandinDoc::ComponentDefinition() {
    Enter(Op::DocumentDefinition);
    return std::make_shared<StandinDefinition>(state_, data_);
}

// A virtual component's definition: it lives in its assembly, which is its Document, and has
// a name, property sets and a BOM structure of its own, and no occurrences.
class StandinVirtualDefinition : public ComponentDefinition {
public:
    StandinVirtualDefinition(State state, DocumentPtr assembly, std::string name)
        : state_(std::move(state)), assembly_(std::move(assembly)), name_(std::move(name)) {}
    std::shared_ptr<OccurrenceList> Occurrences() override {
        Enter(Op::Occurrences);
        return std::make_shared<StandinList>(state_, name_, OccurrenceItems{});
    }
    std::shared_ptr<inventor::Document> Document() override {
        Enter(Op::DefinitionDocument);
        return std::make_shared<StandinDoc>(state_, assembly_);
    }
    std::int32_t Type() override {
        Enter(Op::DefinitionType);
        return kVirtualComponentDefinition;
    }
    std::int32_t BOMStructure() override {
        Enter(Op::BOMStructure);
        return Data().bomStructure;
    }
    BaseQuantity BOMQuantity() override {
        Enter(Op::BOMQuantity);
        return Data().bomQuantity;
    }
    std::string DisplayName() override {
        Enter(Op::DisplayName);
        return name_;
    }
    std::optional<Value> PropertyValue(const std::string& setName,
                                       std::int32_t propertyId) override {
        Enter(Op::PropertyValue);
        return PropertyIn(Data().properties, setName, propertyId);
    }
    std::optional<Value> NamedPropertyValue(const std::string& setName,
                                            const std::string& propertyName) override {
        Enter(Op::PropertyValue);
        return NamedPropertyIn(Data().namedProperties, setName, propertyName);
    }

private:
    void Enter(Op op) const { state_->faults.Enter(op, name_); }
    const StandinVirtual& Data() const { return assembly_->virtualComponents.at(name_); }

    State state_;
    DocumentPtr assembly_;
    std::string name_;
};

// A suppressed occurrence keeps its name, its place and its override, and fails when what it
// uses is asked for, as it does in Apprentice.
class StandinOccurrenceObject : public Occurrence {
public:
    // `data` lies in `owner`, which this keeps.
    StandinOccurrenceObject(State state, DocumentPtr owner, const StandinOccurrence& data)
        : state_(std::move(state)), owner_(std::move(owner)), data_(data) {}
    std::string Name() override {
        Enter(Op::Name);
        return data_.name;
    }
    bool Suppressed() override {
        Enter(Op::Suppressed);
        return data_.suppressed;
    }
    std::int32_t BOMStructure() override {
        Enter(Op::BOMStructure);
        return data_.bomStructure;
    }
    std::shared_ptr<ComponentDefinition> Definition() override {
        Enter(Op::OccurrenceDefinition);
        RefuseIfSuppressed();
        if (IsVirtual()) {
            return std::make_shared<StandinVirtualDefinition>(state_, owner_, data_.virtualName);
        }
        return std::make_shared<StandinDefinition>(state_, Referenced());
    }
    std::shared_ptr<OccurrenceList> SubOccurrences() override {
        Enter(Op::SubOccurrences);
        RefuseIfSuppressed();
        if (IsVirtual()) {
            return std::make_shared<StandinList>(state_, data_.name, OccurrenceItems{});
        }
        const DocumentPtr& document = Referenced();
        return std::make_shared<StandinList>(state_, document->fullFileName,
                                             OccurrencesOf(state_, document));
    }
    std::shared_ptr<Matrix> Transformation() override {
        Enter(Op::Transformation);
        return std::make_shared<StandinMatrix>(state_, data_.matrix);
    }

private:
    void Enter(Op op) const { state_->faults.Enter(op, data_.name); }
    // What a suppressed occurrence uses cannot be reached.
    void RefuseIfSuppressed() const {
        if (data_.suppressed) {
            Unreachable();
        }
    }
    bool IsVirtual() const { return !data_.virtualName.empty(); }
    // An unresolved component answers E_FAIL to all but its name.
    const DocumentPtr& Referenced() {
        if (!referenced_ && data_.resolvedIn == state_->activations) {
            referenced_ = data_.resolved.lock();
        }
        if (!referenced_) {
            referenced_ = Resolve();
            data_.resolved = referenced_;
            data_.resolvedIn = state_->activations;
        }
        if (!referenced_) {
            Unreachable();
        }
        return referenced_;
    }
    // Through the active project, in Inventor's order.
    DocumentPtr Resolve() {
        const StandinProject& project = ActiveProjectOf(*state_);
        if (data_.library.empty() && project.fullFileName.empty()) {
            return state_->documents.Find(data_.file); // the default project: beside it only
        }
        const std::string& reference = data_.reference.empty() ? data_.file : data_.reference;
        for (const std::string& candidate :
             CandidatePaths(project, FolderOf(owner_->fullFileName), reference, data_.library)) {
            if (DocumentPtr found = state_->documents.Find(candidate)) {
                return found;
            }
        }
        return nullptr;
    }

    State state_;
    DocumentPtr owner_;
    const StandinOccurrence& data_;
    DocumentPtr referenced_;
};

OccurrenceItems OccurrencesOf(const State& state, const DocumentPtr& document) {
    OccurrenceItems items;
    items.reserve(document->occurrences.size());
    for (const StandinOccurrence& occurrence : document->occurrences) {
        items.push_back(std::make_shared<StandinOccurrenceObject>(state, document, occurrence));
    }
    return items;
}

class StandinServer : public Server, public StandinProjects {
public:
    explicit StandinServer(State state) : state_(std::move(state)) {}
    std::shared_ptr<inventor::Document> Open(const std::string& fullPath) override {
        state_->faults.Enter(Op::Open, fullPath);
        state_->documents.ForgetRead();
        const DocumentPtr document = state_->documents.Find(fullPath);
        if (!document) {
            Unreachable();
        }
        if (document->savedBy.major > kStandinRelease.major) {
            // What Inventor users see for a file of a later release.
            throw Failure(kEFail, "Error in reading RSE stream");
        }
        return std::make_shared<StandinDoc>(state_, document, true);
    }
    std::shared_ptr<Matrix> NewMatrix() override {
        state_->faults.Enter(Op::NewMatrix, "");
        return std::make_shared<StandinMatrix>(state_, kIdentity);
    }
    std::string StartFolder() override {
        state_->faults.Enter(Op::StartFolder, "");
        return state_->startFolder;
    }
    SoftwareVersion Release() override { return kStandinRelease; }
    SoftwareVersion SavedBy(const std::string& fullPath) override {
        state_->faults.Enter(Op::SavedBy, fullPath);
        const DocumentPtr document = state_->documents.Find(fullPath);
        if (!document) {
            Unreachable();
        }
        return document->savedBy;
    }
    DesignProjectName ActiveProject() override {
        const StandinProject& active = ActiveProjectOf(*state_);
        return {active.name, active.fullFileName};
    }
    DesignProjectName ActivateProject(const std::string& projectFile) override {
        Activate(AddExisting(projectFile), false);
        return ActiveProject();
    }

    std::vector<StandinProject> Known() override { return ProjectsOf(*state_); }
    std::size_t ActiveIndex() override {
        ProjectsOf(*state_);
        return state_->active;
    }
    std::size_t AddExisting(const std::string& fullFileName) override {
        std::vector<StandinProject>& projects = ProjectsOf(*state_);
        for (std::size_t i = 0; i < projects.size(); ++i) {
            if (EqualsIgnoringCase(projects[i].fullFileName, fullFileName)) {
                return i;
            }
        }
        auto project = ReadStandinProject(fullFileName);
        if (!project) {
            throw Failure(kInvalidArgument,
                          "The project file " + fullFileName + " cannot be read.");
        }
        projects.push_back(std::move(*project));
        return projects.size() - 1;
    }
    void Activate(std::size_t index, bool setAsDefault) override {
        std::vector<StandinProject>& projects = ProjectsOf(*state_);
        if (index >= projects.size()) {
            throw Failure(kInvalidArgument, "The parameter is incorrect.");
        }
        if (state_->openDocuments > 0) {
            throw Failure(kEFail, "A project cannot be activated while documents are open.");
        }
        state_->active = index;
        ++state_->activations;
        if (setAsDefault) {
            state_->defaults->Save(projects[index].fullFileName);
        }
    }

private:
    State state_;
};

State StateOverFiles(const std::string& startFolder,
                     std::shared_ptr<DefaultProjectStore> defaults) {
    auto state = std::make_shared<StandinState>(DocumentStore(ReadStandinDocument), startFolder);
    state->defaults = std::move(defaults);
    return state;
}

} // namespace

std::shared_ptr<Server> MakeStandinServer(const std::string& startFolder,
                                          std::shared_ptr<DefaultProjectStore> defaults) {
    return std::make_shared<StandinServer>(StateOverFiles(startFolder, std::move(defaults)));
}

StandinInventor::StandinInventor()
    : StandinInventor(std::make_shared<StandinState>(
          DocumentStore(), "C:\\Users\\Public\\Documents\\Autodesk\\Inventor")) {}

StandinInventor::StandinInventor(std::shared_ptr<StandinState> state) : state_(std::move(state)) {}

StandinInventor StandinInventor::OverFiles(const std::string& startFolder) {
    return StandinInventor(StateOverFiles(startFolder, std::make_shared<MemoryDefaultProject>()));
}

MemoryDefaultProject& StandinInventor::Defaults() {
    return dynamic_cast<MemoryDefaultProject&>(*state_->defaults);
}

StandinDocument& StandinInventor::AddAssembly(const std::string& path,
                                              const std::string& displayName) {
    StandinDocument& document = AddPart(path);
    document.type = kAssemblyDocument;
    if (!displayName.empty()) {
        document.displayName = displayName;
    }
    return document;
}

StandinDocument& StandinInventor::AddPart(const std::string& path) {
    return state_->documents.Add(path);
}

StandinOccurrence& StandinInventor::AddOccurrence(const std::string& assemblyPath,
                                                  const std::string& name, const std::string& file,
                                                  const MatrixCells& matrix) {
    StandinOccurrence& occurrence = Document(assemblyPath).occurrences.emplace_back();
    occurrence.name = name;
    occurrence.file = file;
    occurrence.matrix = matrix;
    return occurrence;
}

StandinVirtual& StandinInventor::AddVirtual(const std::string& assemblyPath,
                                            const std::string& name,
                                            const std::string& definition) {
    StandinDocument& assembly = Document(assemblyPath);
    StandinOccurrence& occurrence = assembly.occurrences.emplace_back();
    occurrence.name = name;
    occurrence.virtualName = definition;
    return assembly.virtualComponents[definition];
}

std::shared_ptr<Server> StandinInventor::Create(const std::string& progId) {
    state_->faults.Enter(Op::Create, progId);
    if (!EqualsIgnoringCase(progId, "Inventor.ApprenticeServer")) {
        throw Failure(static_cast<ResultCode>(0x800401F3u), "Invalid class string");
    }
    ++serversCreated_;
    return std::make_shared<StandinServer>(state_);
}

} // namespace pw::standins
