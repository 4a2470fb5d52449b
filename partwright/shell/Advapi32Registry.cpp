#include "Advapi32Registry.h"

#include "shared/com/TextConvert.h"

#include <windows.h>

namespace pw::shell {
namespace {

HKEY ToHkey(RegHandle handle) {
    return reinterpret_cast<HKEY>(handle);
}
RegHandle FromHkey(HKEY key) {
    return reinterpret_cast<RegHandle>(key);
}
std::string Ansi(const std::string& utf8) {
    return com::Utf8ToAnsi(utf8);
}

} // namespace

long Advapi32Registry::OpenKeyEx(RegHandle root, const std::string& subKey, std::uint32_t options,
                                 std::uint32_t access, RegHandle& result) {
    HKEY key = nullptr;
    const LONG status = ::RegOpenKeyExA(ToHkey(root), Ansi(subKey).c_str(), options, access, &key);
    result = FromHkey(key);
    return status;
}

long Advapi32Registry::CreateKeyEx(RegHandle root, const std::string& subKey,
                                   const std::string& keyClass, std::uint32_t options,
                                   std::uint32_t access, RegHandle& result) {
    HKEY key = nullptr;
    std::string className = Ansi(keyClass);
    const LONG status = ::RegCreateKeyExA(ToHkey(root), Ansi(subKey).c_str(), 0, className.data(),
                                          options, access, nullptr, &key, nullptr);
    result = FromHkey(key);
    return status;
}

long Advapi32Registry::QueryValueEx(RegHandle key, const std::string& valueName,
                                    std::uint32_t& type, std::uint8_t* data, std::uint32_t& size) {
    DWORD foundType = 0;
    DWORD bytes = size;
    const LONG status =
        ::RegQueryValueExA(ToHkey(key), Ansi(valueName).c_str(), nullptr, &foundType, data, &bytes);
    type = foundType;
    size = bytes;
    return status;
}

long Advapi32Registry::SetValueEx(RegHandle key, const std::string& valueName,
                                  std::uint32_t reserved, std::uint32_t type,
                                  const std::uint8_t* data, std::uint32_t size) {
    return ::RegSetValueExA(ToHkey(key), Ansi(valueName).c_str(), reserved, type, data, size);
}

long Advapi32Registry::DeleteKey(RegHandle root, const std::string& subKey) {
    return ::RegDeleteKeyA(ToHkey(root), Ansi(subKey).c_str());
}

long Advapi32Registry::DeleteValue(RegHandle key, const std::string& valueName) {
    return ::RegDeleteValueA(ToHkey(key), Ansi(valueName).c_str());
}

long Advapi32Registry::QueryInfoKey(RegHandle key, std::uint32_t& maxValueNameLength) {
    DWORD longest = 0;
    const LONG status = ::RegQueryInfoKeyA(ToHkey(key), nullptr, nullptr, nullptr, nullptr, nullptr,
                                           nullptr, nullptr, &longest, nullptr, nullptr, nullptr);
    maxValueNameLength = longest;
    return status;
}

long Advapi32Registry::EnumValue(RegHandle key, std::uint32_t index, std::string& name,
                                 std::uint32_t& nameSize) {
    std::string buffer(nameSize, '\0');
    DWORD length = nameSize;
    const LONG status = ::RegEnumValueA(ToHkey(key), index, buffer.data(), &length, nullptr,
                                        nullptr, nullptr, nullptr);
    if (status == ERROR_SUCCESS) {
        name = com::AnsiToUtf8(std::string_view(buffer.data(), length));
        nameSize = static_cast<std::uint32_t>(name.size());
    }
    return status;
}

long Advapi32Registry::EnumKey(RegHandle key, std::uint32_t index, std::string& name,
                               std::uint32_t nameSize) {
    std::string buffer(nameSize, '\0');
    const LONG status = ::RegEnumKeyA(ToHkey(key), index, buffer.data(), nameSize);
    if (status == ERROR_SUCCESS) {
        name = com::AnsiToUtf8(buffer.substr(0, buffer.find('\0')));
    }
    return status;
}

long Advapi32Registry::CloseKey(RegHandle key) {
    return ::RegCloseKey(ToHkey(key));
}

std::uint32_t Advapi32Registry::ExpandEnvironment(const std::string& source, std::string& expanded,
                                                  std::uint32_t size) {
    const std::string ansi = Ansi(source);
    if (size == 0) {
        return ::ExpandEnvironmentStringsA(ansi.c_str(), nullptr, 0);
    }
    std::string buffer(size, '\0');
    const DWORD needed = ::ExpandEnvironmentStringsA(ansi.c_str(), buffer.data(), size);
    if (needed != 0 && needed <= size) {
        expanded = com::AnsiToUtf8(buffer.substr(0, buffer.find('\0')));
    }
    return needed;
}

Bytes Advapi32Registry::TextToAnsi(const std::string& utf8) {
    const std::string ansi = Ansi(utf8);
    return Bytes(ansi.begin(), ansi.end());
}

std::string Advapi32Registry::AnsiToText(const Bytes& ansi) {
    return com::AnsiToUtf8(
        std::string_view(reinterpret_cast<const char*>(ansi.data()), ansi.size()));
}

} // namespace pw::shell
