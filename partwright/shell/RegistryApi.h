#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The registry entry points the accessor needs, with the arguments and results of advapi32's ANSI
// functions. Names are UTF-8 here; value data are the stored bytes, text in the ANSI code page,
// which the port converts on request.
namespace pw::shell {

// An HKEY as a number: the predefined roots are the sign-extended 32-bit root values.
using RegHandle = std::intptr_t;

inline constexpr std::int32_t kClassesRoot = static_cast<std::int32_t>(0x80000000u);
inline constexpr std::int32_t kCurrentUser = static_cast<std::int32_t>(0x80000001u);
inline constexpr std::int32_t kLocalMachine = static_cast<std::int32_t>(0x80000002u);

inline constexpr long kSuccess = 0;
inline constexpr long kFileNotFound = 2;
inline constexpr long kAccessDenied = 5;
inline constexpr long kInvalidHandle = 6;
inline constexpr long kInvalidData = 13;
inline constexpr long kMoreData = 234;
inline constexpr long kNoMoreItems = 259;

inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegDwordBigEndian = 5;
inline constexpr std::uint32_t kRegLink = 6;
inline constexpr std::uint32_t kRegMultiSz = 7;

inline constexpr std::uint32_t kKeyQueryValue = 1;
inline constexpr std::uint32_t kKeyEnumerateSubKeys = 8;
inline constexpr std::uint32_t kKeyAllSpecificRights = 0x3F;

using Bytes = std::vector<std::uint8_t>;

class RegistryApi {
public:
    virtual ~RegistryApi() = default;

    virtual long OpenKeyEx(RegHandle root, const std::string& subKey, std::uint32_t options,
                           std::uint32_t access, RegHandle& result) = 0;
    virtual long CreateKeyEx(RegHandle root, const std::string& subKey, const std::string& keyClass,
                             std::uint32_t options, std::uint32_t access, RegHandle& result) = 0;
    // With data null, only type and size are asked for; ERROR_MORE_DATA when size is too small.
    virtual long QueryValueEx(RegHandle key, const std::string& valueName, std::uint32_t& type,
                              std::uint8_t* data, std::uint32_t& size) = 0;
    virtual long SetValueEx(RegHandle key, const std::string& valueName, std::uint32_t reserved,
                            std::uint32_t type, const std::uint8_t* data, std::uint32_t size) = 0;
    virtual long DeleteKey(RegHandle root, const std::string& subKey) = 0;
    virtual long DeleteValue(RegHandle key, const std::string& valueName) = 0;
    // Only the length of the longest value name, in characters.
    virtual long QueryInfoKey(RegHandle key, std::uint32_t& maxValueNameLength) = 0;
    // nameSize: the buffer's size in characters; on success the name's length.
    virtual long EnumValue(RegHandle key, std::uint32_t index, std::string& name,
                           std::uint32_t& nameSize) = 0;
    // name receives the buffer of nameSize characters as the function fills it.
    virtual long EnumKey(RegHandle key, std::uint32_t index, std::string& name,
                         std::uint32_t nameSize) = 0;
    virtual long CloseKey(RegHandle key) = 0;
    // Returns the size the expansion needs, terminator included; fills `expanded` when size
    // is large enough.
    virtual std::uint32_t ExpandEnvironment(const std::string& source, std::string& expanded,
                                            std::uint32_t size) = 0;

    // Stored text is in the ANSI code page.
    virtual Bytes TextToAnsi(const std::string& utf8) = 0;
    virtual std::string AnsiToText(const Bytes& ansi) = 0;
};

inline RegHandle RootHandle(std::int32_t classKey) {
    return static_cast<RegHandle>(classKey);
}

} // namespace pw::shell
