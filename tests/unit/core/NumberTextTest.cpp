#include "shared/core/NumberText.h"

#include <gtest/gtest.h>
#include <limits>

namespace pw {
namespace {

TEST(IntegerText, IsPlainDecimal) {
    EXPECT_EQ(IntegerText(0), "0");
    EXPECT_EQ(IntegerText(21), "21");
    EXPECT_EQ(IntegerText(-2), "-2");
    EXPECT_EQ(IntegerText(-32768), "-32768");
    EXPECT_EQ(IntegerText(2147483647), "2147483647");
}

TEST(DoubleText, ShowsUpToFifteenSignificantDigits) {
    EXPECT_EQ(DoubleText(125.5), "125.5");
    EXPECT_EQ(DoubleText(942.0), "942");
    EXPECT_EQ(DoubleText(7.85 * 120.0), "942");
    EXPECT_EQ(DoubleText(0.1 + 0.2), "0.3");
    EXPECT_EQ(DoubleText(-1.25), "-1.25");
    EXPECT_EQ(DoubleText(123456789012345.0), "123456789012345");
    EXPECT_EQ(DoubleText(2.0 / 3.0), "0.666666666666667");
}

TEST(DoubleText, UsesExponentFormOnlyAtTheExtremes) {
    EXPECT_EQ(DoubleText(1e15), "1E+15");
    EXPECT_EQ(DoubleText(1.5e20), "1.5E+20");
    EXPECT_EQ(DoubleText(0.0001), "0.0001");
    EXPECT_EQ(DoubleText(0.00001), "1E-05");
}

TEST(DoubleText, ShowsZeroWithoutSign) {
    EXPECT_EQ(DoubleText(0.0), "0");
    EXPECT_EQ(DoubleText(-0.0), "0");
}

} // namespace
} // namespace pw
