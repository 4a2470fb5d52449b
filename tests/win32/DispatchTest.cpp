#include "shared/com/Dispatch.h"

#include "shared/com/VariantRead.h"

#include <gtest/gtest.h>

namespace pw::com {
namespace {

// Wine's own Scripting.Dictionary is a real out-of-project automation object.
class DispatchOnDictionary : public testing::Test {
protected:
    DispatchObject dictionary = DispatchObject::Create("Scripting.Dictionary");
};

TEST_F(DispatchOnDictionary, CallsMethodsAndReadsPropertiesByName) {
    dictionary.Call("Add", "GB-100", 42);
    dictionary.Call("Add", "Shaft", "Steel");

    EXPECT_EQ(Int32Of(dictionary.Get("Count").get()), 2);
    EXPECT_EQ(Int32Of(dictionary.Get("Item", "GB-100").get()), 42);
    EXPECT_EQ(TextOf(dictionary.Get("Item", "Shaft").get()), "Steel");
    EXPECT_TRUE(BoolOf(dictionary.Call("Exists", "Shaft").get()));
}

TEST_F(DispatchOnDictionary, CallsByDispatchIdentifierAndDefaultMember) {
    dictionary.Call("Add", "Bolt M8", 3.5);
    const DISPID count = dictionary.IdOf("Count");
    EXPECT_EQ(Int32Of(dictionary.Get(count).get()), 1);
    // Item is the default member, so Dictionary("Bolt M8") is a call on DISPID_VALUE.
    EXPECT_DOUBLE_EQ(DoubleOf(dictionary.Call(DISPID_VALUE, "Bolt M8").get()), 3.5);
}

TEST_F(DispatchOnDictionary, PutsIndexedPropertiesWithTheValueLast) {
    dictionary.Call("Add", "Rev", "A");
    dictionary.Put("Item", "Rev", "B");
    EXPECT_EQ(TextOf(dictionary.Get("Item", "Rev").get()), "B");
}

TEST_F(DispatchOnDictionary, PassesNamedArguments) {
    dictionary.CallNamed("Add", {{"Item", UniqueVariant(7)}, {"Key", UniqueVariant("Washer")}});
    EXPECT_EQ(Int32Of(dictionary.Get("Item", "Washer").get()), 7);
}

TEST_F(DispatchOnDictionary, PassesObjectsAsArguments) {
    DispatchObject inner = DispatchObject::Create("Scripting.Dictionary");
    inner.Call("Add", "depth", 2);
    dictionary.Call("Add", "child", inner);
    DispatchObject back = dictionary.GetObject("Item", "child");
    EXPECT_EQ(Int32Of(back.Get("Item", "depth").get()), 2);
}

TEST_F(DispatchOnDictionary, AFailingCallCarriesTheObjectsCodeAndMessage) {
    dictionary.Call("Add", "Shaft", 1);
    try {
        dictionary.Call("Add", "Shaft", 2);
        FAIL() << "a second key was accepted";
    } catch (const Failure& failure) {
        // CTL_E_KEY_ALREADY_EXISTS: runtime error 457.
        EXPECT_EQ(static_cast<unsigned>(failure.code()), 0x800A01C9u);
        EXPECT_STRNE(failure.what(), "");
    }
}

TEST_F(DispatchOnDictionary, AnUnknownMemberFailsWithItsCode) {
    try {
        dictionary.Call("NoSuchMember");
        FAIL() << "an unknown member answered";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.code(), DISP_E_UNKNOWNNAME);
        EXPECT_NE(std::string(failure.what()).find("NoSuchMember"), std::string::npos);
    }
}

TEST(DispatchCreate, AnUnregisteredProgIdFails) {
    try {
        DispatchObject::Create("Partwright.NotRegistered");
        FAIL() << "an unregistered class was created";
    } catch (const Failure& failure) {
        EXPECT_LT(failure.code(), 0);
    }
}

TEST(DispatchCreate, AnEmptyObjectFailsInsteadOfCrashing) {
    DispatchObject nothing;
    EXPECT_THROW(nothing.Get("Count"), Failure);
    UniqueVariant number(5);
    EXPECT_THROW(DispatchObject::FromVariant(number.get()), Failure);
}

} // namespace
} // namespace pw::com
