#pragma once

#include "partwright/shell/RegistryApi.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

// An in-memory registry for the window's tests, answering like advapi32 where reading and writing
// the verb depends on it: key and value names compared without regard to letter case and created
// with the case given, default values, types and sizes, ERROR_MORE_DATA, missing keys and values,
// and access refused on chosen keys. Its "ANSI code page" is UTF-8, so text is stored as given.
// The registry accessor itself is tested against the real registry.
namespace pw::fakes {

class MemoryRegistry : public shell::RegistryApi {
public:
    struct StoredValue {
        std::string name;
        std::uint32_t type = 0;
        shell::Bytes data;
    };

    MemoryRegistry();
    ~MemoryRegistry() override;

    // Keys below which creating keys, writing and deleting is refused (ERROR_ACCESS_DENIED).
    void DenyWrites(std::int32_t root, const std::string& path);

    // Inspection for tests: the value, or nothing when the key or value is absent.
    const StoredValue* Find(std::int32_t root, const std::string& path,
                            const std::string& valueName) const;
    // The key's name with the letter case it was created with.
    std::string KeyNameAsCreated(std::int32_t root, const std::string& path) const;
    void Store(std::int32_t root, const std::string& path, const std::string& valueName,
               std::uint32_t type, const shell::Bytes& data);
    std::size_t OpenHandles() const { return handles_.size(); }

    long OpenKeyEx(shell::RegHandle root, const std::string& subKey, std::uint32_t options,
                   std::uint32_t access, shell::RegHandle& result) override;
    long CreateKeyEx(shell::RegHandle root, const std::string& subKey, const std::string& keyClass,
                     std::uint32_t options, std::uint32_t access,
                     shell::RegHandle& result) override;
    long QueryValueEx(shell::RegHandle key, const std::string& valueName, std::uint32_t& type,
                      std::uint8_t* data, std::uint32_t& size) override;
    long SetValueEx(shell::RegHandle key, const std::string& valueName, std::uint32_t reserved,
                    std::uint32_t type, const std::uint8_t* data, std::uint32_t size) override;
    long DeleteKey(shell::RegHandle root, const std::string& subKey) override;
    long DeleteValue(shell::RegHandle key, const std::string& valueName) override;
    long QueryInfoKey(shell::RegHandle key, std::uint32_t& maxValueNameLength) override;
    long EnumValue(shell::RegHandle key, std::uint32_t index, std::string& name,
                   std::uint32_t& nameSize) override;
    long EnumKey(shell::RegHandle key, std::uint32_t index, std::string& name,
                 std::uint32_t nameSize) override;
    long CloseKey(shell::RegHandle key) override;
    std::uint32_t ExpandEnvironment(const std::string& source, std::string& expanded,
                                    std::uint32_t size) override;
    shell::Bytes TextToAnsi(const std::string& utf8) override;
    std::string AnsiToText(const shell::Bytes& ansi) override;

private:
    struct Key;
    struct OpenedKey {
        Key* key;
        bool writable;
    };

    Key* Root(shell::RegHandle root) const;
    Key* Walk(Key* from, const std::string& path, bool create) const;
    bool WriteDenied(const Key* key) const;
    const OpenedKey* Opened(shell::RegHandle key) const;
    shell::RegHandle NewHandle(Key* key, bool writable);

    std::map<std::int32_t, std::unique_ptr<Key>> roots_;
    std::map<shell::RegHandle, OpenedKey> handles_;
    shell::RegHandle nextHandle_ = 0x1000;
};

} // namespace pw::fakes
