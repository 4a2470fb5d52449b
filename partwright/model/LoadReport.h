#pragma once

#include "shared/inventor/DocumentAccess.h"

#include <cstdint>
#include <string>

// What the load, the walk and the quantity listing report, to the window or to a run's log.
namespace pw::model {

// A tree node's 1-based index in creation order.
using NodeIndex = std::int32_t;
inline constexpr NodeIndex kNoParent = 0;

// Message box styles and the answer that declines.
inline constexpr int kOkOnly = 0;
inline constexpr int kOkExclamation = 48;
inline constexpr int kYesNoExclamation = 52;
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

// The text colour of a missing component's node (red 188, green 2, blue 0).
inline constexpr std::int32_t kMissingColor = 700;
// The text colour of a suppressed occurrence's node (grey 128, 128, 128).
inline constexpr std::int32_t kSuppressedColor = 0x808080;
// The text colour of an occurrence whose components could not be read (orange 255, 128, 0).
inline constexpr std::int32_t kUnreadColor = 0x0080FF;

// The tree of components the walk builds, nodes numbered from 1 in the order they are added.
class ComponentTree {
public:
    virtual ~ComponentTree() = default;
    // Adds a node under parent (kNoParent: at the root) and returns its number.
    virtual NodeIndex AddNode(NodeIndex parent, const std::string& text,
                              const std::string& imageKey) = 0;
    virtual void SetNodeColor(NodeIndex, std::int32_t) {}
    virtual void Expand(NodeIndex) {}
    virtual void Clear() = 0;
};

// A tree no one draws: its nodes are numbered, and that is all.
class NumberedTree : public ComponentTree {
public:
    NodeIndex AddNode(NodeIndex, const std::string&, const std::string&) override {
        return ++nodes_;
    }
    void Clear() override { nodes_ = 0; }

private:
    NodeIndex nodes_ = 0;
};

// Where work says how far it is, and lets whoever shows it catch up.
class StatusPort {
public:
    virtual ~StatusPort() = default;
    virtual void SetStatus(const std::string&) {}
    // Lets the window process its pending messages once.
    virtual void DoEvents() {}
    // Whether the work should end at once: asked after each yield, during which the user may
    // have closed the window.
    virtual bool StopRequested() { return false; }

    // Lets the window process its pending messages; false when the work is then to stop.
    bool YieldGoesOn() {
        DoEvents();
        return !StopRequested();
    }
};

// The distinct files with their quantities, as the listing makes them, a line each.
class ListingReport : public StatusPort {
public:
    virtual void FileListStarted() {}
    virtual void FileListed(const std::string&) {}
};

// What a load tells and asks: its progress, the tree, the file list, the totals, its messages.
// What a report shows is for its adapter; one that shows nothing says only what it keeps.
class LoadReport : public ListingReport {
public:
    // The assembly asked for, as the user gave it.
    virtual std::string AssemblyAsked() = 0;
    virtual ComponentTree& Tree() { return numbered_; }
    virtual void TotalsStarted() {}
    virtual void TotalLine(const std::string&) {}
    // A message for the user in one of the styles above, and the user's answer.
    virtual int Message(const std::string& text, int style) = 0;
    // Work that keeps the user waiting has started or ended.
    virtual void Waiting(bool) {}
    // The assembly is open: its file, whose picture stands for it.
    virtual void AssemblyOpened(const std::string&) {}
    // A file of the assembly (the assembly's own included) is read for the first time, its
    // document at hand: what is to be read of it besides is best read now, not opened again.
    virtual void FileRead(const std::string&, inventor::Document&) {}
    // Apprentice could not be started: nothing can be loaded, and the program ends.
    virtual void ApprenticeUnavailable() = 0;

private:
    NumberedTree numbered_;
};

// Waiting for a scope of work, ended however the work ends.
class Hourglass {
public:
    explicit Hourglass(LoadReport& report) : report_(report) { report_.Waiting(true); }
    ~Hourglass() { report_.Waiting(false); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

private:
    LoadReport& report_;
};

} // namespace pw::model
