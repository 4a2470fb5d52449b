#pragma once

#include "BomModel.h"
#include "LoadReport.h"
#include "QuantityListing.h"
#include "shared/inventor/DocumentAccess.h"

#include <memory>

namespace pw::model {

inline constexpr const char* kProgramTitle = "Partwright";
inline constexpr const char* kApprenticeProgId = "Inventor.ApprenticeServer";
// COM's answers for a class that is not registered for this user: its identifier, or its
// programmatic identifier ("Invalid class string"), unknown.
inline constexpr ResultCode kClassNotRegistered = static_cast<ResultCode>(0x80040154u);
inline constexpr ResultCode kProgIdNotRegistered = static_cast<ResultCode>(0x800401F3u);
// What the user is told, after the window's own text, when Apprentice is not registered.
inline constexpr const char* kApprenticeNotRegisteredAdvice =
    "Apprentice is not registered for this Windows user (\"class not registered\"); its "
    "registration is per user. Since Inventor 2026 Apprentice is installed on its own: run "
    "ApprenticeRegSvr.exe /install as this user, or install Inventor or Inventor View. A "
    "scheduled task must run as a user who has Apprentice installed and registered.";

// "Frames (D:\Projects\Frames.ipj)", or Inventor's default project, which has no file.
std::string ProjectText(const DesignProjectName& project);

// The main window's assembly load: from the text of txtFilename to the tree, the model, List1,
// the totals and the status line.
class AssemblyLoader {
public:
    AssemblyLoader(BomModel& model, QuantityListing& listing, LoadReport& view,
                   ServerFactory& servers);

    // A request that arrives while a load is running (through the load's own yields) is
    // ignored: the running load owns the model, the tree and the lists until it ends.
    void LoadAssembly();
    bool Loading() const noexcept { return loading_; }
    // Whether the last load went through to its totals (not refused, stopped or failed).
    bool Completed() const noexcept { return completed_; }

    // The server of the last load; the thumbnail display opens files through it.
    const std::shared_ptr<Server>& IVServer() const noexcept { return server_; }
    void ReleaseServer() noexcept { server_.reset(); }

private:
    void Load();
    void EmptyModel();
    void WriteTotals();

    BomModel& model_;
    QuantityListing& listing_;
    LoadReport& view_;
    ServerFactory& servers_;
    std::shared_ptr<Server> server_;
    bool loading_ = false;
    bool completed_ = false;
};

} // namespace pw::model
