#include "SilentViews.h"

namespace pw::batch {

int SilentLoadView::MsgBox(const std::string& text, const std::string&, int style) {
    messages.push_back({text, style});
    constexpr int kYesNo = 4; // the buttons of kYesNoExclamation
    return (style & 0x0F) == kYesNo ? model::kAnswerYes : model::kAnswerOk;
}

} // namespace pw::batch
