#include "partwright/batch/BatchOptions.h"

#include <gtest/gtest.h>

namespace pw::batch {
namespace {

CommandLineReading Read(const std::vector<std::string>& arguments) {
    return ReadCommandLine(arguments, "1.2.3");
}

TEST(BatchOptions, OptionsGoAnywhereAndTakeTheirValuesEitherWay) {
    const auto reading =
        Read({"--indented", "A.iam", "--format=csv", "B.iam", "--out", "C:\\Out", "--hyperlinks",
              "--force", "--strict", "--bom-rules", "--layout", "parent-child"});
    ASSERT_TRUE(reading.options);
    const BatchOptions& options = *reading.options;
    EXPECT_TRUE(options.indented);
    EXPECT_TRUE(options.hyperlinks);
    EXPECT_TRUE(options.force);
    EXPECT_TRUE(options.strict);
    EXPECT_TRUE(options.bomRules);
    EXPECT_EQ(options.format, OutputFormat::Csv);
    EXPECT_EQ(options.layout, Layout::ParentChild);
    EXPECT_EQ(options.outFolder, "C:\\Out");
    EXPECT_EQ(options.assemblies, (std::vector<std::string>{"A.iam", "B.iam"}));

    const auto plain = Read({"A.iam", "--format", "xlsx", "--out=D:\\x"});
    ASSERT_TRUE(plain.options);
    EXPECT_FALSE(plain.options->indented || plain.options->hyperlinks || plain.options->force ||
                 plain.options->strict || plain.options->bomRules);
    EXPECT_EQ(plain.options->format, OutputFormat::Xlsx);
    EXPECT_EQ(plain.options->layout, Layout::Sheets);
    EXPECT_EQ(plain.options->outFolder, "D:\\x");
}

TEST(BatchOptions, DoubleDashEndsTheOptions) {
    const auto reading = Read({"--", "--strange.iam", "-"});
    ASSERT_TRUE(reading.options);
    EXPECT_EQ(reading.options->assemblies, (std::vector<std::string>{"--strange.iam", "-"}));
    EXPECT_FALSE(reading.options->strict);
}

TEST(BatchOptions, MistakesAreUsageErrorsThatSayWhatIsWrong) {
    const std::pair<std::vector<std::string>, std::string> mistakes[] = {
        {{}, "no assembly given"},
        {{"--force"}, "no assembly given"},
        {{"--fast", "A.iam"}, "unknown option '--fast'"},
        {{"A.iam", "--format", "pdf"}, "unknown format 'pdf' (xlsx or csv)"},
        {{"A.iam", "--format"}, "--format needs xlsx or csv"},
        {{"A.iam", "--layout=tree"}, "unknown layout 'tree' (sheets or parent-child)"},
        {{"A.iam", "--layout"}, "--layout needs sheets or parent-child"},
        {{"--compare", "A.iam"}, "--compare needs two assemblies, OLD and NEW"},
        {{"--compare", "A.iam", "B.iam", "C.iam"}, "--compare needs two assemblies, OLD and NEW"},
        {{"--compare", "A.iam", "B.iam", "--layout=parent-child"},
         "--compare compares the Summary BOMs; --layout does not apply"},
        {{"A.iam", "--property", "Supplier"}, "--property wants SET:NAME, not 'Supplier'"},
        {{"A.iam", "--property=Set:"}, "--property wants SET:NAME, not 'Set:'"},
        {{"A.iam", "--property"}, "--property needs SET:NAME"},
        {{"A.iam", "--out"}, "--out needs a folder"},
        {{"A.iam", "--out="}, "--out needs a folder"},
        {{"A.iam", "--force=yes"}, "option '--force' takes no value"},
        {{"A.iam", "--pictures", "--format", "csv"},
         "--pictures needs --format xlsx: a CSV file holds text only, no pictures"},
        {{"--compare", "A.iam", "B.iam", "--pictures"},
         "--pictures shows the parts of a BOM; --compare writes no picture column"},
        {{"A.iam", ""}, "an empty assembly name"},
    };
    for (const auto& [arguments, what] : mistakes) {
        const auto reading = Read(arguments);
        SCOPED_TRACE(what);
        EXPECT_FALSE(reading.options);
        EXPECT_EQ(reading.exitStatus, kUsageError);
        EXPECT_EQ(reading.message,
                  "partwright-export: " + what + "\nTry 'partwright-export --help'.\n");
    }
}

TEST(BatchOptions, HelpAndVersionAnswerAndSucceed) {
    for (const char* help : {"--help", "-h", "/?"}) {
        const auto reading = Read({"A.iam", help});
        EXPECT_FALSE(reading.options);
        EXPECT_EQ(reading.exitStatus, 0);
        EXPECT_EQ(reading.message, UsageText());
    }
    // What the workbook cannot hold is said where users look first.
    EXPECT_NE(UsageText().find("no buttons, row check boxes or macros"), std::string::npos);
    const auto version = Read({"--version"});
    EXPECT_EQ(version.exitStatus, 0);
    EXPECT_EQ(version.message, "partwright-export 1.2.3\n");
}

} // namespace
} // namespace pw::batch
