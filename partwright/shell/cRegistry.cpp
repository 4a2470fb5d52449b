#include "cRegistry.h"

#include "shared/core/NumberText.h"
#include "shared/core/Step.h"

#include <cstdio>

namespace pw::shell {
namespace {

// Text that holds a percent sign and another one at least two places later names environment
// variables, so it is stored as REG_EXPAND_SZ.
bool NamesVariables(const std::string& text) {
    const auto first = text.find('%');
    return first != std::string::npos && text.find('%', first + 2) != std::string::npos;
}

std::string HexOf(const Bytes& bytes) {
    std::string text;
    for (const std::uint8_t byte : bytes) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02X", byte);
        text += text.empty() ? "" : " ";
        text += pair;
    }
    return text;
}

std::string TextOf(const RegValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    if (const auto* number = std::get_if<std::int16_t>(&value)) {
        return IntegerText(*number);
    }
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
        return IntegerText(*number);
    }
    if (const auto* bytes = std::get_if<Bytes>(&value)) {
        return HexOf(*bytes);
    }
    return {};
}

Bytes LittleEndian(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    return {static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
            static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24)};
}

std::int32_t FromLittleEndian(const Bytes& bytes) {
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < bytes.size() && i < 4; ++i) {
        bits |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    }
    return static_cast<std::int32_t>(bits);
}

} // namespace

