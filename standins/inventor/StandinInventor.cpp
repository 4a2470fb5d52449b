#include "StandinInventor.h"

#include "shared/core/CaseFold.h"
#include "shared/core/Failure.h"

#include <unordered_map>

namespace pw::standins {
namespace {

using namespace inventor;

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
    explicit StandinMatrix(const std::array<double, 16>& cells) : cells_(cells) {}
    double Cell(int row, int column) override {
        if (row < 1 || row > 4 || column < 1 || column > 4) {
            throw Failure(kInvalidArgument, "The parameter is incorrect.");
        }
        return cells_[static_cast<std::size_t>((row - 1) * 4 + column - 1)];
    }

private:
    std::array<double, 16> cells_;
};

// The documents one server has opened, one parse per file, as Apprentice keeps a document open
// once it has opened it. A new top document starts afresh, so a reload sees changed files.
class OpenedDocuments {
public:
    std::shared_ptr<const StandinDocument> Read(const std::string& fullFileName) {
        const std::string key = FoldCase(fullFileName);
        if (const auto found = documents_.find(key); found != documents_.end()) {
            return found->second;
        }
        auto document = ReadStandinDocument(fullFileName);
        documents_.emplace(key, document);
        return document;
    }
    void Clear() { documents_.clear(); }

private:
    std::unordered_map<std::string, std::shared_ptr<const StandinDocument>> documents_;
};

class StandinList : public OccurrenceList {
public:
    explicit StandinList(OccurrenceItems items) : items_(std::move(items)) {}
    OccurrenceItems Items() override { return items_; }

private:
    OccurrenceItems items_;
};

class StandinDefinition;

using Opened = std::shared_ptr<OpenedDocuments>;

OccurrenceItems OccurrencesOf(const std::shared_ptr<const StandinDocument>& document,
                              const Opened& opened);

class StandinDoc : public Document {
public:
    StandinDoc(std::shared_ptr<const StandinDocument> data, Opened opened)
        : data_(std::move(data)), opened_(std::move(opened)) {}
    bool NeedsMigration() override { return data_->needsMigration; }
    std::string DisplayName() override { return data_->displayName; }
    std::string FullFileName() override { return data_->fullFileName; }
    std::shared_ptr<inventor::ComponentDefinition> ComponentDefinition() override;
    std::int32_t DocumentType() override { return data_->type; }
    bool Adaptive() override { return data_->adaptive; }
    std::optional<Value> PropertyValue(const std::string& setName,
                                       std::int32_t propertyId) override {
        return data_->Property(setName, propertyId);
    }
    std::optional<Value> NamedPropertyValue(const std::string& setName,
                                            const std::string& propertyName) override {
        return NamedPropertyIn(data_->namedProperties, setName, propertyName);
    }
    std::int32_t Version() override { return data_->version; }
    std::shared_ptr<Picture> Thumbnail() override {
        if (data_->thumbnail.empty()) {
            Unreachable();
        }
        return std::make_shared<StandinPicture>(data_->thumbnail);
    }

private:
    std::shared_ptr<const StandinDocument> data_;
    Opened opened_;
};

class StandinDefinition : public ComponentDefinition {
public:
    StandinDefinition(std::shared_ptr<const StandinDocument> data, Opened opened)
        : data_(std::move(data)), opened_(std::move(opened)) {}
    // Only an assembly's definition has occurrences, as in Apprentice.
    std::shared_ptr<OccurrenceList> Occurrences() override {
        if (data_->type != kAssemblyDocument) {
            NoSuchMember();
        }
        return std::make_shared<StandinList>(OccurrencesOf(data_, opened_));
    }
    std::shared_ptr<inventor::Document> Document() override {
        return std::make_shared<StandinDoc>(data_, opened_);
    }
    std::int32_t Type() override {
        return data_->type == kAssemblyDocument ? kAssemblyComponentDefinition
                                                : kPartComponentDefinition;
    }
    std::int32_t BOMStructure() override { return data_->bomStructure; }
    // A document's definition has no name and no property sets of its own.
    std::string DisplayName() override { NoSuchMember(); }
    std::optional<Value> PropertyValue(const std::string&, std::int32_t) override {
        NoSuchMember();
    }
    std::optional<Value> NamedPropertyValue(const std::string&, const std::string&) override {
        NoSuchMember();
    }

private:
    std::shared_ptr<const StandinDocument> data_;
    Opened opened_;
};

std::shared_ptr<inventor::ComponentDefinition> StandinDoc::ComponentDefinition() {
    return std::make_shared<StandinDefinition>(data_, opened_);
}

// A virtual component's definition: it lives in its assembly, which is its Document, and has
// a name, property sets and a BOM structure of its own, and no occurrences.
class StandinVirtualDefinition : public ComponentDefinition {
public:
    StandinVirtualDefinition(std::shared_ptr<const StandinDocument> assembly, std::string name,
                             Opened opened)
        : assembly_(std::move(assembly)), name_(std::move(name)), opened_(std::move(opened)) {}
    std::shared_ptr<OccurrenceList> Occurrences() override {
        return std::make_shared<StandinList>(OccurrenceItems{});
    }
    std::shared_ptr<inventor::Document> Document() override {
        return std::make_shared<StandinDoc>(assembly_, opened_);
    }
    std::int32_t Type() override { return kVirtualComponentDefinition; }
    std::int32_t BOMStructure() override { return Data().bomStructure; }
    std::string DisplayName() override { return name_; }
    std::optional<Value> PropertyValue(const std::string& setName,
                                       std::int32_t propertyId) override {
        return PropertyIn(Data().properties, setName, propertyId);
    }
    std::optional<Value> NamedPropertyValue(const std::string& setName,
                                            const std::string& propertyName) override {
        return NamedPropertyIn(Data().namedProperties, setName, propertyName);
    }

private:
    const StandinVirtual& Data() const { return assembly_->virtualComponents.at(name_); }

