#include "BomModel.h"

#include "shared/core/CaseFold.h"
#include "shared/core/NumberText.h"

#include <algorithm>

namespace pw::model {

std::string UnreadText(const BomModel& model) {
    if (model.Unread.empty()) {
        return {};
    }
    return CountedText(static_cast<std::int64_t>(model.Unread.size()), "part", "parts") +
           " of the assembly could not be read, so the tree, the lists and the totals are "
           "incomplete; the first: " +
           model.Unread.front();
}

// A file's first record carries its count of 1; the top assembly's record is counted too.
std::int64_t OutOfDateMassCount(const BomModel& model) {
    return std::count_if(model.FileData.begin(), model.FileData.end(),
                         [](const std::shared_ptr<clsFileData>& record) {
                             return record->MassOutOfDate && record->Quantity >= 1;
                         });
}

std::string OutOfDateMassText(std::int64_t count) {
    if (count == 0) {
        return {};
    }
    return CountedText(count, "part has", "parts have") + " no up-to-date mass; open and save " +
           (count == 1 ? "it" : "them") + " in Inventor to update it";
}

std::string TopFolder(const BomModel& model) {
    const auto top = model.FileData.Item(1);
    if (!top) {
        return {};
    }
    const auto slash = top->FileName.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : top->FileName.substr(0, slash + 1);
}

std::string PathBelow(const std::string& path, const std::string& folder) {
    return !folder.empty() && path.size() > folder.size() &&
                   EqualsIgnoringCase(std::string_view(path).substr(0, folder.size()), folder)
               ? path.substr(folder.size())
               : path;
}

} // namespace pw::model