// One opened key, closed when the operation that opened it ends.
class cRegistry::OpenKey {
public:
    OpenKey(RegistryApi& api, RegHandle handle) : api_(api), handle_(handle) {}
    ~OpenKey() {
        if (handle_ != 0) {
            api_.CloseKey(handle_);
        }
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    RegHandle get() const { return handle_; }

private:
    RegistryApi& api_;
    RegHandle handle_;
};

cRegistry::cRegistry(RegistryApi& api, const std::string& exeName)
    : api_(api), source_(exeName + ".cRegistry") {}

void cRegistry::Raise(std::int32_t number, const std::string& message) const {
    throw RaisedError(number, source_, message);
}

bool cRegistry::KeyExists() {
    RegHandle handle = 0;
    const long result =
        api_.OpenKeyEx(RootHandle(classKey_), sectionKey_, 0, kKeyQueryValue, handle);
    OpenKey key(api_, result == kSuccess ? handle : 0);
    return result == kSuccess;
}

bool cRegistry::CreateKey() {
    RegHandle handle = 0;
    if (api_.CreateKeyEx(RootHandle(classKey_), sectionKey_, "", 0, kKeyAllSpecificRights,
                         handle) != kSuccess) {
        Raise(kErrRegistry, "Failed to create registry Key: '" + sectionKey_);
    }
    OpenKey key(api_, handle);
    return true;
}

bool cRegistry::DeleteKey() {
    if (api_.DeleteKey(RootHandle(classKey_), sectionKey_) != kSuccess) {
        Raise(kErrRegistry, "Failed to delete registry Key: '" + IntegerText(classKey_) +
                                "',Section: '" + sectionKey_);
    }
    return true;
}

bool cRegistry::DeleteValue() {
    RegHandle handle = 0;
    if (api_.OpenKeyEx(RootHandle(classKey_), sectionKey_, 0, kKeyAllSpecificRights, handle) !=
        kSuccess) {
        Raise(kErrRegistry, "Failed to open key '" + IntegerText(classKey_) + "',Section: '" +
                                sectionKey_ + "' for delete access");
    }
    OpenKey key(api_, handle);
    if (api_.DeleteValue(key.get(), valueKey_) != kSuccess) {
        Raise(kErrRegistry, "Failed to delete registry Key: '" + IntegerText(classKey_) +
                                "',Section: '" + sectionKey_ + "',Key: '" + valueKey_);
    }
    return true;
}

RegValue cRegistry::Value() {
    RegValue result = default_;
    RunStep([&] {
        RegHandle handle = 0;
        const long opened =
            api_.OpenKeyEx(RootHandle(classKey_), sectionKey_, 0, kKeyQueryValue, handle);
        OpenKey key(api_, opened == kSuccess ? handle : 0);
        std::uint32_t type = 0;
        std::uint32_t size = 0;
        const long asked = api_.QueryValueEx(key.get(), valueKey_, type, nullptr, size);
        if (asked != kSuccess && asked != kMoreData) {
            return;
        }
        valueType_ = static_cast<std::int32_t>(type);
        result = ReadData(key.get(), type, size);
    });
    return result;
}

RegValue cRegistry::ReadData(RegHandle key, std::uint32_t type, std::uint32_t size) {
    Bytes data(size);
    if (api_.QueryValueEx(key, valueKey_, type, data.data(), size) != kSuccess) {
        return default_;
    }
    data.resize(size);
    switch (type) {
    case kRegSz:
    case kRegExpandSz:
    case kRegMultiSz: {
        // Only the terminator goes: a value stored without one keeps all its characters.
        if (!data.empty() && data.back() == 0) {
            data.pop_back();
        }
        const std::string text = api_.AnsiToText(data);
        return type == kRegExpandSz ? ExpandEnvironmentText(text) : text;
    }
    case kRegDword:
        return FromLittleEndian(data);
    case kRegDwordBigEndian:
        return ReverseBytes(FromLittleEndian(data));
    default:
        return data;
    }
}

std::string cRegistry::SetValueMessage(const RegValue& vValue) const {
    return "Failed to set registry value Key: '" + IntegerText(classKey_) + "',Section: '" +
           sectionKey_ + "',Key: '" + valueKey_ + "' to value: '" + TextOf(vValue) + "'";
}

void cRegistry::Value(const RegValue& vValue) {
    RegHandle handle = 0;
    if (api_.CreateKeyEx(RootHandle(classKey_), sectionKey_, "", 0, kKeyAllSpecificRights,
                         handle) != kSuccess) {
        Raise(kErrRegistry, SetValueMessage(vValue));
    }
    OpenKey key(api_, handle);
    if (StoreValue(key.get(), vValue) != kSuccess) {
        Raise(kErrSetValue, SetValueMessage(vValue));
    }
}

long cRegistry::StoreValue(RegHandle key, const RegValue& vValue) {
    switch (static_cast<std::uint32_t>(valueType_)) {
    case kRegSz:
    case kRegExpandSz: {
        const std::string text = TextOf(vValue);
        Bytes data = api_.TextToAnsi(text);
        data.push_back(0);
        return api_.SetValueEx(key, valueKey_, 0, NamesVariables(text) ? kRegExpandSz : kRegSz,
                               data.data(), static_cast<std::uint32_t>(data.size()));
    }
    case kRegBinary: {
        const auto* bytes = std::get_if<Bytes>(&vValue);
        if (!bytes) {
            Raise(kErrRegistry, "Application-defined or object-defined error");
        }
        return api_.SetValueEx(key, valueKey_, 0, kRegBinary, bytes->data(),
                               static_cast<std::uint32_t>(bytes->size()));
    }
    case kRegDword:
    case kRegDwordBigEndian: {
        std::int32_t number = 0;
        if (const auto* small = std::get_if<std::int16_t>(&vValue)) {
            number = *small;
        } else if (const auto* large = std::get_if<std::int32_t>(&vValue)) {
            number = *large;
        } else {
            return kInvalidData; // storing nothing and saying so, rather than pretending
        }
        const Bytes data = LittleEndian(number);
        return api_.SetValueEx(key, valueKey_, 0, kRegDword, data.data(), 4);
    }
    default:
        return kInvalidData;
    }
}

bool cRegistry::EnumerateValues(std::vector<std::string>& sKeyNames, std::int32_t& iKeyCount) {
    sKeyNames.clear();
    iKeyCount = 0;
    RegHandle handle = 0;
    if (api_.OpenKeyEx(RootHandle(classKey_), sectionKey_, 0, kKeyQueryValue, handle) != kSuccess) {
        return true;
    }
    OpenKey key(api_, handle);
    std::uint32_t longest = 0;
    api_.QueryInfoKey(key.get(), longest);
    for (std::uint32_t index = 0;; ++index) {
        std::string name;
        std::uint32_t size = longest + 1;
        if (api_.EnumValue(key.get(), index, name, size) != kSuccess) {
            break;
        }
        sKeyNames.push_back(name.substr(0, size));
    }
    iKeyCount = static_cast<std::int32_t>(sKeyNames.size());
    return true;
}

bool cRegistry::EnumerateSections(std::vector<std::string>& sSect, std::int32_t& iSectCount) {
    sSect.clear();
    iSectCount = 0;
    RegHandle handle = 0;
    if (api_.OpenKeyEx(RootHandle(classKey_), sectionKey_, 0, kKeyEnumerateSubKeys, handle) !=
        kSuccess) {
        return true;
    }
    OpenKey key(api_, handle);
    try {
        for (std::uint32_t index = 0;; ++index) {
            std::string name(255, '\0');
            if (api_.EnumKey(key.get(), index, name, 255) != kSuccess) {
                break;
            }
            sSect.push_back(name.substr(0, name.find('\0')));
        }
    } catch (const Failure& failure) {
        Raise(kErrEnumerate, failure.what());
    }
    iSectCount = static_cast<std::int32_t>(sSect.size());
    return true;
}

void cRegistry::WriteClassValue(const std::string& text) {
    classKey_ = kClassesRoot;
    Value(RegValue{text});
    const std::string section = sectionKey_;
    classKey_ = kLocalMachine;
    sectionKey_ = "SOFTWARE\\Classes\\" + section;
    struct Restore {
        std::string& target;
        const std::string& saved;
        ~Restore() { target = saved; }
    } restore{sectionKey_, section};
    Value(RegValue{text});
}

void cRegistry::CreateEXEAssociation(
    std::string sExePath, const std::string& sClassName, const std::string& sClassDescription,
    const std::string& sAssociation, const std::string& sOpenMenuText, bool bSupportPrint,
    const std::string& sPrintMenuText, bool bSupportNew, const std::string& sNewMenuText,
    bool bSupportInstall, const std::string& sInstallMenuText, std::int32_t lDefaultIconIndex) {
    const auto first = sExePath.find_first_not_of(' ');
    sExePath = first == std::string::npos
                   ? std::string()
                   : sExePath.substr(first, sExePath.find_last_not_of(' ') - first + 1);
    if (sExePath.empty() || sExePath.front() != '"') {
        sExePath.insert(0, "\"");
    }
    if (sExePath.size() < 2 || sExePath.back() != '"') {
        sExePath += '"';
    }
    const auto orDefault = [](const std::string& text, const std::string& fallback) {
        return text.empty() ? fallback : text;
    };
    const auto write = [&](const std::string& section, const std::string& text) {
        sectionKey_ = section;
        WriteClassValue(text);
    };

    valueType_ = static_cast<std::int32_t>(kRegSz);
    valueKey_.clear();
    const std::string shell = sClassName + "\\shell\\";
    write("." + sAssociation, sClassName);
    write(sClassName, sClassDescription);
    write(shell + "open", orDefault(sOpenMenuText, "&Open"));
    write(shell + "open\\command", sExePath + " \"%1\"");
    if (bSupportPrint) {
        write(shell + "print", orDefault(sPrintMenuText, "&Print"));
        write(shell + "print\\command", sExePath + " /p \"%1\"");
    }
    if (bSupportInstall) {
        write(shell + "add", orDefault(sInstallMenuText, "&Install " + sAssociation));
        write(shell + "add\\command", sExePath + " /a \"%1\"");
    }
    if (bSupportNew) {
        write(shell + "new", orDefault(sNewMenuText, "&New"));
        write(shell + "new\\command", sExePath + " /n \"%1\"");
    }
    if (lDefaultIconIndex > -1) {
        write(sClassName + "\\DefaultIcon", sExePath + "," + IntegerText(lDefaultIconIndex));
    }
}

void cRegistry::CreateAdditionalEXEAssociations(const std::string& sClassName,
                                                const std::vector<std::string>& vItems) {
    if (vItems.size() % 3 != 0) {
        Raise(kErrAssociationList, "Invalid parameter list passed to "
                                   "CreateAdditionalEXEAssociations - expected Name/Text/Command");
    }
    sectionKey_ = sClassName;
    if (!KeyExists()) {
        Raise(kErrNoClass,
              "Error - attempt to create additional associations before class defined.");
    }
    for (std::size_t i = 0; i < vItems.size(); i += 3) {
        const std::string verb = sClassName + "\\shell\\" + vItems[i];
        valueType_ = static_cast<std::int32_t>(kRegSz);
        valueKey_.clear();
        // One triple failing must not keep the others from being written.
        RunStep([&] {
            sectionKey_ = verb;
            WriteClassValue(vItems[i + 1]);
        });
        RunStep([&] {
            sectionKey_ = verb + "\\command";
            WriteClassValue(vItems[i + 2]);
        });
    }
}

std::int32_t cRegistry::ReverseBytes(std::int32_t value) {
    return static_cast<std::int32_t>(__builtin_bswap32(static_cast<std::uint32_t>(value)));
}

std::string cRegistry::ExpandEnvironmentText(const std::string& text) {
    std::string expanded;
    const std::uint32_t size = api_.ExpandEnvironment(text, expanded, 0);
    api_.ExpandEnvironment(text, expanded, size);
    return expanded;
}

} // namespace pw::shell
