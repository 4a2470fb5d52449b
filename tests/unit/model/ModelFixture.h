#pragma once

#include "partwright/model/AssemblyLoader.h"
#include "standins/inventor/StandinInventor.h"
#include "tests/fakes/RecordingView.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace pw::model {

// A load against the stand-in Inventor in memory, with a window that records what it is shown.
class ModelFixture : public testing::Test {
protected:
    standins::StandinInventor inventor;
    fakes::RecordingView view;
    BomModel model;
    QuantityListing listing;
    AssemblyLoader loader{model, listing, view, inventor};

    void Load(const std::string& path) {
        view.fileNameText = path;
        loader.LoadAssembly();
    }

    std::vector<std::int32_t> RecordQuantities() const {
        std::vector<std::int32_t> quantities;
        for (const auto& record : model.FileData) {
            quantities.push_back(record->Quantity);
        }
        return quantities;
    }

    std::int32_t EntryQuantity(const std::string& key) const {
        const auto entry = model.Dupes.Find(key);
        return entry ? entry->Quantity : 0;
    }
};

} // namespace pw::model
