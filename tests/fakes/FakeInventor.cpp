#include "FakeInventor.h"

#include "shared/core/CaseFold.h"

namespace pw::fakes {
namespace {

using namespace inventor;

std::optional<Value> NamedIn(const NamedProperties& properties, const std::string& set,
                             const std::string& name) {
    const auto found = properties.find({set, name});
    return found == properties.end() ? std::nullopt : std::optional<Value>(found->second);
}

class FakeMatrix : public Matrix {
public:
    FakeMatrix(const FakeInventor& inventor, const MatrixCells& cells)
        : inventor_(inventor), cells_(cells) {}
    double Cell(int row, int column) override {
        inventor_.Check(Op::Cell, "");
        if (row < 1 || row > 4 || column < 1 || column > 4) {
            throw Failure(static_cast<ResultCode>(0x80070057u), "The parameter is incorrect.");
        }
        return cells_[static_cast<std::size_t>((row - 1) * 4 + (column - 1))];
    }

private:
    const FakeInventor& inventor_;
    MatrixCells cells_;
};

class FakeList : public OccurrenceList {
public:
    FakeList(const FakeInventor& inventor, std::string owner, OccurrenceItems items)
        : inventor_(inventor), owner_(std::move(owner)), items_(std::move(items)) {}
    OccurrenceItems Items() override {
        inventor_.Check(Op::Items, owner_);
        return items_;
    }

private:
    const FakeInventor& inventor_;
    std::string owner_;
    OccurrenceItems items_;
};

std::shared_ptr<inventor::Document> MakeDocument(const FakeInventor& inventor,
                                                 const FakeDocumentData& data);
OccurrenceItems MakeOccurrences(const FakeInventor& inventor, const FakeDocumentData& data);

class FakeDefinition : public ComponentDefinition {
public:
    FakeDefinition(const FakeInventor& inventor, const FakeDocumentData& data)
        : inventor_(inventor), data_(data) {}
    std::shared_ptr<OccurrenceList> Occurrences() override {
        inventor_.Check(Op::Occurrences, data_.fullFileName);
        return std::make_shared<FakeList>(inventor_, data_.fullFileName,
                                          MakeOccurrences(inventor_, data_));
    }
    std::shared_ptr<inventor::Document> Document() override {
        inventor_.Check(Op::DefinitionDocument, data_.fullFileName);
        return MakeDocument(inventor_, data_);
    }
    std::int32_t Type() override {
        inventor_.Check(Op::DefinitionType, data_.fullFileName);
        return data_.type == kAssemblyDocument ? kAssemblyDefinitionType : kPartDefinitionType;
    }
    std::int32_t BOMStructure() override {
        inventor_.Check(Op::BOMStructure, data_.fullFileName);
        return data_.bomStructure;
    }
    std::string DisplayName() override { throw MemberNotFound(); }
    std::optional<Value> PropertyValue(const std::string&, std::int32_t) override {
        throw MemberNotFound();
    }
    std::optional<Value> NamedPropertyValue(const std::string&, const std::string&) override {
        throw MemberNotFound();
    }

private:
    static constexpr std::int32_t kAssemblyDefinitionType = 100675072;
    static constexpr std::int32_t kPartDefinitionType = 83886592;
    static Failure MemberNotFound() {
        return Failure(static_cast<ResultCode>(0x80020003u), "Member not found.");
    }

    const FakeInventor& inventor_;
    const FakeDocumentData& data_;
};

// A virtual component: Document is the assembly holding it; name and properties its own.
class FakeVirtualDefinition : public ComponentDefinition {
public:
    FakeVirtualDefinition(const FakeInventor& inventor, const FakeDocumentData& owner,
                          std::string name)
        : inventor_(inventor), owner_(owner), name_(std::move(name)) {}
    std::shared_ptr<OccurrenceList> Occurrences() override {
        inventor_.Check(Op::Occurrences, name_);
        return std::make_shared<FakeList>(inventor_, name_, OccurrenceItems{});
    }
    std::shared_ptr<inventor::Document> Document() override {
        inventor_.Check(Op::DefinitionDocument, name_);
        return MakeDocument(inventor_, owner_);
    }
    std::int32_t Type() override {
        inventor_.Check(Op::DefinitionType, name_);
        return kVirtualComponentDefinition;
    }
    std::int32_t BOMStructure() override {
        inventor_.Check(Op::BOMStructure, name_);
        return Data().bomStructure;
    }
    std::string DisplayName() override {
        inventor_.Check(Op::DisplayName, name_);
        return name_;
    }
    std::optional<Value> PropertyValue(const std::string& setName,
                                       std::int32_t propertyId) override {
        inventor_.Check(Op::PropertyValue, name_);
        const Value* value = Data().properties.Find(setName, propertyId);
        return value ? std::optional<Value>(*value) : std::nullopt;
    }
    std::optional<Value> NamedPropertyValue(const std::string& setName,
                                            const std::string& propertyName) override {
        inventor_.Check(Op::PropertyValue, name_);
        return NamedIn(Data().namedProperties, setName, propertyName);
    }

private:
    const FakeVirtualData& Data() const { return owner_.virtualComponents.at(name_); }

