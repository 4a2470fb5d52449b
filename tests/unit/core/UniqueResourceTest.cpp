#include "shared/core/UniqueResource.h"

#include <gtest/gtest.h>
#include <vector>

namespace pw {
namespace {

std::vector<int> gFreed;

void RecordFree(int value) noexcept {
    gFreed.push_back(value);
}
// As INVALID_HANDLE_VALUE beside null: -1 holds nothing either.
bool HoldsSomething(int value) noexcept {
    return value > 0;
}
using Owner = UniqueResource<int, RecordFree, HoldsSomething>;

class UniqueResourceTest : public testing::Test {
protected:
    void SetUp() override { gFreed.clear(); }
};

TEST_F(UniqueResourceTest, FreesEachResourceOnceWhicheverWayItIsLetGo) {
    {
        Owner first(1);
        Owner moved(std::move(first));
        EXPECT_FALSE(first);
        EXPECT_EQ(moved.get(), 1);
        Owner second(2);
        second = std::move(moved); // frees 2, takes 1
        EXPECT_EQ(gFreed, std::vector<int>{2});
        *second.put() = 3; // frees 1 before the call fills it
        EXPECT_EQ(gFreed, (std::vector<int>{2, 1}));
        Owner kept(4);
        EXPECT_EQ(kept.release(), 4); // the caller frees it now
        second.reset(5);              // frees 3
    }                                 // frees 5
    EXPECT_EQ(gFreed, (std::vector<int>{2, 1, 3, 5}));
}

TEST_F(UniqueResourceTest, AValueThatHoldsNothingIsNeverFreed) {
    {
        Owner invalid(-1);
        EXPECT_FALSE(invalid);
        invalid.reset();
        Owner none;
        EXPECT_FALSE(none);
    }
    EXPECT_TRUE(gFreed.empty());
}

} // namespace
} // namespace pw
