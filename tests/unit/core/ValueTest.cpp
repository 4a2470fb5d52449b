#include "shared/core/Value.h"

#include "shared/core/Failure.h"

#include <gtest/gtest.h>

namespace pw::model {
namespace {

TEST(ValueText, ShowsEachKindAsAutomationWould) {
    EXPECT_EQ(ValueText(Value{}), "");
    EXPECT_EQ(ValueText(Value{"00123"}), "00123");
    EXPECT_EQ(ValueText(Value{std::int32_t{-7}}), "-7");
    EXPECT_EQ(ValueText(Value{125.5}), "125.5");
    EXPECT_EQ(ValueText(Value{true}), "True");
    EXPECT_EQ(ValueText(Value{false}), "False");
}

TEST(Multiply, EmptyCountsAsZeroAndWholeNumbersStayWhole) {
    EXPECT_EQ(Multiply(Value{}, Value{120.0}), Value{0.0});
    EXPECT_EQ(Multiply(Value{}, Value{}), Value{std::int32_t{0}});
    EXPECT_EQ(Multiply(Value{std::int32_t{6}}, Value{std::int32_t{7}}), Value{std::int32_t{42}});
    EXPECT_EQ(Multiply(Value{7.85}, Value{std::int32_t{2}}), Value{15.7});
    EXPECT_EQ(Multiply(Value{"2.5"}, Value{std::int32_t{2}}), Value{5.0});
}

TEST(Multiply, RefusesTextThatIsNoNumberAndGivesWholeProductsPast32BitsAsDoubles) {
    EXPECT_THROW(Multiply(Value{"heavy"}, Value{2.0}), Failure);
    EXPECT_THROW(Multiply(Value{""}, Value{2.0}), Failure);
    // A density of 8 and a volume of 300,000,000 weigh 2,400,000,000, not 8.
    EXPECT_EQ(Multiply(Value{std::int32_t{8}}, Value{std::int32_t{300000000}}), Value{2.4e9});
    EXPECT_EQ(Multiply(Value{std::int32_t{65536}}, Value{std::int32_t{-65536}}),
              Value{-4294967296.0});
}

} // namespace
} // namespace pw::model