    const FakeInventor& inventor_;
    const FakeDocumentData& owner_;
    std::string name_;
};

class FakeDocument : public inventor::Document {
public:
    FakeDocument(const FakeInventor& inventor, const FakeDocumentData& data)
        : inventor_(inventor), data_(data) {}
    bool NeedsMigration() override {
        Check(Op::NeedsMigration);
        return data_.needsMigration;
    }
    std::string DisplayName() override {
        Check(Op::DisplayName);
        return data_.displayName;
    }
    std::string FullFileName() override {
        Check(Op::FullFileName);
        return data_.fullFileName;
    }
    std::shared_ptr<inventor::ComponentDefinition> ComponentDefinition() override {
        Check(Op::DocumentDefinition);
        return std::make_shared<FakeDefinition>(inventor_, data_);
    }
    std::int32_t DocumentType() override {
        Check(Op::DocumentType);
        return data_.type;
    }
    bool Adaptive() override {
        Check(Op::Adaptive);
        return data_.adaptive;
    }
    std::optional<Value> PropertyValue(const std::string& setName,
                                       std::int32_t propertyId) override {
        Check(Op::PropertyValue);
        const Value* value = data_.properties.Find(setName, propertyId);
        return value ? std::optional<Value>(*value) : std::nullopt;
    }
    std::optional<Value> NamedPropertyValue(const std::string& setName,
                                            const std::string& propertyName) override {
        Check(Op::PropertyValue);
        return NamedIn(data_.namedProperties, setName, propertyName);
    }
    std::int32_t Version() override {
        Check(Op::Version);
        return data_.version;
    }
    std::shared_ptr<Picture> Thumbnail() override {
        Check(Op::Thumbnail);
        return std::make_shared<Picture>();
    }

private:
    void Check(Op op) const { inventor_.Check(op, data_.fullFileName); }

    const FakeInventor& inventor_;
    const FakeDocumentData& data_;
};

class FakeOccurrence : public Occurrence {
public:
    FakeOccurrence(const FakeInventor& inventor, const FakeOccurrenceData& data,
                   const FakeDocumentData& owner)
        : inventor_(inventor), data_(data), owner_(owner) {}
    std::string Name() override {
        inventor_.Check(Op::Name, data_.name);
        return data_.name;
    }
    bool Suppressed() override {
        inventor_.Check(Op::Suppressed, data_.name);
        return data_.suppressed;
    }
    std::int32_t BOMStructure() override {
        inventor_.Check(Op::BOMStructure, data_.name);
        return data_.bomStructure;
    }
    std::shared_ptr<ComponentDefinition> Definition() override {
        inventor_.Check(Op::OccurrenceDefinition, data_.name);
        RefuseIfSuppressed();
        if (IsVirtual()) {
            return std::make_shared<FakeVirtualDefinition>(inventor_, owner_, data_.virtualName);
        }
        return std::make_shared<FakeDefinition>(inventor_, Resolved());
    }
    std::shared_ptr<OccurrenceList> SubOccurrences() override {
        inventor_.Check(Op::SubOccurrences, data_.name);
        RefuseIfSuppressed();
        if (IsVirtual()) {
            return std::make_shared<FakeList>(inventor_, data_.name, OccurrenceItems{});
        }
        const FakeDocumentData& document = Resolved();
        return std::make_shared<FakeList>(inventor_, document.fullFileName,
                                          MakeOccurrences(inventor_, document));
    }
    std::shared_ptr<Matrix> Transformation() override {
        inventor_.Check(Op::Transformation, data_.name);
        return std::make_shared<FakeMatrix>(inventor_, data_.matrix);
    }

private:
    // A suppressed occurrence answers E_FAIL for what it uses, as an unresolved one does.
    void RefuseIfSuppressed() const {
        if (data_.suppressed) {
            throw Failure(kEFail, "Unspecified error");
        }
    }
    bool IsVirtual() const { return !data_.virtualName.empty(); }
    // An unresolved component answers E_FAIL to everything but its name.
    const FakeDocumentData& Resolved() const {
        if (!data_.resolved) {
            data_.resolved = inventor_.Find(data_.file);
        }
        if (!data_.resolved) {
            throw Failure(kEFail, "Unspecified error");
        }
        return *data_.resolved;
    }

