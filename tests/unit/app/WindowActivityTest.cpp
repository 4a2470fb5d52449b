// The window's one rule for what the user does while a load or an export runs.
#include "partwright/app/WindowActivity.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace pw::app {
namespace {

using State = WindowActivity::State;

TEST(WindowActivity, ClicksDuringWorkWaitAndRunInTheirOrderAfterIt) {
    WindowActivity activity;
    std::vector<std::string> ran;
    EXPECT_FALSE(activity.HoldWhileBusy([&] { ran.push_back("idle"); }));
    {
        const WindowActivity::Work export_(activity, State::Exporting);
        EXPECT_EQ(activity.Now(), State::Exporting);
        EXPECT_TRUE(activity.HoldWhileBusy([&] { ran.push_back("first"); }));
        EXPECT_TRUE(activity.HoldWhileBusy([&] { ran.push_back("second"); }));
        // A load asked from within the export's yields starts no work of its own.
        const WindowActivity::Work nested(activity, State::Loading);
        EXPECT_EQ(activity.Now(), State::Exporting);
    }
    EXPECT_EQ(activity.Now(), State::Idle);
    EXPECT_TRUE(ran.empty());
    EXPECT_TRUE(activity.RunHeld([] { return true; }));
    EXPECT_EQ(ran, (std::vector<std::string>{"first", "second"}));
    EXPECT_TRUE(activity.RunHeld([] { return true; })); // each runs once
    EXPECT_EQ(ran.size(), 2u);
}

TEST(WindowActivity, AClosingWindowRunsNothingThatWaited) {
    WindowActivity activity;
    EXPECT_FALSE(activity.CloseWaitsForWork()); // idle: the window closes at once
    bool ran = false;
    {
        const WindowActivity::Work load(activity, State::Loading);
        activity.HoldWhileBusy([&] { ran = true; });
        EXPECT_TRUE(activity.CloseWaitsForWork());
    }
    EXPECT_EQ(activity.Now(), State::Closing); // the end of the load does not reopen it
    EXPECT_FALSE(activity.RunHeld([] { return true; }));
    EXPECT_FALSE(ran);
}

// A held click may itself start work that is closed, or end the window: what waited behind it
// is for nothing.
TEST(WindowActivity, WhatWaitsBehindAClickThatEndedTheWindowDoesNotRun) {
    WindowActivity activity;
    std::vector<std::string> ran;
    bool open = true;
    {
        const WindowActivity::Work load(activity, State::Loading);
        activity.HoldWhileBusy([&] {
            ran.push_back("exit");
            open = false;
        });
        activity.HoldWhileBusy([&] { ran.push_back("after"); });
    }
    activity.RunHeld([&] { return open; });
    EXPECT_EQ(ran, (std::vector<std::string>{"exit"}));

    activity.HoldWhileBusy([] {}); // idle: nothing is kept
    {
        const WindowActivity::Work load(activity, State::Loading);
        activity.HoldWhileBusy([&] {
            const WindowActivity::Work export_(activity, State::Exporting);
            activity.CloseWaitsForWork();
        });
        activity.HoldWhileBusy([&] { ran.push_back("behind the close"); });
    }
    EXPECT_FALSE(activity.RunHeld([] { return true; }));
    EXPECT_EQ(ran.size(), 1u);
}

TEST(WindowActivity, ALoadOwedByTheFileNameBoxIsTakenOnce) {
    WindowActivity activity;
    EXPECT_FALSE(activity.TakeOwedLoad());
    activity.OweLoad();
    EXPECT_TRUE(activity.TakeOwedLoad());
    EXPECT_FALSE(activity.TakeOwedLoad());
}

} // namespace
} // namespace pw::app
