#pragma once

#include "RaisedError.h"
#include "RegistryApi.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace pw::shell {

// What a registry value holds for the accessor: text, a 16-bit or 32-bit integer, bytes, or
// nothing.
using RegValue = std::variant<std::monostate, std::string, std::int16_t, std::int32_t, Bytes>;

inline constexpr std::int32_t kErrRegistry = 26001;
inline constexpr std::int32_t kErrSetValue = static_cast<std::int32_t>(0x800469A9u);
inline constexpr std::int32_t kErrEnumerate = static_cast<std::int32_t>(0x800469AAu);
inline constexpr std::int32_t kErrAssociationList = static_cast<std::int32_t>(0x800469ACu);
inline constexpr std::int32_t kErrNoClass = static_cast<std::int32_t>(0x800469ADu);

// A stateful accessor: set where to work (ClassKey, SectionKey, ValueKey, ValueType), then call
// one operation. Each operation opens its key afresh and closes it before returning. Failures
// are raised as RaisedError; the reading members never raise.
class cRegistry {
public:
    // exeName: the running executable's name, the first part of every raised error's source.
    cRegistry(RegistryApi& api, const std::string& exeName);

    std::int32_t ClassKey() const { return classKey_; }
    void ClassKey(std::int32_t eKey) { classKey_ = eKey; }
    const std::string& SectionKey() const { return sectionKey_; }
    void SectionKey(const std::string& sSectionKey) { sectionKey_ = sSectionKey; }
    const std::string& ValueKey() const { return valueKey_; }
    void ValueKey(const std::string& sValueKey) { valueKey_ = sValueKey; }
    std::int32_t ValueType() const { return valueType_; }
    void ValueType(std::int32_t eValueType) { valueType_ = eValueType; }
    const RegValue& Default() const { return default_; }
    void Default(const RegValue& vDefault) { default_ = vDefault; }

    bool KeyExists();
    bool CreateKey();
    bool DeleteKey();
    bool DeleteValue();
    RegValue Value();
    void Value(const RegValue& vValue);
    // The names found, in the registry's order; the count is their number.
    bool EnumerateValues(std::vector<std::string>& sKeyNames, std::int32_t& iKeyCount);
    bool EnumerateSections(std::vector<std::string>& sSect, std::int32_t& iSectCount);

    void CreateEXEAssociation(std::string sExePath, const std::string& sClassName,
                              const std::string& sClassDescription, const std::string& sAssociation,
                              const std::string& sOpenMenuText = "&Open",
                              bool bSupportPrint = false,
                              const std::string& sPrintMenuText = "&Print",
                              bool bSupportNew = false, const std::string& sNewMenuText = "&New",
                              bool bSupportInstall = false,
                              const std::string& sInstallMenuText = "",
                              std::int32_t lDefaultIconIndex = -1);
    // vItems: triples of verb name, menu text and command.
    void CreateAdditionalEXEAssociations(const std::string& sClassName,
                                         const std::vector<std::string>& vItems);

    static std::int32_t ReverseBytes(std::int32_t value);
    std::string ExpandEnvironmentText(const std::string& text);

private:
    class OpenKey;

    [[noreturn]] void Raise(std::int32_t number, const std::string& message) const;
    std::string SetValueMessage(const RegValue& vValue) const;
    RegValue ReadData(RegHandle key, std::uint32_t type, std::uint32_t size);
    long StoreValue(RegHandle key, const RegValue& vValue);
    void WriteClassValue(const std::string& text);

    RegistryApi& api_;
    std::string source_;
    std::int32_t classKey_ = 0;
    std::string sectionKey_;
    std::string valueKey_;
    std::int32_t valueType_ = 0;
    RegValue default_;
};

} // namespace pw::shell
