#include "ComDocumentAccess.h"

#include "ApprenticeDispids.h"
#include "ComPicture.h"
#include "shared/com/ComFailure.h"
#include "shared/com/Dispatch.h"
#include "shared/com/ValueVariant.h"
#include "shared/com/VariantRead.h"
#include "shared/core/CaseFold.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace pw::inventor {
namespace {

using com::DispatchObject;

// Apprentice's dispatch identifiers.
using namespace dispid;

// The property sets of one document or virtual component, each set looked up once: a file's
// fields read a dozen properties from three sets, and every lookup is a call into Apprentice.
class PropertySetCache {
public:
    // `sets` is the owner's member that answers its PropertySets.
    explicit PropertySetCache(com::Member sets) : sets_(std::move(sets)) {}

    // Property `key` of the set `setName`: its id (ItemByPropId) or its name (Item, the default
    // member); nothing when the set or the property is absent (E_INVALIDARG).
    template <class Key>
    std::optional<Value> Property(DispatchObject& owner, const std::string& setName,
                                  const Key& key) {
        std::optional<DispatchObject>& set = Set(owner, setName);
        if (!set) {
            return std::nullopt;
        }
        const com::Member member = std::is_same_v<Key, std::string> ? com::Member(DISPID_VALUE)
                                                                    : com::Member(kPropertyById);
        const auto property = set->GetUnless(E_INVALIDARG, member, key);
        if (!property) {
            return std::nullopt;
        }
        return com::ValueOf(DispatchObject::FromVariant(property->get()).Get(kPropertyValue).get());
    }

private:
    std::optional<DispatchObject>& Set(DispatchObject& owner, const std::string& setName) {
        if (const auto known = bySet_.find(setName); known != bySet_.end()) {
            return known->second;
        }
        if (!all_) {
            all_ = owner.GetObject(sets_);
        }
        const auto set = all_.GetUnless(E_INVALIDARG, DISPID_VALUE, setName);
        return bySet_
            .emplace(setName,
                     set ? std::optional(DispatchObject::FromVariant(set->get())) : std::nullopt)
            .first->second;
    }

