#include "WindowText.h"

#include "partwright/app/ControlText.h"
#include "shared/com/TextConvert.h"

#include <sstream>

namespace pw::app {
namespace {

std::vector<std::string> Rows(HWND list) {
    std::vector<std::string> rows;
    const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring row(static_cast<std::size_t>(length) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(row.data()));
        row.resize(static_cast<std::size_t>(length));
        rows.push_back(com::WideToUtf8(row));
    }
    return rows;
}

} // namespace

std::string WindowText(frmTree& window, const std::vector<ShownMessageBox>& boxes) {
    std::ostringstream out;
    out << "[txtFilename]\n" << ControlText(window.Control(kTxtFilename)) << "\n";
    out << "[Status]\n" << ControlText(window.Control(kStatus)) << "\n";
    out << "[treList]\n";
    const auto& nodes = window.TreeView().Nodes();
    for (const auto& node : nodes) {
        std::size_t level = 0;
        for (auto up = node.parent; up != model::kNoParent;
             up = nodes[static_cast<std::size_t>(up - 1)].parent) {
            ++level;
        }
        out << std::string(2 * level, ' ') << node.text << '\t' << node.image;
        if (node.color >= 0) {
            out << "\tcolor=" << node.color;
        }
        out << "\n";
    }
    out << "[List1]\n";
    for (const auto& row : Rows(window.Control(kList1))) {
        out << row << "\n";
    }
    out << "[lstResults]\n";
    for (const auto& row : Rows(window.Control(kLstResults))) {
        out << row << "\n";
    }
    out << "[MessageBoxes]\n";
    for (const auto& box : boxes) {
        std::string text;
        for (const char c : box.text) {
            text += c == '\r' ? std::string("\\r") : std::string(1, c);
        }
        out << box.caption << '\t' << box.style << '\t' << text << "\n";
    }
    return out.str();
}

} // namespace pw::app
