#include "ModelFixture.h"

#include <algorithm>

namespace pw::model {
namespace {

using standins::Op;

const std::string kTop = "C:\\Work\\Gearbox.iam";
const std::string kOther = "C:\\Work\\Other.iam";
const std::string kShaft = "C:\\Work\\Parts\\Shaft.ipt";

// Every case starts from a complete load of kOther, so leftovers of the previous load show.
class AssemblyLoadTest : public ModelFixture {
protected:
    void SetUp() override {
        inventor.AddAssembly(kTop, "Gearbox");
        inventor.AddAssembly(kOther, "Other");
        inventor.AddPart(kShaft);
        inventor.AddOccurrence(kTop, "Shaft:1", kShaft);
        inventor.AddOccurrence(kOther, "Shaft:1", kShaft);
        inventor.AddOccurrence(kOther, "Shaft:2", kShaft);
        Load(kOther);
        previousResults = view.results;
        previousList = view.list1;
        previousStatus = view.Status();
        view.messages.clear();
        view.hourglass.clear();
    }

    bool HourglassEndsOff() const { return view.hourglass.empty() || !view.hourglass.back(); }

    std::vector<std::string> previousResults;
    std::vector<std::string> previousList;
    std::string previousStatus;
};

TEST_F(AssemblyLoadTest, ACompleteLoadShowsTreeListTotalsAndStatus) {
    Load(kTop);

    EXPECT_EQ(view.tree.Outline(),
              (std::vector<std::string>{"Gearbox\tAssembly", "  Shaft:1\tPart"}));
    EXPECT_TRUE(view.tree.Node(1).expanded);
    EXPECT_EQ(view.list1, (std::vector<std::string>{"(1)\t" + kShaft}));
    EXPECT_EQ(view.results,
              (std::vector<std::string>{"Max Indent\t2", "Referenced Files\t1", "Assemblies\t1",
                                        "Parts Count\t1", "Total\t2", "Missing\t0"}));
    EXPECT_EQ(view.Status(), "Found 1 Unique Parts or Assemblies");
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(view.thumbnails.back(), kTop);
    ASSERT_FALSE(view.hourglass.empty());
    EXPECT_TRUE(view.hourglass.front());
    EXPECT_TRUE(HourglassEndsOff());
    EXPECT_TRUE(loader.Completed());
}

TEST_F(AssemblyLoadTest, StatusTextsFollowTheLoadInOrder) {
    view.statusHistory.clear();
    Load(kTop);
    EXPECT_EQ(view.statusHistory, (std::vector<std::string>{
                                      "Clearing out Collections...",
                                      "Working...",
                                      "Depth=2 Assy's=1 Parts=1 Total=2",
                                      "Calculating Quantities for BOM",
                                      "Calculating Quantities...",
                                      "Found 1 Unique Parts or Assemblies",
                                  }));
}

TEST_F(AssemblyLoadTest, AServerThatCannotStartEndsTheProgram) {
    inventor.Faults().FailOn(Op::Create, "", kClassNotRegistered);
    Load(kTop);

    ASSERT_EQ(view.messages.size(), 1u);
    // The window's words first, then why and what to run: Apprentice is registered per user.
    EXPECT_EQ(view.messages[0].text, std::string("cannot start the Inventor Apprentice Server."
                                                 "\r\n\r\n") +
                                         kApprenticeNotRegisteredAdvice);
    EXPECT_NE(view.messages[0].text.find("ApprenticeRegSvr.exe /install"), std::string::npos);
    EXPECT_EQ(view.messages[0].style, kOkOnly);
    EXPECT_TRUE(view.ended);
    EXPECT_EQ(model.FileData.Count(), 3); // nothing else ran

    // Its programmatic identifier unknown, as where nothing of Apprentice is registered: the same.
    standins::StandinInventor unknown;
    unknown.Faults().FailOn(Op::Create, "", kProgIdNotRegistered);
    fakes::RecordingView unknownView;
    BomModel unknownModel;
    AssemblyLoader(unknownModel, listing, unknownView, unknown).LoadAssembly();
    ASSERT_EQ(unknownView.messages.size(), 1u);
    EXPECT_EQ(unknownView.messages[0].text, view.messages[0].text);
}

TEST_F(AssemblyLoadTest, AFileThatCannotBeOpenedLeavesAnEmptyTreeAndThePreviousSummary) {
    Load("C:\\Work\\Nowhere.iam");

    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, "Unable to open the specified file.");
    EXPECT_EQ(view.messages[0].style, kOkExclamation);
    EXPECT_TRUE(view.tree.nodes.empty());
    EXPECT_EQ(view.results, previousResults);
    EXPECT_EQ(view.list1, previousList);
    EXPECT_EQ(view.Status(), previousStatus);
    EXPECT_EQ(model.FileData.Count(), 3);
    EXPECT_EQ(listing.EntryOfRow(0)->FileName, kShaft);
    EXPECT_FALSE(view.ended);
    EXPECT_TRUE(HourglassEndsOff());
    EXPECT_FALSE(loader.Completed());
}

TEST_F(AssemblyLoadTest, DecliningMigrationChangesNothingButTheTree) {
    inventor.Document(kTop).needsMigration = true;
    view.answers = {kAnswerNo};
    Load(kTop);

    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text,
              "The selected file should be migrated before using this utility.\rContinue?");
    EXPECT_EQ(view.messages[0].style, kYesNoExclamation);
    EXPECT_TRUE(view.tree.nodes.empty());
    EXPECT_EQ(view.results, previousResults);
    EXPECT_EQ(model.FileData.Count(), 3);
    EXPECT_FALSE(loader.Completed());
}

