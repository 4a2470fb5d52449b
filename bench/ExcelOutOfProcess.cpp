// Measures the export through the Excel stand-in as a local server, as a user's Excel is reached:
// Invoke calls (as the stand-in Excel counts them arriving) and milliseconds per Indented BOM row
// (counted over the whole export), and the whole export's time, for the Gearbox sample and for
// generated assemblies of 2,001 and 20,001 occurrences (100 parts; 10 sub-assemblies of 99 parts
// each, used 20 or 200 times), with no option, with "Add Hyperlinks" alone and with all three
// options.
//   excel_out_of_process [RUNS [USES...]]   medians of RUNS exports (default 3); USES default 20
//   200
#include "partwright/excel/ComExcel.h"
#include "partwright/export/modExcel.h"
#include "partwright/model/AssemblyLoader.h"
#include "shared/com/ComApartment.h"
#include "standins/inventor/StandinInventor.h"
#include "standins/inventor/StandinInventor.h"
#include "tests/fakes/OptionsView.h"
#include "tests/fakes/RecordingView.h"

#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace pw::bench {
namespace {

struct Figures {
    double invokes = 0;
    double milliseconds = 0;
};

enum class Options { None, Hyperlinks, All };

const char* NameOf(Options options) {
    return options == Options::None         ? "no option"
           : options == Options::Hyperlinks ? "hyperlinks"
                                            : "all three";
}

// Where the stand-in Excel leaves the number of calls it was asked, when it ends.
std::wstring gCallsFile;

Figures ExportOnce(model::BomModel& model, Options chosen) {
    fakes::OptionsView options;
    options.indented = chosen == Options::All ? 1 : 0;
    options.builder = chosen == Options::All ? 1 : 0;
    options.hyperlinks = chosen == Options::None ? 0 : 1;
    DeleteFileW(gCallsFile.c_str());
    std::chrono::duration<double, std::milli> took{};
    {
        excel::ComExcelLauncher launcher;
        excel::ExportState state;
        const auto start = std::chrono::steady_clock::now();
        excel::modExcel(model, state, options, launcher).ExportToExcel();
        took = std::chrono::steady_clock::now() - start;
    }
    // The stand-in has ended with the export's last release, and written its count.
    double invokes = -1;
    std::ifstream(std::filesystem::path(gCallsFile)) >> invokes;
    return {invokes, took.count()};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Report(const std::string& name, model::BomModel& model, int runs) {
    const double rows = model.FileData.Count();
    for (const Options options : {Options::None, Options::Hyperlinks, Options::All}) {
        std::vector<double> invokes;
        std::vector<double> times;
        for (int run = 0; run < runs; ++run) {
            const Figures figures = ExportOnce(model, options);
            invokes.push_back(figures.invokes);
            times.push_back(figures.milliseconds);
        }
        std::printf("%-22s %-11s %6.0f rows  %7.2f Invoke/row  %7.3f ms/row  export %9.1f ms "
                    "(median of %d)\n",
                    name.c_str(), NameOf(options), rows, Median(invokes) / rows,
                    Median(times) / rows, Median(times), runs);
        std::fflush(stdout);
    }
}

// 100 parts; 10 sub-assemblies of 99 part occurrences each; the top uses them `uses` times.
std::string BuildSubassemblyTree(standins::StandinInventor& inventor, int uses) {
    const std::string top = "C:\\Bench\\Top.iam";
    inventor.AddAssembly(top, "Top");
    for (int p = 0; p < 100; ++p) {
        inventor.AddPart("C:\\Bench\\Parts\\P" + std::to_string(p) + ".ipt");
    }
    for (int a = 0; a < 10; ++a) {
        const std::string assembly = "C:\\Bench\\A" + std::to_string(a) + ".iam";
        inventor.AddAssembly(assembly);
        for (int i = 0; i < 99; ++i) {
            const int part = (a + i) % 100;
            inventor.AddOccurrence(assembly, "P" + std::to_string(part) + ":" + std::to_string(i),
                                   "C:\\Bench\\Parts\\P" + std::to_string(part) + ".ipt");
        }
    }
    for (int u = 0; u < uses; ++u) {
        inventor.AddOccurrence(top, "A" + std::to_string(u % 10) + ":" + std::to_string(u),
                               "C:\\Bench\\A" + std::to_string(u % 10) + ".iam");
    }
    return top;
}

void Load(inventor::ServerFactory& servers, const std::string& top, model::BomModel& model) {
    fakes::RecordingView view;
    view.fileNameText = top;
    model::QuantityListing listing;
    model::AssemblyLoader(model, listing, view, servers).LoadAssembly();
}

} // namespace
} // namespace pw::bench

int main(int argc, char** argv) {
    using namespace pw;
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const com::ComApartment apartment;
    if (!apartment) {
        return 2;
    }
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    SetEnvironmentVariableW(L"PARTWRIGHT_WORKBOOK_DIR",
                            (std::wstring(temp) + L"partwright-bench-workbooks").c_str());
    bench::gCallsFile = std::wstring(temp) + L"partwright-bench-excel-calls.txt";
    SetEnvironmentVariableW(L"PARTWRIGHT_EXCEL_CALLS_FILE", bench::gCallsFile.c_str());
    std::string samples = "Z:" + std::string(PARTWRIGHT_SAMPLES_DIR);
    std::replace(samples.begin(), samples.end(), '/', '\\');
    auto gearboxServers = standins::StandinInventor::OverFiles(samples);
    model::BomModel gearbox;
    bench::Load(gearboxServers, samples + "\\Gearbox.iam", gearbox);
    bench::Report("Gearbox", gearbox, runs);

    std::vector<int> uses;
    for (int i = 2; i < argc; ++i) {
        uses.push_back(std::max(1, std::atoi(argv[i])));
    }
    if (uses.empty()) {
        uses = {20, 200};
    }
    for (const int count : uses) {
        standins::StandinInventor inventor;
        model::BomModel generated;
        bench::Load(inventor, bench::BuildSubassemblyTree(inventor, count), generated);
        bench::Report("Generated " + std::to_string(generated.FileData.Count()), generated, runs);
    }
    return 0;
}
