#include "SilentViews.h"

namespace pw::batch {

int SilentLoadView::MsgBox(const std::string& text, const std::string&, int style) {
    messages.push_back({text, style});
    constexpr int kYesNo = 4;
    constexpr int kAnswerYes = 6;
    constexpr int kAnswerOk = 1;
    return (style & 0x0F) == kYesNo ? kAnswerYes : kAnswerOk;
}

} // namespace pw::batch
