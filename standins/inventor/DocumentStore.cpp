#include "DocumentStore.h"

#include "shared/core/CaseFold.h"

namespace pw::standins {

DocumentStore::DocumentStore(Loader loader) : loader_(std::move(loader)) {}

StandinDocument& DocumentStore::Add(const std::string& path) {
    std::shared_ptr<StandinDocument>& document = added_[FoldCase(path)];
    if (!document) {
        document = std::make_shared<StandinDocument>();
    }
    document->fullFileName = path;
    document->displayName = path.substr(path.find_last_of('\\') + 1);
    return *document;
}

StandinDocument& DocumentStore::At(const std::string& path) {
    return *added_.at(FoldCase(path));
}

std::shared_ptr<const StandinDocument> DocumentStore::Find(const std::string& path) {
    const std::string key = FoldCase(path);
    if (const auto added = added_.find(key); added != added_.end()) {
        return added->second;
    }
    if (!loader_) {
        return nullptr;
    }
    if (const auto read = read_.find(key); read != read_.end()) {
        return read->second;
    }
    return read_.emplace(key, loader_(path)).first->second;
}

void DocumentStore::ForgetRead() {
    read_.clear();
}

} // namespace pw::standins
