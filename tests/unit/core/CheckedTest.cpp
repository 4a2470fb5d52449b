#include "shared/core/Checked.h"

#include <cstdint>
#include <gtest/gtest.h>

namespace pw {
namespace {

using checked::Add;
using checked::Mul;
using checked::Narrow;
using checked::Sub;

TEST(Checked, SixteenBitArithmeticStopsAtItsLimits) {
    EXPECT_EQ(Add<std::int16_t>(32766, 1), 32767);
    EXPECT_THROW(Add<std::int16_t>(32767, 1), OverflowError);
    EXPECT_EQ(Sub<std::int16_t>(-32767, 1), -32768);
    EXPECT_THROW(Sub<std::int16_t>(-32768, 1), OverflowError);
    EXPECT_EQ(Mul<std::int16_t>(-181, 181), -32761);
    EXPECT_THROW(Mul<std::int16_t>(182, 181), OverflowError);
}

TEST(Checked, ThirtyTwoBitArithmeticStopsAtItsLimits) {
    EXPECT_EQ(Add<std::int32_t>(2147483646, 1), 2147483647);
    EXPECT_THROW(Add<std::int32_t>(2147483647, 1), OverflowError);
    EXPECT_THROW(Sub<std::int32_t>(-2147483647 - 1, 1), OverflowError);
    EXPECT_THROW(Mul<std::int32_t>(65536, 32768), OverflowError);
}

TEST(Checked, NarrowingKeepsValuesThatFitAndRefusesOthers) {
    EXPECT_EQ(Narrow<std::int16_t>(32767LL), 32767);
    EXPECT_EQ(Narrow<std::int16_t>(-32768), -32768);
    EXPECT_THROW(Narrow<std::int16_t>(32768), OverflowError);
    EXPECT_THROW(Narrow<std::int32_t>(std::size_t{1} << 31), OverflowError);
}

TEST(Checked, OverflowIsAFailureWithTheAutomationOverflowCode) {
    try {
        Add<std::int16_t>(32767, 32767);
        FAIL() << "no overflow raised";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.code(), kOverflowCode);
        EXPECT_STREQ(failure.what(), "Overflow");
    }
}

} // namespace
} // namespace pw
