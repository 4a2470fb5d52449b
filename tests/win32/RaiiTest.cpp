#include "shared/com/ComPtr.h"
#include "shared/com/UniqueBstr.h"
#include "shared/com/UniqueVariant.h"
#include "shared/com/VariantRead.h"

#include <gtest/gtest.h>
#include <utility>

namespace pw::com {
namespace {

// Counts its references so the tests can see every AddRef and Release.
class CountedObject : public IDispatch {
public:
    ULONG references = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }
};

TEST(ComPtr, CopiesAddRefAndEveryOwnerReleases) {
    CountedObject object;
    {
        ComPtr<IDispatch> first(&object);
        EXPECT_EQ(object.references, 2u);
        ComPtr<IDispatch> second = first;
        EXPECT_EQ(object.references, 3u);
        ComPtr<IDispatch> moved = std::move(second);
        EXPECT_EQ(object.references, 3u);
        EXPECT_FALSE(second);
    }
    EXPECT_EQ(object.references, 1u);
}

TEST(ComPtr, PutReleasesTheOldReferenceBeforeItIsOverwritten) {
    CountedObject first;
    CountedObject second;
    ComPtr<IDispatch> pointer(&first);
    IDispatch** slot = pointer.put();
    EXPECT_EQ(first.references, 1u);
    *slot = &second;
    second.AddRef();
    EXPECT_EQ(pointer.get(), &second);
    pointer.reset();
    EXPECT_EQ(second.references, 1u);
}

TEST(ComPtr, QueryGivesAnEmptyPointerForAnAbsentInterface) {
    CountedObject object;
    ComPtr<IDispatch> pointer(&object);
    EXPECT_FALSE(pointer.try_query<ITypeInfo>());
    EXPECT_TRUE(pointer.try_query<IUnknown>());
    EXPECT_EQ(object.references, 2u);
}

TEST(UniqueVariant, HoldsAndReleasesItsObjectReference) {
    CountedObject object;
    {
        UniqueVariant value(static_cast<IDispatch*>(&object));
        EXPECT_EQ(object.references, 2u);
        UniqueVariant copy = value;
        EXPECT_EQ(object.references, 3u);
        UniqueVariant moved = std::move(copy);
        EXPECT_EQ(copy.vt(), VT_EMPTY);
        EXPECT_EQ(object.references, 3u);
    }
    EXPECT_EQ(object.references, 1u);
}

TEST(UniqueVariant, KeepsTheIntegerWidthItWasGiven) {
    EXPECT_EQ(UniqueVariant(std::int16_t{7}).vt(), VT_I2);
    EXPECT_EQ(UniqueVariant(7).vt(), VT_I4);
    EXPECT_EQ(UniqueVariant(7.5).vt(), VT_R8);
    EXPECT_EQ(UniqueVariant(true).get().boolVal, VARIANT_TRUE);
    EXPECT_EQ(UniqueVariant().vt(), VT_EMPTY);
}

TEST(UniqueVariant, TextRoundTripsThroughBstr) {
    const UniqueVariant value("Ø 12 mm, Müller");
    ASSERT_EQ(value.vt(), VT_BSTR);
    EXPECT_EQ(TextOf(value.get()), "Ø 12 mm, Müller");
}

TEST(VariantRead, ConvertsAsAutomationDoesAndRefusesWhatDoesNotConvert) {
    EXPECT_EQ(TextOf(UniqueVariant(125.5).get()), "125.5");
    EXPECT_EQ(Int32Of(UniqueVariant("12").get()), 12);
    EXPECT_EQ(TextOf(UniqueVariant().get()), "");
    EXPECT_THROW(Int32Of(UniqueVariant("twelve").get()), Failure);
}

TEST(UniqueBstr, OwnsTextWithEmbeddedZeros) {
    const std::wstring text(L"a\0b", 3);
    UniqueBstr bstr(text);
    EXPECT_EQ(bstr.str(), text);
    BSTR raw = bstr.release();
    EXPECT_EQ(bstr.get(), nullptr);
    SysFreeString(raw);
}

} // namespace
} // namespace pw::com
