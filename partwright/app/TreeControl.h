#pragma once

#include "partwright/model/LoadReport.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace pw::app {

// The tree port over a tree-view control: nodes are numbered in creation order (the number is
// each item's lParam), and a node's text colour is drawn through custom draw.
class TreeControl : public model::ComponentTree {
public:
    explicit TreeControl(HWND tree) : tree_(tree) {}

    model::NodeIndex AddNode(model::NodeIndex parent, const std::string& text,
                             const std::string& imageKey) override;
    void SetNodeColor(model::NodeIndex node, std::int32_t color) override;
    void Expand(model::NodeIndex node) override;
    void Clear() override;

    // The node an item stands for; kNoParent for none.
    model::NodeIndex IndexOf(HTREEITEM item) const;
    HTREEITEM ItemOf(model::NodeIndex node) const;
    // Answers NM_CUSTOMDRAW for the tree.
    LRESULT OnCustomDraw(NMTVCUSTOMDRAW& draw) const;

    struct NodeView {
        model::NodeIndex parent;
        std::string text;
        std::string image;
        std::int32_t color;
    };
    const std::vector<NodeView>& Nodes() const { return nodes_; }

private:
    HWND tree_;
    std::vector<HTREEITEM> items_;
    std::vector<NodeView> nodes_;
};

// The image list's index of an image key.
int ImageIndexOf(const std::string& imageKey);

} // namespace pw::app
