#include "AssemblyLoader.h"

#include "ComponentWalk.h"
#include "shared/core/BusyFlag.h"
#include "shared/core/Checked.h"
#include "shared/core/NumberText.h"
#include "shared/core/Step.h"

namespace pw::model {
namespace {

std::string TotalOf(const Tallies& counts) {
    return IntegerText(static_cast<std::int64_t>(counts.PartCount) + counts.AssyCount);
}

// Why a file will not open when a later release than this Apprentice saved it, and what to do;
// empty otherwise, or when the file cannot tell.
std::string NewerReleaseText(Server& server, const std::string& path) {
    std::string text;
    RunStep([&] {
        const SoftwareVersion saved = server.SavedBy(path);
        const SoftwareVersion own = server.Release();
        if (saved.major > own.major) {
            text = "\r\n\r\nIt was saved by Inventor " + saved.displayVersion +
                   ", a later release than this computer's Inventor Apprentice (" +
                   own.displayVersion + "), which cannot read it. Open it where Inventor " +
                   saved.displayVersion + " or later is installed, or install Inventor View " +
                   saved.displayVersion + " (or later) here, which brings its Apprentice.";
        }
    });
    return text;
}

} // namespace

std::string ProjectText(const DesignProjectName& project) {
    return project.fullFileName.empty()
               ? "\"" + project.name + "\", Inventor's default project, which has no file"
               : project.name + " (" + project.fullFileName + ")";
}

AssemblyLoader::AssemblyLoader(BomModel& model, QuantityListing& listing, LoadReport& view,
                               ServerFactory& servers)
    : model_(model), listing_(listing), view_(view), servers_(servers) {}

void AssemblyLoader::LoadAssembly() {
    if (loading_) {
        return;
    }
    BusyFlag busy(loading_);
    completed_ = false;
    Load();
}

void AssemblyLoader::Load() {
    ComponentTree& tree = view_.Tree();
    tree.Clear();
    model_.Nodes.Clear();

    std::string why;
    const ResultCode started = RunStep([&] { server_ = servers_.Create(kApprenticeProgId); }, why);
    if (started != kOk || !server_) {
        // The window's own words first, then why and what to do about it.
        std::string text = "cannot start the Inventor Apprentice Server.";
        if (started == kClassNotRegistered || started == kProgIdNotRegistered) {
            text += std::string("\r\n\r\n") + kApprenticeNotRegisteredAdvice;
        } else if (!why.empty()) {
            text += "\r\n\r\n" + why;
        }
        view_.Message(text, kOkOnly);
        view_.ApprenticeUnavailable();
        return;
    }

    const std::string fileName = view_.AssemblyAsked();
    std::shared_ptr<Document> document;
    if (RunStep([&] { document = server_->Open(fileName); }) != kOk || !document) {
        view_.Message("Unable to open the specified file." + NewerReleaseText(*server_, fileName),
                      kOkExclamation);
        return;
    }

    bool needsMigration = false;
    RunStep([&] { needsMigration = document->NeedsMigration(); });
    if (needsMigration &&
        view_.Message("The selected file should be migrated before using this utility.\r"
                      "Continue?",
                      kYesNoExclamation) == kAnswerNo) {
        return;
    }

    Hourglass hourglass(view_);
    view_.SetStatus("Clearing out Collections...");
    if (!view_.YieldGoesOn()) {
        return;
    }
    EmptyModel();

    std::string topText = fileName;
    RunStep([&] { topText = document->DisplayName(); });
    NodeIndex top = kNoParent;
    RunStep([&] { top = tree.AddNode(kNoParent, topText, "Assembly"); });
    model_.Counts = Tallies{};

    view_.SetStatus("Working...");
    if (!view_.YieldGoesOn()) {
        return;
    }
    ComponentWalk walk(model_, tree, *server_, [this](const std::string& file, Document& read) {
        view_.FileRead(file, read);
    });
    walk.AddTopAssyNode(*document, top);
    RunStep([&] { view_.AssemblyOpened(document->FullFileName()); });

    OccurrenceItems occurrences;
    if (RunStep([&] { occurrences = document->ComponentDefinition()->Occurrences()->Items(); }) !=
        kOk) {
        view_.Message("Nice try, you really should try migrating\rThen run again", kOkOnly);
        return;
    }
    walk.WalkOccurrences(occurrences, top, model_.Counts.MaxIndent);

    const Tallies& counts = model_.Counts;
    view_.SetStatus("Depth=" + IntegerText(counts.MaxIndent) +
                    " Assy's=" + IntegerText(counts.AssyCount) +
                    " Parts=" + IntegerText(counts.PartCount) + " Total=" + TotalOf(counts));
    listing_.Clear(view_);
    view_.SetStatus("Calculating Quantities for BOM");
    if (!view_.YieldGoesOn()) {
        return;
    }
    listing_.CalculateQuantities(model_.Dupes, view_);
    if (view_.StopRequested()) {
        return;
    }
    RunStep([&] { tree.Expand(top); });
    view_.Waiting(false);

    if (counts.MissingCount > 0) {
        // The window's words first, then the project the files were looked for through.
        std::string project;
        RunStep([&] {
            project =
                "\r\n\r\nThe active project is " + ProjectText(server_->ActiveProject()) + ".";
        });
        view_.Message(IntegerText(counts.MissingCount) +
                          " Parts or Assemblies Missing, Pleae check your project setup" + project,
                      kOkOnly);
    }
    if (!model_.Unread.empty()) {
        view_.Message(UnreadText(model_), kOkExclamation);
    }
    WriteTotals();
    if (const std::int64_t outOfDate = OutOfDateMassCount(model_); outOfDate > 0) {
        view_.SetStatus(OutOfDateMassText(outOfDate));
    }
    completed_ = true;
}

// Removes the first element as often as each list held elements, records before entries.
void AssemblyLoader::EmptyModel() {
    ++model_.LoadNumber;
    model_.Unread.clear();
    for (std::int32_t n = model_.FileData.Count(); n > 0; --n) {
        model_.FileData.RemoveFirst();
    }
    for (std::int32_t n = model_.Dupes.Count(); n > 0; --n) {
        model_.Dupes.RemoveFirst();
    }
}

void AssemblyLoader::WriteTotals() {
    const Tallies& counts = model_.Counts;
    view_.TotalsStarted();
    view_.TotalLine("Max Indent\t" + IntegerText(counts.MaxIndent));
    view_.TotalLine("Referenced Files\t" + IntegerText(model_.Dupes.Count()));
    view_.TotalLine("Assemblies\t" + IntegerText(counts.AssyCount));
    view_.TotalLine("Parts Count\t" + IntegerText(counts.PartCount));
    view_.TotalLine("Total\t" + TotalOf(counts));
    view_.TotalLine("Missing\t" + IntegerText(counts.MissingCount));
}

} // namespace pw::model
