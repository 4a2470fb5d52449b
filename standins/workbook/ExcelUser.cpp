#include "ExcelUser.h"

#include <utility>

namespace pw::standins {

void UserOpensAWorkbookAtCall(workbook::ExcelState& state, std::uint64_t call) {
    state.onCall = [&state, call, before = std::move(state.onCall)] {
        if (before) {
            before();
        }
        if (state.calls != call) {
            return;
        }
        auto book = state.NewWorkbook(kUserWorkbookName);
        book->activeSheet = book->sheets.size() > 1 ? 1 : 0;
        state.workbooks.push_back(std::move(book));
        state.activeWorkbook = state.workbooks.size() - 1;
    };
}

} // namespace pw::standins
