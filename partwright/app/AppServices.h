#pragma once

#include "partwright/excel/ExcelApi.h"
#include "partwright/shell/RegistryApi.h"
#include "partwright/shell/ShellHost.h"
#include "shared/inventor/DocumentAccess.h"
#include "shared/thumbnail/ThumbnailRule.h"

#include <functional>
#include <string>

namespace pw::app {

// What the main window uses of the outside world, passed in by whoever starts it.
struct AppServices {
    inventor::ServerFactory& servers;
    excel::ExcelLauncher& excel;
    thumbnail::LegacyReaderFactory& legacy;
    shell::ShellHost& host; // command line, the executable's place, message boxes, files
    shell::RegistryApi& registry;
    std::function<void()> endProgram; // ends the process at once
    // Told each text the status line shows, as it is shown (the headless run prints them).
    std::function<void(const std::string&)> statusShown = {};
};

// The maker's addresses behind the window's two links.
inline constexpr const char* kMakerWebAddress = "https://nodeworks.example/partwright";
inline constexpr const char* kMakerWebDomain = "nodeworks.example";
inline constexpr const char* kMakerMail = "partwright@nodeworks.example";

} // namespace pw::app
