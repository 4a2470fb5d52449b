#pragma once

#include <cstdint>
#include <string>

// What the load, the walk and the quantity listing ask of the main window.
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

class TreePort {
public:
    virtual ~TreePort() = default;
    // Adds a node under parent (kNoParent: at the root) and returns its index.
    virtual NodeIndex AddNode(NodeIndex parent, const std::string& text,
                              const std::string& imageKey) = 0;
    virtual void SetNodeColor(NodeIndex node, std::int32_t color) = 0;
    virtual void Expand(NodeIndex node) = 0;
    virtual void Clear() = 0;
};

// The status line, and letting the window process its pending messages once.
class StatusPort {
public:
    virtual ~StatusPort() = default;
    virtual void SetStatus(const std::string& text) = 0;
    virtual void DoEvents() = 0;
    // Whether the work should end at once: asked after each yield, during which the user may
    // have closed the window.
    virtual bool StopRequested() { return false; }

    // Lets the window process its pending messages; false when the work is then to stop.
    bool YieldGoesOn() {
        DoEvents();
        return !StopRequested();
    }
};

// The list of distinct files, List1.
class ListingPort : public StatusPort {
public:
    virtual void ClearList1() = 0;
    virtual void AddList1Row(const std::string& text) = 0;
};

class LoadPort : public ListingPort {
public:
    // The text of txtFilename, used as typed.
    virtual std::string FileNameText() = 0;
    virtual TreePort& Tree() = 0;
    virtual void ClearResults() = 0;
    virtual void AddResult(const std::string& line) = 0;
    // Shows a modal message box captioned `caption` and returns the answer.
    virtual int MsgBox(const std::string& text, const std::string& caption, int style) = 0;
    virtual void SetHourglass(bool busy) = 0;
    virtual void ShowThumbnail(const std::string& fullFileName) = 0;
    // Closes every window and ends the program at once.
    virtual void EndProgram() = 0;
};

// The hourglass for a scope of work, cleared however the work ends.
class Hourglass {
public:
    explicit Hourglass(LoadPort& view) : view_(view) { view_.SetHourglass(true); }
    ~Hourglass() { view_.SetHourglass(false); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

private:
    LoadPort& view_;
};

} // namespace pw::model
