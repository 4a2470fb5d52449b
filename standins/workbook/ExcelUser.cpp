#include "ExcelUser.h"

#include <utility>

namespace pw::standins {

void UserOpensAWorkbookAtCall(ExcelState& state, ExcelFaults& faults, std::uint64_t call) {
    faults.onCall = [&state, &faults, call, before = std::move(faults.onCall)] {
        if (before) {
            before();
        }
        if (faults.calls != call) {
            return;
        }
        auto book = state.NewWorkbook(kUserWorkbookName);
        book->activeSheet = book->sheets.size() > 1 ? 1 : 0;
        state.workbooks.push_back(std::move(book));
        state.activeWorkbook = state.workbooks.size() - 1;
    };
}

} // namespace pw::standins
