#pragma once

#include "StandinDocument.h"

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

namespace pw::standins {

// The documents Apprentice can open, by path in any letter case: those added in memory, and
// those a loader reads when first asked for (the stand-in's JSON files).
class DocumentStore {
public:
    using Loader = std::function<std::shared_ptr<const StandinDocument>(const std::string& path)>;

    explicit DocumentStore(Loader loader = {});

    // The document at path, added in memory when new.
    StandinDocument& Add(const std::string& path);
    // A document added in memory; throws std::out_of_range when there is none.
    StandinDocument& At(const std::string& path);
    // The document at path, or nothing when there is none (a missing file).
    std::shared_ptr<const StandinDocument> Find(const std::string& path);
    // Read documents are read afresh from now on, as Apprentice rereads the files of a newly
    // opened top document.
    void ForgetRead();

private:
    Loader loader_;
    std::unordered_map<std::string, std::shared_ptr<StandinDocument>> added_; // by folded path
    std::unordered_map<std::string, std::shared_ptr<const StandinDocument>> read_;
};

} // namespace pw::standins
