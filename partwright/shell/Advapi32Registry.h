#pragma once

#include "RegistryApi.h"

namespace pw::shell {

// The registry port over advapi32's ANSI entry points: names converted from UTF-8 to the ANSI
// code page, data passed as stored.
class Advapi32Registry : public RegistryApi {
public:
    long OpenKeyEx(RegHandle root, const std::string& subKey, std::uint32_t options,
                   std::uint32_t access, RegHandle& result) override;
    long CreateKeyEx(RegHandle root, const std::string& subKey, const std::string& keyClass,
                     std::uint32_t options, std::uint32_t access, RegHandle& result) override;
    long QueryValueEx(RegHandle key, const std::string& valueName, std::uint32_t& type,
                      std::uint8_t* data, std::uint32_t& size) override;
    long SetValueEx(RegHandle key, const std::string& valueName, std::uint32_t reserved,
                    std::uint32_t type, const std::uint8_t* data, std::uint32_t size) override;
    long DeleteKey(RegHandle root, const std::string& subKey) override;
    long DeleteValue(RegHandle key, const std::string& valueName) override;
    long QueryInfoKey(RegHandle key, std::uint32_t& maxValueNameLength) override;
    long EnumValue(RegHandle key, std::uint32_t index, std::string& name,
                   std::uint32_t& nameSize) override;
    long EnumKey(RegHandle key, std::uint32_t index, std::string& name,
                 std::uint32_t nameSize) override;
    long CloseKey(RegHandle key) override;
    std::uint32_t ExpandEnvironment(const std::string& source, std::string& expanded,
                                    std::uint32_t size) override;
    Bytes TextToAnsi(const std::string& utf8) override;
    std::string AnsiToText(const Bytes& ansi) override;
};

} // namespace pw::shell
