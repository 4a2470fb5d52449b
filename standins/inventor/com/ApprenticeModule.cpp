// The in-process server of the Inventor stand-ins: Apprentice ("Inventor.ApprenticeServer") and
// the legacy thumbnail reader, for the project's own Wine prefix only.
#include "ApprenticeObjects.h"
#include "ApprenticeStandin.h"
#include "LegacyReaderObject.h"
#include "shared/com/ComBoundary.h"
#include "shared/com/InProcessServer.h"
#include "shared/com/TextConvert.h"
#include "shared/core/Failure.h"
#include "shared/thumbnail/LegacyThumbnailCom.h"
#include "standins/inventor/StandinInventor.h"

#include <cstdlib>

namespace {

using namespace pw;

// The folder the file dialog starts in: PARTWRIGHT_STANDIN_START_FOLDER, else the samples.
std::string StartFolder() {
    if (const char* configured = std::getenv("PARTWRIGHT_STANDIN_START_FOLDER")) {
        return configured;
    }
    std::string samples = "Z:" + std::string(PARTWRIGHT_SAMPLES_DIR);
    for (char& c : samples) {
        c = c == '/' ? '\\' : c;
    }
    return samples;
}

// The user's default project, kept in the registry as Inventor keeps it: per Windows user.
class RegistryDefaultProject : public standins::DefaultProjectStore {
public:
    std::string Load() override {
        wchar_t path[MAX_PATH * 4] = {};
        DWORD size = sizeof(path);
        if (RegGetValueW(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_REG_SZ, nullptr, path, &size) !=
            ERROR_SUCCESS) {
            return {};
        }
        return com::WideToUtf8(path);
    }
    void Save(const std::string& projectFile) override {
        const std::wstring path = com::Utf8ToWide(projectFile);
        const LSTATUS status =
            RegSetKeyValueW(HKEY_CURRENT_USER, kKey, kValue, REG_SZ, path.c_str(),
                            static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
        if (status != ERROR_SUCCESS) {
            throw Failure(HRESULT_FROM_WIN32(status), "The default project cannot be kept.");
        }
    }

private:
    static constexpr const wchar_t* kKey = L"Software\\Partwright Stand-ins\\Apprentice";
    static constexpr const wchar_t* kValue = L"DefaultProject";
};

HRESULT CreateApprentice(REFIID iid, void** out) {
    return com::Guarded([&] {
        const auto server = standins::MakeApprenticeServer(
            standins::MakeStandinServer(StartFolder(), std::make_shared<RegistryDefaultProject>()));
        return server->QueryInterface(iid, out);
    });
}

const com::ServerClass kClasses[] = {
    {CLSID_ApprenticeServer, L"Partwright stand-in for Inventor Apprentice Server",
     L"Inventor.ApprenticeServer", CreateApprentice},
    {thumbnail::kLegacyReaderClass, L"Partwright stand-in for Inventor's legacy thumbnail reader",
     nullptr, standins::CreateLegacyReader},
};

} // namespace

const pw::com::InProcessServer pw::com::kInProcessServer{kClasses};