    std::shared_ptr<const StandinDocument> assembly_;
    std::string name_;
    Opened opened_;
};

// A suppressed occurrence keeps its name, its place and its override, and fails when what it
// uses is asked for, as it does in Apprentice.
class StandinOccurrenceObject : public Occurrence {
public:
    StandinOccurrenceObject(StandinOccurrence data, std::shared_ptr<const StandinDocument> owner,
                            Opened opened)
        : data_(std::move(data)), owner_(std::move(owner)), opened_(std::move(opened)) {}
    std::string Name() override { return data_.name; }
    bool Suppressed() override { return data_.suppressed; }
    std::int32_t BOMStructure() override { return data_.bomStructure; }
    std::shared_ptr<ComponentDefinition> Definition() override {
        RefuseIfSuppressed();
        if (IsVirtual()) {
            return std::make_shared<StandinVirtualDefinition>(owner_, data_.virtualName, opened_);
        }
        return std::make_shared<StandinDefinition>(Referenced(), opened_);
    }
    std::shared_ptr<OccurrenceList> SubOccurrences() override {
        RefuseIfSuppressed();
        if (IsVirtual()) {
            return std::make_shared<StandinList>(OccurrenceItems{});
        }
        return std::make_shared<StandinList>(OccurrencesOf(Referenced(), opened_));
    }
    std::shared_ptr<Matrix> Transformation() override {
        return std::make_shared<StandinMatrix>(data_.matrix);
    }

private:
    // What a suppressed occurrence uses cannot be reached.
    void RefuseIfSuppressed() const {
        if (data_.suppressed) {
            Unreachable();
        }
    }
    bool IsVirtual() const { return !data_.virtualName.empty(); }
    // Read on first use and kept, so one occurrence reads its file once.
    std::shared_ptr<const StandinDocument> Referenced() {
        if (!referenced_) {
            referenced_ = opened_->Read(data_.file);
        }
        if (!referenced_) {
            Unreachable();
        }
        return referenced_;
    }

    StandinOccurrence data_;
    std::shared_ptr<const StandinDocument> owner_;
    Opened opened_;
    std::shared_ptr<const StandinDocument> referenced_;
};

class StandinServer : public Server {
public:
    explicit StandinServer(std::string startFolder) : startFolder_(std::move(startFolder)) {}
    std::shared_ptr<inventor::Document> Open(const std::string& fullPath) override {
        opened_->Clear();
        const auto document = opened_->Read(fullPath);
        if (!document) {
            Unreachable();
        }
        return std::make_shared<StandinDoc>(document, opened_);
    }
    std::shared_ptr<Matrix> NewMatrix() override {
        return std::make_shared<StandinMatrix>(
            std::array<double, 16>{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
    }
    std::string StartFolder() override { return startFolder_; }

private:
    std::string startFolder_;
    Opened opened_ = std::make_shared<OpenedDocuments>();
};

OccurrenceItems OccurrencesOf(const std::shared_ptr<const StandinDocument>& document,
                              const Opened& opened) {
    OccurrenceItems items;
    for (const StandinOccurrence& occurrence : document->occurrences) {
        items.push_back(std::make_shared<StandinOccurrenceObject>(occurrence, document, opened));
    }
    return items;
}

} // namespace

std::shared_ptr<Server> MakeStandinServer(const std::string& startFolder) {
    return std::make_shared<StandinServer>(startFolder);
}

std::shared_ptr<Server> StandinServerFactory::Create(const std::string& progId) {
    if (!EqualsIgnoringCase(progId, "Inventor.ApprenticeServer")) {
        throw Failure(static_cast<ResultCode>(0x800401F3u), "Invalid class string");
    }
    return MakeStandinServer(startFolder_);
}

} // namespace pw::standins
