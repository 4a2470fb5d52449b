// The in-process server of the Inventor stand-ins: Apprentice ("Inventor.ApprenticeServer") and
// the legacy thumbnail reader, for the project's own Wine prefix only.
#include "ApprenticeObjects.h"
#include "ApprenticeStandin.h"
#include "LegacyReaderObject.h"
#include "shared/com/ComBoundary.h"
#include "shared/com/InProcessServer.h"
#include "shared/com/TextConvert.h"
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

HRESULT CreateApprentice(REFIID iid, void** out) {
    return com::Guarded([&] {
        const auto server =
            standins::MakeApprenticeServer(standins::MakeStandinServer(StartFolder()));
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
