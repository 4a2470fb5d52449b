#include "MemoryRegistry.h"

#include "shared/core/CaseFold.h"

#include <algorithm>

namespace pw::fakes {

using namespace shell;

struct MemoryRegistry::Key {
    std::string name;
    Key* parent = nullptr;
    bool writesDenied = false;
    std::map<std::string, std::unique_ptr<Key>> children; // by folded name
    std::vector<StoredValue> values;                      // in order of creation

    StoredValue* Value(const std::string& valueName) {
        const std::string folded = FoldCase(valueName);
        for (StoredValue& value : values) {
            if (FoldCase(value.name) == folded) {
                return &value;
            }
        }
        return nullptr;
    }
};

namespace {

constexpr long kNotImplemented = 120; // ERROR_CALL_NOT_IMPLEMENTED

std::vector<std::string> Components(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (const char c : path) {
        if (c == '\\') {
            if (!part.empty()) {
                parts.push_back(part);
            }
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) {
        parts.push_back(part);
    }
    return parts;
}

} // namespace

MemoryRegistry::MemoryRegistry() {
    for (const std::int32_t root : {kClassesRoot, kCurrentUser, kLocalMachine}) {
        roots_[root] = std::make_unique<Key>();
    }
}

MemoryRegistry::~MemoryRegistry() = default;

MemoryRegistry::Key* MemoryRegistry::Root(RegHandle root) const {
    const auto found = roots_.find(static_cast<std::int32_t>(root));
    if (found != roots_.end() && static_cast<RegHandle>(found->first) == root) {
        return found->second.get();
    }
    if (const OpenedKey* opened = Opened(root)) {
        return opened->key;
    }
    return nullptr;
}

MemoryRegistry::Key* MemoryRegistry::Walk(Key* from, const std::string& path, bool create) const {
    Key* key = from;
    for (const std::string& part : Components(path)) {
        const std::string folded = FoldCase(part);
        if (const auto found = key->children.find(folded); found != key->children.end()) {
            key = found->second.get();
            continue;
        }
        if (!create || WriteDenied(key)) {
            return nullptr;
        }
        auto child = std::make_unique<Key>();
        child->name = part;
        child->parent = key;
        key = key->children.emplace(folded, std::move(child)).first->second.get();
    }
    return key;
}

bool MemoryRegistry::WriteDenied(const Key* key) const {
    for (; key; key = key->parent) {
        if (key->writesDenied) {
            return true;
        }
    }
    return false;
}

const MemoryRegistry::OpenedKey* MemoryRegistry::Opened(RegHandle key) const {
    const auto found = handles_.find(key);
    return found == handles_.end() ? nullptr : &found->second;
}

RegHandle MemoryRegistry::NewHandle(Key* key, bool writable) {
    const RegHandle handle = nextHandle_++;
    handles_[handle] = {key, writable};
    return handle;
}

void MemoryRegistry::DenyWrites(std::int32_t root, const std::string& path) {
    Walk(roots_.at(root).get(), path, true)->writesDenied = true;
}

const MemoryRegistry::StoredValue* MemoryRegistry::Find(std::int32_t root, const std::string& path,
                                                        const std::string& valueName) const {
    Key* key = Walk(roots_.at(root).get(), path, false);
    return key ? key->Value(valueName) : nullptr;
}

std::string MemoryRegistry::KeyNameAsCreated(std::int32_t root, const std::string& path) const {
    Key* key = Walk(roots_.at(root).get(), path, false);
    return key ? key->name : std::string();
}

void MemoryRegistry::Store(std::int32_t root, const std::string& path, const std::string& valueName,
                           std::uint32_t type, const Bytes& data) {
    Key* key = Walk(roots_.at(root).get(), path, true);
    if (StoredValue* value = key->Value(valueName)) {
        *value = {value->name, type, data};
    } else {
        key->values.push_back({valueName, type, data});
    }
}

long MemoryRegistry::OpenKeyEx(RegHandle root, const std::string& subKey, std::uint32_t,
                               std::uint32_t access, RegHandle& result) {
    result = 0;
    Key* base = Root(root);
    if (!base) {
        return kInvalidHandle;
    }
    Key* key = Walk(base, subKey, false);
    if (!key) {
        return kFileNotFound;
    }
    const bool writable = (access & ~(kKeyQueryValue | kKeyEnumerateSubKeys)) != 0;
    if (writable && WriteDenied(key)) {
        return kAccessDenied;
    }
    result = NewHandle(key, writable);
    return kSuccess;
}

long MemoryRegistry::CreateKeyEx(RegHandle root, const std::string& subKey, const std::string&,
                                 std::uint32_t, std::uint32_t, RegHandle& result) {
    result = 0;
    Key* base = Root(root);
    if (!base) {
        return kInvalidHandle;
    }
    Key* key = Walk(base, subKey, true);
    if (!key || WriteDenied(key)) {
        return kAccessDenied;
    }
    result = NewHandle(key, true);
    return kSuccess;
}

long MemoryRegistry::QueryValueEx(RegHandle key, const std::string& valueName, std::uint32_t& type,
                                  std::uint8_t* data, std::uint32_t& size) {
    const OpenedKey* opened = Opened(key);
    if (!opened) {
        return kInvalidHandle;
    }
    const StoredValue* value = opened->key->Value(valueName);
    if (!value) {
        return kFileNotFound;
    }
    type = value->type;
    const auto needed = static_cast<std::uint32_t>(value->data.size());
    if (!data) {
        size = needed;
        return kSuccess;
    }
    if (size < needed) {
        size = needed;
        return kMoreData;
    }
    std::copy(value->data.begin(), value->data.end(), data);
    size = needed;
    return kSuccess;
}

long MemoryRegistry::SetValueEx(RegHandle key, const std::string& valueName, std::uint32_t,
                                std::uint32_t type, const std::uint8_t* data, std::uint32_t size) {
    const OpenedKey* opened = Opened(key);
    if (!opened) {
        return kInvalidHandle;
    }
    if (!opened->writable || WriteDenied(opened->key)) {
        return kAccessDenied;
    }
    const Bytes bytes(data, data + size);
    if (StoredValue* value = opened->key->Value(valueName)) {
        value->type = type;
        value->data = bytes;
    } else {
        opened->key->values.push_back({valueName, type, bytes});
    }
    return kSuccess;
}

// The window only reads and writes: deleting and enumerating are not needed of this registry.
long MemoryRegistry::DeleteKey(RegHandle, const std::string&) {
    return kNotImplemented;
}
long MemoryRegistry::DeleteValue(RegHandle, const std::string&) {
    return kNotImplemented;
}
long MemoryRegistry::QueryInfoKey(RegHandle, std::uint32_t&) {
    return kNotImplemented;
}
long MemoryRegistry::EnumValue(RegHandle, std::uint32_t, std::string&, std::uint32_t&) {
    return kNotImplemented;
}
long MemoryRegistry::EnumKey(RegHandle, std::uint32_t, std::string&, std::uint32_t) {
    return kNotImplemented;
}

long MemoryRegistry::CloseKey(RegHandle key) {
    return handles_.erase(key) == 1 ? kSuccess : kInvalidHandle;
}

// An empty environment: every reference stays as written.
std::uint32_t MemoryRegistry::ExpandEnvironment(const std::string& source, std::string& expanded,
                                                std::uint32_t size) {
    const auto needed = static_cast<std::uint32_t>(source.size() + 1);
    if (size >= needed) {
        expanded = source;
    }
    return needed;
}

Bytes MemoryRegistry::TextToAnsi(const std::string& utf8) {
    return Bytes(utf8.begin(), utf8.end());
}

std::string MemoryRegistry::AnsiToText(const Bytes& ansi) {
    return std::string(ansi.begin(), ansi.end());
}

} // namespace pw::fakes