    const FakeInventor& inventor_;
    const FakeOccurrenceData& data_;
    const FakeDocumentData& owner_;
};

std::shared_ptr<inventor::Document> MakeDocument(const FakeInventor& inventor,
                                                 const FakeDocumentData& data) {
    return std::make_shared<FakeDocument>(inventor, data);
}

OccurrenceItems MakeOccurrences(const FakeInventor& inventor, const FakeDocumentData& data) {
    OccurrenceItems items;
    items.reserve(data.occurrences.size());
    for (const FakeOccurrenceData& occurrence : data.occurrences) {
        items.push_back(std::make_shared<FakeOccurrence>(inventor, occurrence, data));
    }
    return items;
}

class FakeServer : public Server {
public:
    explicit FakeServer(const FakeInventor& inventor) : inventor_(inventor) {}
    std::shared_ptr<inventor::Document> Open(const std::string& fullPath) override {
        inventor_.Check(Op::Open, fullPath);
        const FakeDocumentData* document = inventor_.Find(fullPath);
        if (!document) {
            throw Failure(kEFail, "Unspecified error");
        }
        return MakeDocument(inventor_, *document);
    }
    std::shared_ptr<Matrix> NewMatrix() override {
        inventor_.Check(Op::NewMatrix, "");
        return std::make_shared<FakeMatrix>(inventor_, kIdentity);
    }
    std::string StartFolder() override {
        inventor_.Check(Op::StartFolder, "");
        return inventor_.startFolder;
    }

private:
    const FakeInventor& inventor_;
};

} // namespace

FakeInventor::FakeInventor() = default;

FakeDocumentData& FakeInventor::AddAssembly(const std::string& path,
                                            const std::string& displayName) {
    FakeDocumentData& document = AddPart(path);
    document.type = kAssemblyDocument;
    if (!displayName.empty()) {
        document.displayName = displayName;
    }
    return document;
}

FakeDocumentData& FakeInventor::AddPart(const std::string& path) {
    FakeDocumentData& document = documents_[FoldCase(path)];
    document.fullFileName = path;
    document.displayName = path.substr(path.find_last_of('\\') + 1);
    return document;
}

FakeDocumentData& FakeInventor::Document(const std::string& path) {
    return documents_.at(FoldCase(path));
}

FakeOccurrenceData& FakeInventor::AddOccurrence(const std::string& assemblyPath,
                                                const std::string& name, const std::string& file,
                                                const MatrixCells& matrix) {
    FakeOccurrenceData& occurrence = Document(assemblyPath).occurrences.emplace_back();
    occurrence.name = name;
    occurrence.file = file;
    occurrence.matrix = matrix;
    return occurrence;
}

FakeVirtualData& FakeInventor::AddVirtual(const std::string& assemblyPath, const std::string& name,
                                          const std::string& definition) {
    FakeDocumentData& assembly = Document(assemblyPath);
    FakeOccurrenceData& occurrence = assembly.occurrences.emplace_back();
    occurrence.name = name;
    occurrence.virtualName = definition;
    return assembly.virtualComponents[definition];
}

void FakeInventor::FailOn(Op op, const std::string& subject, ResultCode code) {
    failures_.emplace(op, std::make_pair(FoldCase(subject), code));
}

void FakeInventor::Check(Op op, const std::string& subject) const {
    ++calls[op];
    if (failures_.empty()) {
        return;
    }
    const auto [first, last] = failures_.equal_range(op);
    for (auto it = first; it != last; ++it) {
        const auto& [failingSubject, code] = it->second;
        if (failingSubject.empty() || failingSubject == FoldCase(subject)) {
            throw Failure(code, "Fake failure");
        }
    }
}

const FakeDocumentData* FakeInventor::Find(const std::string& path) const {
    const auto found = documents_.find(FoldCase(path));
    return found == documents_.end() ? nullptr : &found->second;
}

std::shared_ptr<Server> FakeInventor::Create(const std::string& progId) {
    Check(Op::Create, progId);
    ++serversCreated;
    return std::make_shared<FakeServer>(*this);
}

} // namespace pw::fakes