    com::Member sets_;
    DispatchObject all_;
    std::map<std::string, std::optional<DispatchObject>> bySet_;
};

// Objects of one interface share their members' identifiers: the walk makes a definition and a
// document object per occurrence, each asked for a member by name, and a name looked up once
// then serves them all. The interface is told by its identifier in the object's type
// information; Apprentice's objects live on one thread, and so does each cache.
class SharedNames {
public:
    void Share(DispatchObject& object) {
        com::ComPtr<ITypeInfo> type;
        if (!object || FAILED(object.get()->GetTypeInfo(0, LOCALE_USER_DEFAULT, type.put())) ||
            !type) {
            return;
        }
        // A server hands out the same type information for each object of an interface: known by
        // it, an object of an occurrence costs no read of the identifier.
        for (const auto& [known, names] : byTypeInfo_) {
            if (known.get() == type.get()) {
                object.ShareNames(names);
                return;
            }
        }
        TYPEATTR* attributes = nullptr;
        if (FAILED(type->GetTypeAttr(&attributes)) || !attributes) {
            return;
        }
        const GUID interfaceId = attributes->guid;
        type->ReleaseTypeAttr(attributes);
        if (IsEqualGUID(interfaceId, GUID_NULL)) {
            return; // no interface to tell it by
        }
        auto known = std::find_if(byInterface_.begin(), byInterface_.end(),
                                  [&](const auto& entry) { return entry.first == interfaceId; });
        if (known == byInterface_.end()) {
            known = byInterface_.emplace(byInterface_.end(), interfaceId,
                                         std::make_shared<DispatchObject::NameCache>());
        }
        const std::shared_ptr<DispatchObject::NameCache>& names = known->second;
        // A server that made new type information for each object would fill this without end.
        if (byTypeInfo_.size() < kKnownTypeInfos) {
            byTypeInfo_.emplace_back(std::move(type), names);
        }
        object.ShareNames(names);
    }

private:
    static constexpr std::size_t kKnownTypeInfos = 64;
    std::vector<std::pair<GUID, std::shared_ptr<DispatchObject::NameCache>>> byInterface_;
    std::vector<std::pair<com::ComPtr<ITypeInfo>, std::shared_ptr<DispatchObject::NameCache>>>
        byTypeInfo_;
};

DispatchObject WithSharedNames(DispatchObject object) {
    thread_local SharedNames shared;
    shared.Share(object);
    return object;
}

class ComMatrix : public Matrix {
public:
    explicit ComMatrix(DispatchObject matrix) : matrix_(std::move(matrix)) {}
    double Cell(int row, int column) override {
        return com::DoubleOf(matrix_.Get(kCell, std::int32_t{row}, std::int32_t{column}).get());
    }

private:
    DispatchObject matrix_;
};

class ComDocument;

class ComOccurrenceList : public OccurrenceList {
public:
    explicit ComOccurrenceList(DispatchObject list) : list_(std::move(list)) {}
    OccurrenceItems Items() override;

private:
    DispatchObject list_;
};

class ComDefinition : public ComponentDefinition {
public:
    explicit ComDefinition(DispatchObject definition)
        : definition_(WithSharedNames(std::move(definition))), properties_("PropertySets") {}
    std::shared_ptr<OccurrenceList> Occurrences() override {
        return std::make_shared<ComOccurrenceList>(definition_.GetObject(kOccurrences));
    }
    std::shared_ptr<inventor::Document> Document() override;
    // Members every kind of definition has, read by name.
    std::int32_t Type() override { return com::Int32Of(definition_.Get("Type").get()); }
    std::int32_t BOMStructure() override {
        return com::Int32Of(definition_.Get("BOMStructure").get());
    }
    // The evaluated quantity tells the kind too; a component counted each needs nothing more.
    BaseQuantity BOMQuantity() override {
        DispatchObject quantity = definition_.GetObject("BOMQuantity");
        LONG kind = 0;
        const com::UniqueVariant args[] = {com::OutArgument(kind)};
        BaseQuantity read;
        read.evaluated =
            com::DoubleOf(quantity.Invoke(kGetEvaluatedBaseQuantity, DISPATCH_METHOD, args).get());
        read.kind = kind;
        if (kind != kEachBOMQuantity) {
            read.baseUnits = com::TextOf(quantity.Get(kBaseUnits).get());
            read.unitQuantity = com::TextOf(quantity.Get(kUnitQuantity).get());
        }
        return read;
    }
    // Only a virtual component's definition has these.
    std::string DisplayName() override { return com::TextOf(definition_.Get("DisplayName").get()); }
    std::optional<Value> PropertyValue(const std::string& setName,
                                       std::int32_t propertyId) override {
        return properties_.Property(definition_, setName, propertyId);
    }
    std::optional<Value> NamedPropertyValue(const std::string& setName,
                                            const std::string& propertyName) override {
        return properties_.Property(definition_, setName, propertyName);
    }

private:
    DispatchObject definition_;
    PropertySetCache properties_;
};

class ComDocument : public Document {
public:
    explicit ComDocument(DispatchObject document)
        : document_(WithSharedNames(std::move(document))), properties_(kPropertySets) {}
    bool NeedsMigration() override { return com::BoolOf(document_.Get(kNeedsMigrating).get()); }
    std::string DisplayName() override { return com::TextOf(document_.Get(kDisplayName).get()); }
    std::string FullFileName() override { return com::TextOf(document_.Get(kFullFileName).get()); }
    std::shared_ptr<inventor::ComponentDefinition> ComponentDefinition() override {
        return std::make_shared<ComDefinition>(document_.GetObject(kDocumentDefinition));
    }
    std::int32_t DocumentType() override {
        return com::Int32Of(document_.Get("DocumentType").get());
    }
    bool Adaptive() override { return com::BoolOf(document_.Get("Adaptive").get()); }
    std::optional<Value> PropertyValue(const std::string& setName,
                                       std::int32_t propertyId) override {
        return properties_.Property(document_, setName, propertyId);
    }
    std::optional<Value> NamedPropertyValue(const std::string& setName,
                                            const std::string& propertyName) override {
        return properties_.Property(document_, setName, propertyName);
    }
    std::int32_t Version() override { return com::Int32Of(document_.Get(kVersion).get()); }
    std::shared_ptr<Picture> Thumbnail() override {
        const com::UniqueVariant value = document_.Get(kThumbnail);
        com::ComPtr<IPictureDisp> picture;
        if ((value.vt() == VT_DISPATCH || value.vt() == VT_UNKNOWN) && value.get().punkVal) {
            value.get().punkVal->QueryInterface(IID_IPictureDisp, picture.put_void());
        }
        if (!picture) {
            throw Failure(kEFail, "The document has no thumbnail.");
        }
        return std::make_shared<inventor::ComPicture>(std::move(picture));
    }

private:
    DispatchObject document_;
    PropertySetCache properties_;
};

std::shared_ptr<inventor::Document> ComDefinition::Document() {
    return std::make_shared<ComDocument>(definition_.GetObject(kDefinitionDocument));
}

class ComOccurrence : public Occurrence {
public:
    explicit ComOccurrence(DispatchObject occurrence) : occurrence_(std::move(occurrence)) {}
    std::string Name() override { return com::TextOf(occurrence_.Get(kOccurrenceName).get()); }
    bool Suppressed() override { return com::BoolOf(occurrence_.Get("Suppressed").get()); }
    std::int32_t BOMStructure() override {
        return com::Int32Of(occurrence_.Get("BOMStructure").get());
    }
    std::shared_ptr<ComponentDefinition> Definition() override {
        return std::make_shared<ComDefinition>(occurrence_.GetObject(kOccurrenceDefinition));
    }
    std::shared_ptr<OccurrenceList> SubOccurrences() override {
        return std::make_shared<ComOccurrenceList>(occurrence_.GetObject(kSubOccurrences));
    }
    std::shared_ptr<Matrix> Transformation() override {
        return std::make_shared<ComMatrix>(occurrence_.GetObject(kTransformation));
    }

private:
    DispatchObject occurrence_;
};

// Goes through the list with its enumerator, in the assembly's order.
OccurrenceItems ComOccurrenceList::Items() {
    const com::UniqueVariant enumerator = list_.Call(DISPID_NEWENUM);
    com::ComPtr<IEnumVARIANT> items;
    if ((enumerator.vt() == VT_UNKNOWN || enumerator.vt() == VT_DISPATCH) &&
        enumerator.get().punkVal) {
        enumerator.get().punkVal->QueryInterface(IID_IEnumVARIANT, items.put_void());
    }
    if (!items) {
        throw Failure(DISP_E_TYPEMISMATCH, "The occurrence list cannot be gone through.");
    }
    OccurrenceItems occurrences;
    for (;;) {
        com::UniqueVariant item;
        ULONG fetched = 0;
        const HRESULT hr = items->Next(1, item.put(), &fetched);
        com::ThrowIfFailed(hr, "Going through the occurrences");
        if (hr != S_OK || fetched == 0) {
            return occurrences;
        }
        occurrences.push_back(
            std::make_shared<ComOccurrence>(DispatchObject::FromVariant(item.get())));
    }
}

DesignProjectName ProjectNameOf(DispatchObject project) {
    return {com::TextOf(project.Get("Name").get()), com::TextOf(project.Get("FullFileName").get())};
}

SoftwareVersion VersionOf(DispatchObject version) {
    return {com::Int32Of(version.Get("Major").get()),
            com::TextOf(version.Get("DisplayVersion").get())};
}

class ComServer : public Server {
public:
    explicit ComServer(DispatchObject server) : server_(std::move(server)) {}
    std::shared_ptr<inventor::Document> Open(const std::string& fullPath) override {
        return std::make_shared<ComDocument>(server_.GetObject(kOpen, fullPath));
    }
    std::shared_ptr<Matrix> NewMatrix() override {
        return std::make_shared<ComMatrix>(
            server_.GetObject(kTransientGeometry).GetObject(kCreateMatrix));
    }
    std::string StartFolder() override {
        return com::TextOf(server_.GetObject(kFileOptions).Get(kStartFolder).get());
    }
    SoftwareVersion Release() override { return VersionOf(server_.GetObject("SoftwareVersion")); }
    SoftwareVersion SavedBy(const std::string& fullPath) override {
        return VersionOf(
            server_.GetObject("FileManager").GetObject(kSoftwareVersionSaved, fullPath));
    }
    DesignProjectName ActiveProject() override {
        return ProjectNameOf(
            server_.GetObject("DesignProjectManager").GetObject("ActiveDesignProject"));
    }
    // A project Apprentice knows already is activated as it stands; AddExisting would add it
    // twice.
    DesignProjectName ActivateProject(const std::string& projectFile) override {
        DispatchObject manager = server_.GetObject("DesignProjectManager");
        DispatchObject projects = manager.GetObject("DesignProjects");
        DispatchObject project;
        const std::int32_t count = com::Int32Of(projects.Get("Count").get());
        for (std::int32_t i = 1; i <= count && !project; ++i) {
            DispatchObject known = projects.GetObject(DISPID_VALUE, i);
            if (EqualsIgnoringCase(com::TextOf(known.Get("FullFileName").get()), projectFile)) {
                project = std::move(known);
            }
        }
        if (!project) {
            project = projects.GetObject("AddExisting", projectFile);
        }
        project.Call("Activate", false);
        return ProjectNameOf(manager.GetObject("ActiveDesignProject"));
    }

private:
    DispatchObject server_;
};

} // namespace

std::shared_ptr<Server> ComServerFactory::Create(const std::string& progId) {
    return std::make_shared<ComServer>(DispatchObject::Create(progId));
}

std::shared_ptr<Server> CreateServerByClass(const CLSID& classId) {
    return std::make_shared<ComServer>(DispatchObject::Create(classId));
}

} // namespace pw::inventor
