#include "partwright/shell/CommandLine.h"

#include <gtest/gtest.h>

namespace pw::shell {
namespace {

using Args = std::vector<std::string>;

TEST(GetCommandLineArgs, ElementZeroIsEmptyAndArgumentsFollowInOrder) {
    EXPECT_EQ(GetCommandLineArgs(""), Args{""});
    EXPECT_EQ(GetCommandLineArgs("C:\\Work\\Gearbox.iam"), (Args{"", "C:\\Work\\Gearbox.iam"}));
    EXPECT_EQ(GetCommandLineArgs("a b"), (Args{"", "a", "b"}));
}

TEST(GetCommandLineArgs, BlanksAndTabsSeparateWithoutMakingEmptyArguments) {
    EXPECT_EQ(GetCommandLineArgs("  a \t\tb   "), (Args{"", "a", "b"}));
    EXPECT_EQ(GetCommandLineArgs("\t"), Args{""});
}

TEST(GetCommandLineArgs, QuotationMarksAreDroppedAndKeepAPathWithBlanksWhole) {
    EXPECT_EQ(GetCommandLineArgs("\"C:\\Work\\Gearbox.iam\""), (Args{"", "C:\\Work\\Gearbox.iam"}));
    EXPECT_EQ(GetCommandLineArgs("\"C:\\My Documents\\Gear box.iam\""),
              (Args{"", "C:\\My Documents\\Gear box.iam"}));
    EXPECT_EQ(GetCommandLineArgs("\"C:\\My\tDocs\\a.iam\" next"),
              (Args{"", "C:\\My\tDocs\\a.iam", "next"}));
    EXPECT_EQ(GetCommandLineArgs("ab\"c\"d"), (Args{"", "abcd"}));
}

TEST(GetCommandLineArgs, UnquotedBlanksStillSplit) {
    EXPECT_EQ(GetCommandLineArgs("C:\\My Documents\\Gearbox.iam"),
              (Args{"", "C:\\My", "Documents\\Gearbox.iam"}));
}

TEST(GetCommandLineArgs, APairOfQuotationMarksAloneIsOneEmptyArgument) {
    EXPECT_EQ(GetCommandLineArgs("\"\""), (Args{"", ""}));
    EXPECT_EQ(GetCommandLineArgs("\"\" b"), (Args{"", "", "b"}));
}

TEST(GetCommandLineArgs, StopsAtTheMaximum) {
    EXPECT_EQ(GetCommandLineArgs("1 2 3 4 5 6 7 8 9 10 11 12"),
              (Args{"", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
    EXPECT_EQ(GetCommandLineArgs("a b", 0), Args{""});
    EXPECT_EQ(GetCommandLineArgs("a b c", 2), (Args{"", "a", "b"}));
}

} // namespace
} // namespace pw::shell
