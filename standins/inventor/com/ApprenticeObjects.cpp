#include "ApprenticeObjects.h"

#include "ApprenticeStandin.h"
#include "CountedDispatch.h"
#include "OccurrenceEnumerator.h"
#include "PictureFile.h"
#include "shared/com/ComBoundary.h"
#include "shared/com/ComObject.h"
#include "shared/com/TextConvert.h"
#include "shared/com/ValueVariant.h"
#include "standins/com/OutParameters.h"
#include "standins/inventor/StandinInventor.h"

#include <cstdlib>
#include <functional>
#include <vector>

namespace pw::standins {
namespace {

using com::ComPtr;
using com::Guarded;
using com::Hand;
using com::HandText;
using com::MakeObject;
using com::Out;

constexpr HRESULT kInvalidIndex = E_INVALIDARG;

HRESULT HandBool(bool value, VARIANT_BOOL* out) {
    Out(out) = value ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

class MatrixObject final : public CountedDispatch<::Matrix> {
public:
    explicit MatrixObject(std::shared_ptr<inventor::Matrix> matrix) : matrix_(std::move(matrix)) {}

    HRESULT STDMETHODCALLTYPE get_Cell(LONG row, LONG column, double* result) override {
        return Guarded([&] {
            Out(result) = matrix_->Cell(row, column);
            return S_OK;
        });
    }

private:
    std::shared_ptr<inventor::Matrix> matrix_;
};

class PropertyObject final : public CountedDispatch<::Property> {
public:
    explicit PropertyObject(Value value) : value_(std::move(value)) {}

    HRESULT STDMETHODCALLTYPE get_Value(VARIANT* result) override {
        return Guarded([&] {
            Out(result) = com::VariantOf(value_).release();
            return S_OK;
        });
    }

private:
    Value value_;
};

// Where a document's or a virtual component's properties come from: by id, and by name.
struct PropertySource {
    std::function<std::optional<Value>(const std::string& set, std::int32_t id)> byId;
    std::function<std::optional<Value>(const std::string& set, const std::string& name)> byName;
};

// A property the document lacks is common: answered with the code, not raised.
HRESULT HandProperty(std::optional<Value> value, ::Property** result) {
    if (!value) {
        SetErrorInfo(0, nullptr);
        return E_INVALIDARG;
    }
    return Hand(MakeObject<PropertyObject>(std::move(*value)), result);
}

class PropertySetObject final : public CountedDispatch<::PropertySet> {
public:
    PropertySetObject(PropertySource source, std::string set)
        : source_(std::move(source)), set_(std::move(set)) {}

    HRESULT STDMETHODCALLTYPE get_Item(VARIANT index, ::Property** result) override {
        return Guarded([&] {
            if (index.vt != VT_BSTR) {
                SetErrorInfo(0, nullptr);
                return E_INVALIDARG;
            }
            return HandProperty(source_.byName(set_, com::BstrToUtf8(index.bstrVal)), result);
        });
    }
    HRESULT STDMETHODCALLTYPE get_ItemByPropId(LONG id, ::Property** result) override {
        return Guarded([&] { return HandProperty(source_.byId(set_, id), result); });
    }

private:
    PropertySource source_;
    std::string set_;
};

class PropertySetsObject final : public CountedDispatch<::PropertySets> {
public:
    explicit PropertySetsObject(PropertySource source) : source_(std::move(source)) {}

    HRESULT STDMETHODCALLTYPE get_Item(VARIANT index, ::PropertySet** result) override {
        return Guarded([&] {
            if (index.vt != VT_BSTR) {
                throw Failure(kInvalidIndex, "A property set is named by its name or identifier.");
            }
            const std::string name = com::BstrToUtf8(index.bstrVal);
            return Hand(MakeObject<PropertySetObject>(source_, name), result);
        });
    }

private:
    PropertySource source_;
};

template <class Owner> PropertySource PropertiesOf(std::shared_ptr<Owner> owner) {
    return {
        [owner](const std::string& set, std::int32_t id) { return owner->PropertyValue(set, id); },
        [owner](const std::string& set, const std::string& name) {
            return owner->NamedPropertyValue(set, name);
        }};
}

HRESULT HandLong(std::int32_t value, LONG* out) {
    Out(out) = value;
    return S_OK;
}

ComPtr<IDispatch> DefinitionObjectOf(std::shared_ptr<inventor::ComponentDefinition> definition);

class BomQuantityObject final : public CountedDispatch<::BOMQuantity> {
public:
    explicit BomQuantityObject(inventor::BaseQuantity quantity) : quantity_(std::move(quantity)) {}

    HRESULT STDMETHODCALLTYPE GetBaseQuantity(LONG* kind, VARIANT* quantity) override {
        return Guarded([&] {
            VariantInit(&Out(quantity));
            return HandLong(quantity_.kind, kind);
        });
    }
    HRESULT STDMETHODCALLTYPE get_BaseUnits(BSTR* result) override {
        return Guarded([&] { return HandText(quantity_.baseUnits, result); });
    }
    HRESULT STDMETHODCALLTYPE get_UnitQuantity(BSTR* result) override {
        return Guarded([&] { return HandText(quantity_.unitQuantity, result); });
    }
    HRESULT STDMETHODCALLTYPE GetEvaluatedBaseQuantity(LONG* kind, double* result) override {
        return Guarded([&] {
            Out(result) = quantity_.evaluated;
            return HandLong(quantity_.kind, kind);
        });
    }

private:
    inventor::BaseQuantity quantity_;
};

class OccurrenceObject;

class OccurrencesObject final : public CountedDispatch<::ComponentOccurrences> {
public:
    explicit OccurrencesObject(std::shared_ptr<inventor::OccurrenceList> list)
        : items_(list->Items()) {}

    HRESULT STDMETHODCALLTYPE get_Item(LONG index, ::ComponentOccurrence** result) override;
    HRESULT STDMETHODCALLTYPE get_Count(LONG* result) override {
        return Guarded([&] {
            Out(result) = static_cast<LONG>(items_.size());
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get__NewEnum(IUnknown** result) override;

private:
    inventor::OccurrenceItems items_;
};

class OccurrenceObject final : public CountedDispatch<::ComponentOccurrence> {
public:
    explicit OccurrenceObject(std::shared_ptr<inventor::Occurrence> occurrence)
        : occurrence_(std::move(occurrence)) {}

    HRESULT STDMETHODCALLTYPE get_Name(BSTR* result) override {
        return Guarded([&] { return HandText(occurrence_->Name(), result); });
    }
    HRESULT STDMETHODCALLTYPE get_Definition(IDispatch** result) override {
        return Guarded([&] { return Hand(DefinitionObjectOf(occurrence_->Definition()), result); });
    }
    HRESULT STDMETHODCALLTYPE get_SubOccurrences(::ComponentOccurrences** result) override {
        return Guarded([&] {
            return Hand(MakeObject<OccurrencesObject>(occurrence_->SubOccurrences()), result);
        });
    }
    HRESULT STDMETHODCALLTYPE get_Transformation(::Matrix** result) override {
        return Guarded(
            [&] { return Hand(MakeObject<MatrixObject>(occurrence_->Transformation()), result); });
    }
    HRESULT STDMETHODCALLTYPE get_Suppressed(VARIANT_BOOL* result) override {
        return Guarded([&] { return HandBool(occurrence_->Suppressed(), result); });
    }
    HRESULT STDMETHODCALLTYPE get_BOMStructure(LONG* result) override {
        return Guarded([&] { return HandLong(occurrence_->BOMStructure(), result); });
    }

private:
    std::shared_ptr<inventor::Occurrence> occurrence_;
};

HRESULT STDMETHODCALLTYPE OccurrencesObject::get_Item(LONG index, ::ComponentOccurrence** result) {
    return Guarded([&] {
        if (index < 1 || static_cast<std::size_t>(index) > items_.size()) {
            throw Failure(kInvalidIndex, "The parameter is incorrect.");
        }
        return Hand(MakeObject<OccurrenceObject>(items_[static_cast<std::size_t>(index - 1)]),
                    result);
    });
}

HRESULT STDMETHODCALLTYPE OccurrencesObject::get__NewEnum(IUnknown** result) {
    return Guarded([&] {
        std::vector<com::UniqueVariant> items;
        items.reserve(items_.size());
        for (const auto& occurrence : items_) {
            items.emplace_back(
                static_cast<IDispatch*>(MakeObject<OccurrenceObject>(occurrence).get()));
        }
        return Hand(MakeObject<OccurrenceEnumerator>(std::move(items), std::size_t{0}), result);
    });
}

class DocumentObject final : public CountedDispatch<::ApprenticeServerDocument> {
public:
    explicit DocumentObject(std::shared_ptr<inventor::Document> document)
        : document_(std::move(document)) {}

    HRESULT STDMETHODCALLTYPE get_NeedsMigrating(VARIANT_BOOL* result) override {
        return Guarded([&] { return HandBool(document_->NeedsMigration(), result); });
    }
    HRESULT STDMETHODCALLTYPE get_DisplayName(BSTR* result) override {
        return Guarded([&] { return HandText(document_->DisplayName(), result); });
    }
    HRESULT STDMETHODCALLTYPE get_FullFileName(BSTR* result) override {
        return Guarded([&] { return HandText(document_->FullFileName(), result); });
    }
    HRESULT STDMETHODCALLTYPE get_ComponentDefinition(IDispatch** result) override {
        return Guarded(
            [&] { return Hand(DefinitionObjectOf(document_->ComponentDefinition()), result); });
    }
    HRESULT STDMETHODCALLTYPE get_PropertySets(::PropertySets** result) override {
        return Guarded(
            [&] { return Hand(MakeObject<PropertySetsObject>(PropertiesOf(document_)), result); });
    }
    HRESULT STDMETHODCALLTYPE get_SoftwareVersionSaved(LONG* result) override {
        return Guarded([&] {
            Out(result) = document_->Version();
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_Thumbnail(IPictureDisp** result) override {
        return Guarded([&] {
            const auto picture = std::dynamic_pointer_cast<StandinPicture>(document_->Thumbnail());
            return Hand(LoadPictureFile(picture->ImageFile()), result);
        });
    }
    HRESULT STDMETHODCALLTYPE get_DocumentType(LONG* result) override {
        return Guarded([&] {
            Out(result) = document_->DocumentType();
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_Adaptive(VARIANT_BOOL* result) override {
        return Guarded([&] { return HandBool(document_->Adaptive(), result); });
    }

private:
    std::shared_ptr<inventor::Document> document_;
};

// The members every kind of definition has; Interface adds its own kind's.
template <class Interface> class DefinitionObject : public CountedDispatch<Interface> {
public:
    explicit DefinitionObject(std::shared_ptr<inventor::ComponentDefinition> definition)
        : definition_(std::move(definition)) {}

    HRESULT STDMETHODCALLTYPE get_Document(IDispatch** result) override {
        return Guarded(
            [&] { return Hand(MakeObject<DocumentObject>(definition_->Document()), result); });
    }
    HRESULT STDMETHODCALLTYPE get_Type(LONG* result) override {
        return Guarded([&] { return HandLong(definition_->Type(), result); });
    }
    HRESULT STDMETHODCALLTYPE get_BOMStructure(LONG* result) override {
        return Guarded([&] { return HandLong(definition_->BOMStructure(), result); });
    }
    HRESULT STDMETHODCALLTYPE get_BOMQuantity(::BOMQuantity** result) override {
        return Guarded([&] {
            return Hand(MakeObject<BomQuantityObject>(definition_->BOMQuantity()), result);
        });
    }

protected:
    HRESULT HandOccurrences(::ComponentOccurrences** result) {
        return Guarded([&] {
            return Hand(MakeObject<OccurrencesObject>(definition_->Occurrences()), result);
        });
    }

    std::shared_ptr<inventor::ComponentDefinition> definition_;
};

class AssemblyDefinitionObject final : public DefinitionObject<::AssemblyComponentDefinition> {
public:
    using DefinitionObject::DefinitionObject;

    HRESULT STDMETHODCALLTYPE get_Occurrences(::ComponentOccurrences** result) override {
        return HandOccurrences(result);
    }
};

class PartDefinitionObject final : public DefinitionObject<::PartComponentDefinition> {
public:
    using DefinitionObject::DefinitionObject;
};

class VirtualDefinitionObject final : public DefinitionObject<::VirtualComponentDefinition> {
public:
    using DefinitionObject::DefinitionObject;

    HRESULT STDMETHODCALLTYPE get_Occurrences(::ComponentOccurrences** result) override {
        return HandOccurrences(result);
    }
    HRESULT STDMETHODCALLTYPE get_DisplayName(BSTR* result) override {
        return Guarded([&] { return HandText(definition_->DisplayName(), result); });
    }
    HRESULT STDMETHODCALLTYPE get_PropertySets(::PropertySets** result) override {
        return Guarded([&] {
            return Hand(MakeObject<PropertySetsObject>(PropertiesOf(definition_)), result);
        });
    }
};

template <class Object>
ComPtr<IDispatch> Definition(std::shared_ptr<inventor::ComponentDefinition> definition) {
    return ComPtr<IDispatch>::Attach(MakeObject<Object>(std::move(definition)).detach());
}

// A virtual component's definition is its own kind, though its Document is an assembly; of the
// others, an assembly's definition has occurrences and every other document's has none.
ComPtr<IDispatch> DefinitionObjectOf(std::shared_ptr<inventor::ComponentDefinition> definition) {
    if (definition->Type() == inventor::kVirtualComponentDefinition) {
        return Definition<VirtualDefinitionObject>(std::move(definition));
    }
    if (definition->Document()->DocumentType() == inventor::kAssemblyDocument) {
        return Definition<AssemblyDefinitionObject>(std::move(definition));
    }
    return Definition<PartDefinitionObject>(std::move(definition));
}

class TransientGeometryObject final : public CountedDispatch<::TransientGeometry> {
public:
    explicit TransientGeometryObject(std::shared_ptr<inventor::Server> server)
        : server_(std::move(server)) {}

    HRESULT STDMETHODCALLTYPE CreateMatrix(::Matrix** result) override {
        return Guarded(
            [&] { return Hand(MakeObject<MatrixObject>(server_->NewMatrix()), result); });
    }

private:
    std::shared_ptr<inventor::Server> server_;
};

class FileOptionsObject final : public CountedDispatch<::FileOptions> {
public:
    explicit FileOptionsObject(std::shared_ptr<inventor::Server> server)
        : server_(std::move(server)) {}

    HRESULT STDMETHODCALLTYPE get_StartFolder(BSTR* result) override {
        return Guarded([&] { return HandText(server_->StartFolder(), result); });
    }

private:
    std::shared_ptr<inventor::Server> server_;
};

class SoftwareVersionObject final : public CountedDispatch<::SoftwareVersion> {
public:
    explicit SoftwareVersionObject(inventor::SoftwareVersion version)
        : version_(std::move(version)) {}

    HRESULT STDMETHODCALLTYPE get_Major(LONG* result) override {
        return Guarded([&] { return HandLong(version_.major, result); });
    }
    HRESULT STDMETHODCALLTYPE get_DisplayVersion(BSTR* result) override {
        return Guarded([&] { return HandText(version_.displayVersion, result); });
    }

private:
    inventor::SoftwareVersion version_;
};

class FileManagerObject final : public CountedDispatch<::FileManager> {
public:
    explicit FileManagerObject(std::shared_ptr<inventor::Server> server)
        : server_(std::move(server)) {}

    HRESULT STDMETHODCALLTYPE SoftwareVersionSaved(BSTR path, ::SoftwareVersion** result) override {
        return Guarded([&] {
            return Hand(MakeObject<SoftwareVersionObject>(server_->SavedBy(com::BstrToUtf8(path))),
                        result);
        });
    }

private:
    std::shared_ptr<inventor::Server> server_;
};

// A project of the session's list, by its place in it.
class DesignProjectObject final : public CountedDispatch<::DesignProject> {
public:
    DesignProjectObject(std::shared_ptr<StandinProjects> projects, std::size_t index)
        : projects_(std::move(projects)), index_(index) {}

    HRESULT STDMETHODCALLTYPE get_Name(BSTR* result) override {
        return Guarded([&] { return HandText(Project().name, result); });
    }
    HRESULT STDMETHODCALLTYPE get_FullFileName(BSTR* result) override {
        return Guarded([&] { return HandText(Project().fullFileName, result); });
    }
    HRESULT STDMETHODCALLTYPE Activate(VARIANT_BOOL setAsDefault) override {
        return Guarded([&] {
            projects_->Activate(index_, setAsDefault != VARIANT_FALSE);
            return S_OK;
        });
    }

private:
    StandinProject Project() const { return projects_->Known().at(index_); }

    std::shared_ptr<StandinProjects> projects_;
    std::size_t index_;
};

HRESULT HandProject(const std::shared_ptr<StandinProjects>& projects, std::size_t index,
                    ::DesignProject** result) {
    return Hand(MakeObject<DesignProjectObject>(projects, index), result);
}

class DesignProjectsObject final : public CountedDispatch<::DesignProjects> {
public:
    explicit DesignProjectsObject(std::shared_ptr<StandinProjects> projects)
        : projects_(std::move(projects)) {}

    HRESULT STDMETHODCALLTYPE get_Item(LONG index, ::DesignProject** result) override {
        return Guarded([&] {
            if (index < 1 || static_cast<std::size_t>(index) > projects_->Known().size()) {
                throw Failure(kInvalidIndex, "The parameter is incorrect.");
            }
            return HandProject(projects_, static_cast<std::size_t>(index - 1), result);
        });
    }
    HRESULT STDMETHODCALLTYPE get_Count(LONG* result) override {
        return Guarded(
            [&] { return HandLong(static_cast<LONG>(projects_->Known().size()), result); });
    }
    HRESULT STDMETHODCALLTYPE AddExisting(BSTR path, ::DesignProject** result) override {
        return Guarded([&] {
            return HandProject(projects_, projects_->AddExisting(com::BstrToUtf8(path)), result);
        });
    }

private:
    std::shared_ptr<StandinProjects> projects_;
};

class DesignProjectManagerObject final : public CountedDispatch<::DesignProjectManager> {
public:
    explicit DesignProjectManagerObject(std::shared_ptr<StandinProjects> projects)
        : projects_(std::move(projects)) {}

    HRESULT STDMETHODCALLTYPE get_ActiveDesignProject(::DesignProject** result) override {
        return Guarded([&] { return HandProject(projects_, projects_->ActiveIndex(), result); });
    }
    HRESULT STDMETHODCALLTYPE get_DesignProjects(::DesignProjects** result) override {
        return Guarded([&] { return Hand(MakeObject<DesignProjectsObject>(projects_), result); });
    }

private:
    std::shared_ptr<StandinProjects> projects_;
};

class ServerObject final : public CountedDispatch<::ApprenticeServerComponent> {
public:
    explicit ServerObject(std::shared_ptr<inventor::Server> server) : server_(std::move(server)) {}
    ~ServerObject() override { WriteApprenticeCalls(); }

    HRESULT STDMETHODCALLTYPE Open(BSTR path, ::ApprenticeServerDocument** result) override {
        return Guarded([&] {
            const std::string fullPath = com::BstrToUtf8(path);
            // PARTWRIGHT_APPRENTICE_DIE_ON=TEXT: the process ends at once when a file whose path
            // holds TEXT is opened, as a process killed or crashed in the middle of its work.
            if (const char* dieOn = std::getenv("PARTWRIGHT_APPRENTICE_DIE_ON");
                dieOn && *dieOn && fullPath.find(dieOn) != std::string::npos) {
                TerminateProcess(GetCurrentProcess(), 3);
            }
            return Hand(MakeObject<DocumentObject>(server_->Open(fullPath)), result);
        });
    }
    HRESULT STDMETHODCALLTYPE get_TransientGeometry(::TransientGeometry** result) override {
        return Guarded([&] { return Hand(MakeObject<TransientGeometryObject>(server_), result); });
    }
    HRESULT STDMETHODCALLTYPE get_FileOptions(::FileOptions** result) override {
        return Guarded([&] { return Hand(MakeObject<FileOptionsObject>(server_), result); });
    }
    HRESULT STDMETHODCALLTYPE get_SoftwareVersion(::SoftwareVersion** result) override {
        return Guarded(
            [&] { return Hand(MakeObject<SoftwareVersionObject>(server_->Release()), result); });
    }
    HRESULT STDMETHODCALLTYPE get_FileManager(::FileManager** result) override {
        return Guarded([&] { return Hand(MakeObject<FileManagerObject>(server_), result); });
    }
    HRESULT STDMETHODCALLTYPE get_DesignProjectManager(::DesignProjectManager** result) override {
        return Guarded([&] {
            auto projects = std::dynamic_pointer_cast<StandinProjects>(server_);
            if (!projects) {
                throw Failure(E_NOTIMPL, "This server keeps no projects.");
            }
            return Hand(MakeObject<DesignProjectManagerObject>(std::move(projects)), result);
        });
    }

private:
    std::shared_ptr<inventor::Server> server_;
};

} // namespace

ComPtr<IDispatch> MakeApprenticeServer(std::shared_ptr<inventor::Server> server) {
    return ComPtr<IDispatch>::Attach(MakeObject<ServerObject>(std::move(server)).detach());
}

} // namespace pw::standins
