#include "TreeControl.h"

#include "shared/com/TextConvert.h"
#include "shared/core/Failure.h"

namespace pw::app {

int ImageIndexOf(const std::string& imageKey) {
    if (imageKey == "Assembly") {
        return 0;
    }
    if (imageKey == "NoAssembly") {
        return 1;
    }
    if (imageKey == "Part") {
        return 2;
    }
    return 3;
}

model::NodeIndex TreeControl::AddNode(model::NodeIndex parent, const std::string& text,
                                      const std::string& imageKey) {
    const HTREEITEM parentItem = parent == model::kNoParent ? TVI_ROOT : ItemOf(parent);
    if (!parentItem) {
        throw Failure(kEFail, "No such node.");
    }
    std::wstring wide = com::Utf8ToWide(text);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parentItem;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = wide.data();
    insert.item.iImage = ImageIndexOf(imageKey);
    insert.item.iSelectedImage = insert.item.iImage;
    insert.item.lParam = static_cast<LPARAM>(items_.size() + 1);
    const auto item = reinterpret_cast<HTREEITEM>(
        SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    if (!item) {
        throw Failure(kEFail, "The tree refused a node.");
    }
    items_.push_back(item);
    nodes_.push_back({parent, text, imageKey, -1});
    return static_cast<model::NodeIndex>(items_.size());
}

void TreeControl::SetNodeColor(model::NodeIndex node, std::int32_t color) {
    if (!ItemOf(node)) {
        throw Failure(kEFail, "No such node.");
    }
    nodes_[static_cast<std::size_t>(node - 1)].color = color;
    InvalidateRect(tree_, nullptr, FALSE);
}

void TreeControl::Expand(model::NodeIndex node) {
    if (const HTREEITEM item = ItemOf(node)) {
        SendMessageW(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    }
}

void TreeControl::Clear() {
    SendMessageW(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    items_.clear();
    nodes_.clear();
}

model::NodeIndex TreeControl::IndexOf(HTREEITEM item) const {
    if (!item) {
        return model::kNoParent;
    }
    TVITEMW query{};
    query.mask = TVIF_PARAM | TVIF_HANDLE;
    query.hItem = item;
    SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
    return static_cast<model::NodeIndex>(query.lParam);
}

HTREEITEM TreeControl::ItemOf(model::NodeIndex node) const {
    if (node < 1 || static_cast<std::size_t>(node) > items_.size()) {
        return nullptr;
    }
    return items_[static_cast<std::size_t>(node - 1)];
}

LRESULT TreeControl::OnCustomDraw(NMTVCUSTOMDRAW& draw) const {
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
        const auto node = static_cast<model::NodeIndex>(draw.nmcd.lItemlParam);
        if (node >= 1 && static_cast<std::size_t>(node) <= nodes_.size()) {
            const std::int32_t color = nodes_[static_cast<std::size_t>(node - 1)].color;
            if (color >= 0) {
                draw.clrText = static_cast<COLORREF>(color);
            }
        }
        return CDRF_DODEFAULT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

} // namespace pw::app
