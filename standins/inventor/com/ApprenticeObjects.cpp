#include "ApprenticeObjects.h"

#include "PictureFile.h"
#include "partwright/model/ApprenticeDispids.h"
#include "shared/com/DispatchBase.h"
#include "shared/com/ValueVariant.h"
#include "shared/com/VariantRead.h"
#include "standins/inventor/StandinInventor.h"

#include <vector>

namespace pw::standins {
namespace {

using com::ComPtr;
using com::DispatchBase;
using com::MakeObject;
using com::ObjectResult;
using com::UniqueVariant;

using namespace model::dispid;
// Apprentice answers these two by name only; the stand-in gives them identifiers of its own.
constexpr DISPID kDocumentType = 0x300230c;
constexpr DISPID kAdaptive = 0x300231a;

class MatrixObject : public DispatchBase {
public:
    explicit MatrixObject(std::shared_ptr<model::Matrix> matrix) : matrix_(std::move(matrix)) {}

protected:
    bool Call(DISPID id, WORD, const DISPPARAMS& params, UniqueVariant& result) override {
        if (id != kCell) {
            return false;
        }
        result = UniqueVariant(
            matrix_->Cell(com::Int32Of(Argument(params, 0)), com::Int32Of(Argument(params, 1))));
        return true;
    }

private:
    std::shared_ptr<model::Matrix> matrix_;
};

// Hands out the occurrences of a list one by one, as For Each does.
class OccurrenceEnumerator final : public com::ComObject<IEnumVARIANT> {
public:
    OccurrenceEnumerator(std::vector<UniqueVariant> items, std::size_t next)
        : items_(std::move(items)), next_(next) {}

    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* items, ULONG* fetched) override {
        ULONG given = 0;
        for (; given < count && next_ < items_.size(); ++given, ++next_) {
            VariantInit(&items[given]);
            VariantCopy(&items[given], const_cast<VARIANT*>(&items_[next_].get()));
        }
        if (fetched) {
            *fetched = given;
        }
        return given == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        next_ = std::min(items_.size(), next_ + count);
        return next_ < items_.size() ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        next_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override {
        if (!copy) {
            return E_POINTER;
        }
        *copy = MakeObject<OccurrenceEnumerator>(items_, next_).detach();
        return S_OK;
    }

protected:
    bool Answers(REFIID iid) const override { return iid == IID_IEnumVARIANT; }

private:
    std::vector<UniqueVariant> items_;
    std::size_t next_;
};

ComPtr<IDispatch> MakeDefinition(std::shared_ptr<model::ComponentDefinition> definition);

class OccurrenceObject : public DispatchBase {
public:
    explicit OccurrenceObject(std::shared_ptr<model::Occurrence> occurrence)
        : occurrence_(std::move(occurrence)) {}

protected:
    bool Call(DISPID id, WORD, const DISPPARAMS&, UniqueVariant& result) override;

private:
    std::shared_ptr<model::Occurrence> occurrence_;
};

class OccurrenceListObject : public DispatchBase {
public:
    explicit OccurrenceListObject(std::shared_ptr<model::OccurrenceList> list)
        : list_(std::move(list)) {}

protected:
    bool Call(DISPID id, WORD, const DISPPARAMS&, UniqueVariant& result) override {
        if (id != DISPID_NEWENUM) {
            return false;
        }
        std::vector<UniqueVariant> items;
        for (const auto& occurrence : list_->Items()) {
            items.push_back(ObjectResult(MakeObject<OccurrenceObject>(occurrence)));
        }
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_UNKNOWN;
        value.punkVal = MakeObject<OccurrenceEnumerator>(std::move(items), std::size_t{0}).detach();
        result = UniqueVariant::Attach(value);
        return true;
    }

private:
    std::shared_ptr<model::OccurrenceList> list_;
};

class PropertyObject : public DispatchBase {
public:
    explicit PropertyObject(model::Value value) : value_(std::move(value)) {}

protected:
    bool Call(DISPID id, WORD, const DISPPARAMS&, UniqueVariant& result) override {
        if (id != kPropertyValue) {
            return false;
        }
        result = com::VariantOf(value_);
        return true;
    }

private:
    model::Value value_;
};

class PropertySetObject : public DispatchBase {
public:
    PropertySetObject(std::shared_ptr<model::Document> document, std::string set)
        : document_(std::move(document)), set_(std::move(set)) {}

protected:
    bool Call(DISPID id, WORD, const DISPPARAMS& params, UniqueVariant& result) override {
        if (id != kPropertyById) {
            return false;
        }
        const auto value = document_->PropertyValue(set_, com::Int32Of(Argument(params, 0)));
        result = ObjectResult(MakeObject<PropertyObject>(value));
        return true;
    }

private:
    std::shared_ptr<model::Document> document_;
    std::string set_;
};

class PropertySetsObject : public DispatchBase {
public:
    explicit PropertySetsObject(std::shared_ptr<model::Document> document)
        : document_(std::move(document)) {}

protected:
    bool Call(DISPID id, WORD, const DISPPARAMS& params, UniqueVariant& result) override {
        if (id != DISPID_VALUE) {
            return false;
        }
        result = ObjectResult(
            MakeObject<PropertySetObject>(document_, com::TextOf(Argument(params, 0))));
        return true;
    }

private:
    std::shared_ptr<model::Document> document_;
};

class DocumentObject : public DispatchBase {
public:
    explicit DocumentObject(std::shared_ptr<model::Document> document)
        : document_(std::move(document)) {}

protected:
    std::span<const Name> Names() const override {
        static constexpr Name kNames[] = {{L"DocumentType", kDocumentType},
                                          {L"Adaptive", kAdaptive}};
        return kNames;
    }
    bool Call(DISPID id, WORD, const DISPPARAMS&, UniqueVariant& result) override {
        switch (id) {
        case kNeedsMigrating:
            result = UniqueVariant(document_->NeedsMigration());
            return true;
        case kDisplayName:
            result = UniqueVariant(std::string_view(document_->DisplayName()));
            return true;
        case kFullFileName:
            result = UniqueVariant(std::string_view(document_->FullFileName()));
            return true;
        case kDocumentDefinition:
            result = ObjectResult(MakeDefinition(document_->ComponentDefinition()));
            return true;
        case kPropertySets:
            result = ObjectResult(MakeObject<PropertySetsObject>(document_));
            return true;
        case kVersion:
            result = UniqueVariant(document_->Version());
            return true;
        case kThumbnail: {
            const auto picture = std::dynamic_pointer_cast<StandinPicture>(document_->Thumbnail());
            result = ObjectResult(LoadPictureFile(picture->ImageFile()));
            return true;
        }
        case kDocumentType:
            result = UniqueVariant(document_->DocumentType());
            return true;
        case kAdaptive:
            result = UniqueVariant(document_->Adaptive());
            return true;
        default:
            return false;
        }
    }

private:
    std::shared_ptr<model::Document> document_;
};

class DefinitionObject : public DispatchBase {
public:
    explicit DefinitionObject(std::shared_ptr<model::ComponentDefinition> definition)
        : definition_(std::move(definition)) {}

protected:
    bool Call(DISPID id, WORD, const DISPPARAMS&, UniqueVariant& result) override {
        if (id == kOccurrences) {
            result = ObjectResult(MakeObject<OccurrenceListObject>(definition_->Occurrences()));
            return true;
        }
        if (id == kDefinitionDocument) {
            result = ObjectResult(MakeObject<DocumentObject>(definition_->Document()));
            return true;
        }
        return false;
    }

private:
    std::shared_ptr<model::ComponentDefinition> definition_;
};

ComPtr<IDispatch> MakeDefinition(std::shared_ptr<model::ComponentDefinition> definition) {
    return ComPtr<IDispatch>::Attach(MakeObject<DefinitionObject>(std::move(definition)).detach());
}

bool OccurrenceObject::Call(DISPID id, WORD, const DISPPARAMS&, UniqueVariant& result) {
    switch (id) {
    case kOccurrenceName:
        result = UniqueVariant(std::string_view(occurrence_->Name()));
        return true;
    case kOccurrenceDefinition:
        result = ObjectResult(MakeDefinition(occurrence_->Definition()));
        return true;
    case kSubOccurrences:
        result = ObjectResult(MakeObject<OccurrenceListObject>(occurrence_->SubOccurrences()));
        return true;
    case kTransformation:
        result = ObjectResult(MakeObject<MatrixObject>(occurrence_->Transformation()));
        return true;
    default:
        return false;
    }
}

// An object with one member that hands out what `make` makes.
template <DISPID Member, class Make> class SingleMemberObject : public DispatchBase {
public:
    explicit SingleMemberObject(Make make) : make_(std::move(make)) {}

protected:
    bool Call(DISPID id, WORD, const DISPPARAMS&, UniqueVariant& result) override {
        if (id != Member) {
            return false;
        }
        result = make_();
        return true;
    }

private:
    Make make_;
};

template <DISPID Member, class Make> UniqueVariant SingleMember(Make make) {
    return ObjectResult(MakeObject<SingleMemberObject<Member, Make>>(std::move(make)));
}

class ServerObject : public DispatchBase {
public:
    explicit ServerObject(std::shared_ptr<model::Server> server) : server_(std::move(server)) {}

protected:
    bool Call(DISPID id, WORD, const DISPPARAMS& params, UniqueVariant& result) override {
        switch (id) {
        case kOpen:
            result = ObjectResult(
                MakeObject<DocumentObject>(server_->Open(com::TextOf(Argument(params, 0)))));
            return true;
        case kTransientGeometry:
            result = SingleMember<kCreateMatrix>([server = server_] {
                return ObjectResult(MakeObject<MatrixObject>(server->NewMatrix()));
            });
            return true;
        case kFileOptions:
            result = SingleMember<kStartFolder>([server = server_] {
                return UniqueVariant(std::string_view(server->StartFolder()));
            });
            return true;
        default:
            return false;
        }
    }

private:
    std::shared_ptr<model::Server> server_;
};

} // namespace

ComPtr<IDispatch> MakeApprenticeServer(std::shared_ptr<model::Server> server) {
    return ComPtr<IDispatch>::Attach(MakeObject<ServerObject>(std::move(server)).detach());
}

} // namespace pw::standins
