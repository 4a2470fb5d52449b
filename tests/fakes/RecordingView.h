#pragma once

#include "partwright/model/LoadReport.h"

#include <deque>
#include <string>
#include <vector>

// A load report that records what the load, the walk and the listing tell, as a window shows it.
namespace pw::fakes {

struct TreeNode {
    model::NodeIndex parent = model::kNoParent;
    std::string text;
    std::string image;
    std::int32_t color = -1; // not set
    bool expanded = false;
};

class RecordingTree : public model::ComponentTree {
public:
    std::vector<TreeNode> nodes; // node k is nodes[k - 1]
    std::string refusedText;     // a node of this text is refused, as by a tree out of memory

    model::NodeIndex AddNode(model::NodeIndex parent, const std::string& text,
                             const std::string& imageKey) override;
    void SetNodeColor(model::NodeIndex node, std::int32_t color) override;
    void Expand(model::NodeIndex node) override;
    void Clear() override { nodes.clear(); }

    const TreeNode& Node(model::NodeIndex index) const;
    // One line per node: two blanks per level below the top, the text, a tab, the image key.
    std::vector<std::string> Outline() const;
};

struct ShownMessage {
    std::string text;
    int style = 0;
    // What the window showed when the box appeared.
    bool topNodeExpanded = false;
    std::vector<std::string> results;
};

class RecordingView : public model::LoadReport {
public:
    std::string fileNameText;
    RecordingTree tree;
    std::vector<std::string> statusHistory;
    std::vector<std::string> list1;
    std::vector<std::string> results;
    std::vector<ShownMessage> messages;
    std::deque<int> answers; // given to message boxes in turn; OK (1) when none is left
    std::vector<bool> hourglass;
    std::vector<std::string> thumbnails;
    // Every event in order: "status:...", "message:...", "expand", "results", ...
    std::vector<std::string> events;
    int yields = 0;
    bool ended = false;

    std::string Status() const { return statusHistory.empty() ? "" : statusHistory.back(); }

    void SetStatus(const std::string& text) override;
    void DoEvents() override { ++yields; }
    void FileListStarted() override { list1.clear(); }
    void FileListed(const std::string& text) override { list1.push_back(text); }
    std::string AssemblyAsked() override { return fileNameText; }
    model::ComponentTree& Tree() override { return tree; }
    void TotalsStarted() override;
    void TotalLine(const std::string& line) override { results.push_back(line); }
    int Message(const std::string& text, int style) override;
    void Waiting(bool busy) override { hourglass.push_back(busy); }
    void AssemblyOpened(const std::string& fullFileName) override {
        thumbnails.push_back(fullFileName);
    }
    void ApprenticeUnavailable() override { ended = true; }
};

} // namespace pw::fakes