TEST_F(AssemblyLoadTest, AcceptingMigrationLoadsTheFile) {
    inventor.Document(kTop).needsMigration = true;
    view.answers = {6};
    Load(kTop);
    EXPECT_EQ(model.FileData.Count(), 2);
    EXPECT_EQ(view.Status(), "Found 1 Unique Parts or Assemblies");
}

TEST_F(AssemblyLoadTest, AnUnreadableOccurrenceListAsksForMigrationAndKeepsTheTopRecord) {
    inventor.Faults().FailOn(Op::Items, kTop);
    Load(kTop);

    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, "Nice try, you really should try migrating\rThen run again");
    EXPECT_EQ(view.messages[0].style, kOkOnly);
    EXPECT_EQ(view.tree.Outline(), (std::vector<std::string>{"Gearbox\tAssembly"}));
    EXPECT_EQ(model.FileData.Count(), 1);
    EXPECT_EQ(model.Dupes.Count(), 0);
    EXPECT_EQ(model.Counts.AssyCount, 1);
    EXPECT_EQ(model.Counts.MaxIndent, 1);
    EXPECT_EQ(view.Status(), "Working...");
    EXPECT_EQ(view.list1, previousList);
    EXPECT_EQ(view.results, previousResults);
    EXPECT_TRUE(HourglassEndsOff());
    EXPECT_FALSE(loader.Completed());
}

TEST_F(AssemblyLoadTest, TheMissingMessageComesAfterTheTreeAndBeforeTheTotals) {
    inventor.AddOccurrence(kTop, "Lost:1", "C:\\Work\\Lost.ipt");
    Load(kTop);

    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_TRUE(view.messages[0].topNodeExpanded);
    EXPECT_EQ(view.messages[0].results, previousResults);
    EXPECT_EQ(view.results.back(), "Missing\t1");
    EXPECT_FALSE(view.hourglass.back());
}

TEST_F(AssemblyLoadTest, TheServerOfTheLastLoadIsKept) {
    const auto before = loader.IVServer();
    Load(kTop);
    ASSERT_NE(loader.IVServer(), nullptr);
    EXPECT_NE(loader.IVServer(), before);
    loader.ReleaseServer();
    EXPECT_EQ(loader.IVServer(), nullptr);
}

// A window whose message processing delivers a second load request, as a focus change would.
class ReentrantView : public fakes::RecordingView {
public:
    AssemblyLoader* loader = nullptr;
    void DoEvents() override {
        RecordingView::DoEvents();
        if (loader && yields == 1) {
            fileNameText = "C:\\Work\\Other.iam";
            loader->LoadAssembly();
        }
    }
};

TEST(AssemblyLoadReentry, ARequestDuringALoadIsIgnored) {
    standins::StandinInventor inventor;
    inventor.AddAssembly(kTop, "Gearbox");
    inventor.AddAssembly(kOther, "Other");
    inventor.AddPart(kShaft);
    inventor.AddOccurrence(kTop, "Shaft:1", kShaft);
    ReentrantView view;
    BomModel model;
    QuantityListing listing;
    AssemblyLoader loader(model, listing, view, inventor);
    view.loader = &loader;
    view.fileNameText = kTop;

    loader.LoadAssembly();

    EXPECT_EQ(inventor.ServersCreated(), 1);
    EXPECT_EQ(model.FileData.Count(), 2);
    EXPECT_EQ(view.tree.Outline(),
              (std::vector<std::string>{"Gearbox\tAssembly", "  Shaft:1\tPart"}));
    EXPECT_FALSE(loader.Loading());
}

// The window closed during one of the load's yields: its unload released the server.
class ClosingView : public fakes::RecordingView {
public:
    AssemblyLoader* loader = nullptr;
    int closeAtYield = 0;
    bool closed = false;
    std::size_t statusesAtClose = 0;

    void DoEvents() override {
        RecordingView::DoEvents();
        if (yields == closeAtYield) {
            closed = true;
            statusesAtClose = statusHistory.size();
            loader->ReleaseServer();
        }
    }
    bool StopRequested() override { return closed; }
};

TEST(AssemblyLoadClosing, TheLoadEndsAtTheYieldInWhichTheWindowClosed) {
    standins::StandinInventor inventor;
    inventor.AddAssembly(kTop, "Gearbox");
    inventor.AddPart(kShaft);
    inventor.AddOccurrence(kTop, "Shaft:1", kShaft);
    inventor.AddOccurrence(kTop, "Shaft:2", kShaft);
    inventor.AddOccurrence(kTop, "Gasket:1", "C:\\Work\\Missing.ipt");
    fakes::RecordingView complete;
    complete.fileNameText = kTop;
    {
        BomModel model;
        QuantityListing listing;
        AssemblyLoader(model, listing, complete, inventor).LoadAssembly();
    }
    ASSERT_EQ(complete.messages.size(), 1u); // the missing file's message, when not closed
    ASSERT_GT(complete.yields, 3);
    for (int yield = 1; yield <= complete.yields; ++yield) {
        SCOPED_TRACE("closed at yield " + std::to_string(yield));
        ClosingView view;
        BomModel model;
        QuantityListing listing;
        AssemblyLoader loader(model, listing, view, inventor);
        view.loader = &loader;
        view.closeAtYield = yield;
        view.fileNameText = kTop;
        loader.LoadAssembly();
        EXPECT_EQ(view.yields, yield);
        EXPECT_EQ(view.statusHistory.size(), view.statusesAtClose);
        EXPECT_TRUE(view.messages.empty());
        EXPECT_FALSE(loader.Loading());
        EXPECT_FALSE(loader.Completed());
        EXPECT_FALSE(view.hourglass.back());
    }
}

} // namespace
} // namespace pw::model
