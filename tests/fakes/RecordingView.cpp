#include "RecordingView.h"

#include "shared/core/Failure.h"

namespace pw::fakes {

model::NodeIndex RecordingTree::AddNode(model::NodeIndex parent, const std::string& text,
                                        const std::string& imageKey) {
    if (parent != model::kNoParent) {
        Node(parent); // a node under a node that does not exist fails, as in the real tree
    }
    if (!refusedText.empty() && text == refusedText) {
        throw Failure(kEFail, "Out of memory");
    }
    nodes.push_back({parent, text, imageKey});
    return static_cast<model::NodeIndex>(nodes.size());
}

void RecordingTree::SetNodeColor(model::NodeIndex node, std::int32_t color) {
    Node(node); // fails as the real tree does
    nodes[static_cast<std::size_t>(node - 1)].color = color;
}

// The real tree expands no node that it does not have.
void RecordingTree::Expand(model::NodeIndex node) {
    if (node >= 1 && static_cast<std::size_t>(node) <= nodes.size()) {
        nodes[static_cast<std::size_t>(node - 1)].expanded = true;
    }
}

const TreeNode& RecordingTree::Node(model::NodeIndex index) const {
    if (index < 1 || static_cast<std::size_t>(index) > nodes.size()) {
        throw Failure(kEFail, "No such node.");
    }
    return nodes[static_cast<std::size_t>(index - 1)];
}

std::vector<std::string> RecordingTree::Outline() const {
    std::vector<std::string> lines;
    for (const TreeNode& node : nodes) {
        std::size_t level = 0;
        for (model::NodeIndex up = node.parent; up != model::kNoParent; up = Node(up).parent) {
            ++level;
        }
        lines.push_back(std::string(2 * level, ' ') + node.text + "\t" + node.image);
    }
    return lines;
}

void RecordingView::SetStatus(const std::string& text) {
    statusHistory.push_back(text);
    events.push_back("status:" + text);
}

void RecordingView::TotalsStarted() {
    results.clear();
    events.push_back("results");
}

int RecordingView::Message(const std::string& text, int style) {
    messages.push_back({text, style, !tree.nodes.empty() && tree.nodes[0].expanded, results});
    events.push_back("message:" + text);
    if (answers.empty()) {
        return 1;
    }
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

} // namespace pw::fakes
