#include "QuantityListing.h"

#include "VirtualKey.h"
#include "shared/core/Checked.h"
#include "shared/core/NumberText.h"

namespace pw::model {

void QuantityListing::Clear(ListingReport& view) {
    view.FileListStarted();
    rows_.clear();
}

void QuantityListing::CalculateQuantities(const colDupes& dupes, ListingReport& view) {
    Clear(view);
    view.SetStatus("Calculating Quantities...");
    if (!view.YieldGoesOn()) {
        return;
    }
    // Wider than the entries' own counts: more than 32767 distinct files must still list.
    std::int32_t listed = 0;
    for (const auto& entry : dupes) {
        if (entry->Quantity <= 0) {
            continue;
        }
        const std::string shown = entry->Virtual ? VirtualShown(entry->FileName) : entry->FileName;
        view.FileListed("(" + IntegerText(entry->Quantity) + ")\t" + shown);
        rows_.push_back(entry);
        listed = checked::Add(listed, 1);
        if (!view.YieldGoesOn()) {
            return;
        }
    }
    view.SetStatus("Found " + IntegerText(listed) + " Unique Parts or Assemblies");
    view.DoEvents();
}

std::shared_ptr<clsDupe> QuantityListing::EntryOfRow(std::int32_t row) const {
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size()) {
        return nullptr;
    }
    return rows_[static_cast<std::size_t>(row)];
}

} // namespace pw::model
