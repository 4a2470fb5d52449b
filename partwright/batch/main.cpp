// partwright-export: the bill of materials of many assemblies as workbooks, without Excel.
#include "BatchExport.h"
#include "CommandLinePaths.h"
#include "ConsoleText.h"
#include "ProcessWorkers.h"
#include "ThumbnailPictures.h"
#include "WindowsOutputFiles.h"
#include "shared/com/ComApartment.h"
#include "shared/com/TextConvert.h"
#include "shared/inventor/ComDocumentAccess.h"

#include <windows.h>

#include <algorithm>
#include <exception>
#include <thread>

namespace {

using namespace pw;

int Run(const std::vector<std::string>& arguments) {
    const batch::CommandLineReading reading = batch::ReadCommandLine(arguments, PARTWRIGHT_VERSION);
    if (!reading.options) {
        batch::WriteText(reading.exitStatus == 0 ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE,
                         reading.message);
        return reading.exitStatus;
    }
    batch::BatchOptions options = *reading.options;
    if (options.outFolder) {
        try {
            options.outFolder = batch::MadeFolder(*options.outFolder);
        } catch (const Failure& failure) {
            batch::WriteText(STD_ERROR_HANDLE,
                             std::string("partwright-export: ") + failure.what() + "\n");
            return batch::kUsageError;
        }
    }
    options.assemblies = batch::AssemblyPaths(options.assemblies);
    if (options.project) {
        options.project = batch::FullPathOf(*options.project);
    }

    const auto report = [](const std::string& line) {
        batch::WriteText(STD_ERROR_HANDLE, line + "\n");
    };
    inventor::ComServerFactory servers;
    if (options.jobs == 0) {
        options.jobs = std::max(1u, std::thread::hardware_concurrency());
    }
    if (options.jobs > 1 && !options.compare && !options.worker && options.assemblies.size() > 1) {
        // Said once, before any worker starts, rather than by every worker.
        batch::ProjectServers projectServers(servers, options.project);
        if (!batch::ProjectUsable(projectServers, options.project, report)) {
            return batch::kSomeFailed;
        }
        batch::ProcessWorkers workers;
        return batch::ParallelExport(options, workers, report).Run();
    }
    batch::WindowsOutputFiles files;
    batch::ThumbnailPictures pictures;
    return batch::BatchExport(options, servers, files, report, &pictures).Run();
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.push_back(com::WideToUtf8(argv[i]));
    }
    const com::ComApartment apartment;
    if (!apartment) {
        batch::WriteText(STD_ERROR_HANDLE, "partwright-export: COM cannot be started\n");
        return batch::kSomeFailed;
    }
    int status = batch::kSomeFailed;
    try {
        status = Run(arguments);
    } catch (const std::exception& error) {
        batch::WriteText(STD_ERROR_HANDLE,
                         std::string("partwright-export: ") + error.what() + "\n");
    }
    return status;
}
