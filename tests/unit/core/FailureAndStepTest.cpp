#include "shared/core/Failure.h"
#include "shared/core/Step.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace pw {
namespace {

TEST(Failure, CarriesItsCodeAndMessage) {
    const Failure failure(kEFail, "Unable to open the specified file.");
    EXPECT_EQ(failure.code(), static_cast<ResultCode>(0x80004005u));
    EXPECT_STREQ(failure.what(), "Unable to open the specified file.");
    EXPECT_EQ(CodeText(failure.code()), "0x80004005");
}

TEST(RunStep, ReportsSuccessAsOk) {
    int runs = 0;
    EXPECT_EQ(RunStep([&] { ++runs; }), kOk);
    EXPECT_EQ(runs, 1);
}

TEST(RunStep, AbsorbsAFailingStepSoTheNextOneRuns) {
    std::vector<std::string> fields(3, "default");
    const ResultCode first = RunStep([&] { fields[0] = "A. Author"; });
    const ResultCode second = RunStep([&] {
        throw Failure(kEFail, "property set absent");
        fields[1] = "never written"; // NOLINT: the step stops at the failure
    });
    const ResultCode third = RunStep([&] { fields[2] = "Steel"; });

    EXPECT_EQ(first, kOk);
    EXPECT_EQ(second, kEFail);
    EXPECT_EQ(third, kOk);
    EXPECT_EQ(fields, (std::vector<std::string>{"A. Author", "default", "Steel"}));
}

TEST(RunStep, AbsorbsOverflowLikeAnyOtherFailure) {
    EXPECT_EQ(RunStep([] { throw OverflowError(); }), kOverflowCode);
}

TEST(RunStep, LetsProgrammingErrorsThrough) {
    EXPECT_THROW(RunStep([] { throw std::logic_error("bug"); }), std::logic_error);
}

} // namespace
} // namespace pw
