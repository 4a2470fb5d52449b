#include "LoadMessages.h"

namespace pw::batch {

int LoadMessages::Message(const std::string& text, int style) {
    messages.push_back({text, style});
    constexpr int kYesNo = 4; // the buttons of kYesNoExclamation
    return (style & 0x0F) == kYesNo ? model::kAnswerYes : model::kAnswerOk;
}

} // namespace pw::batch
