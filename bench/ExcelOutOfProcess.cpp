// Measures the export through the Excel stand-in as a local server, as a user's Excel is reached:
// Invoke calls and milliseconds per Indented BOM row, and the whole export's time, for the
// Gearbox sample and a generated assembly, with no option and with all three options ticked.
//   excel_out_of_process [RUNS]   each figure is the median of RUNS exports (default 3)
#include "SyntheticAssembly.h"
#include "partwright/export/ComExcel.h"
#include "partwright/export/modExcel.h"
#include "partwright/model/AssemblyLoader.h"
#include "shared/com/Dispatch.h"
#include "standins/inventor/StandinInventor.h"
#include "tests/fakes/OptionsView.h"
#include "tests/fakes/RecordingView.h"

#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace pw::bench {
namespace {

struct Figures {
    double invokes = 0;
    double milliseconds = 0;
};

Figures ExportOnce(model::BomModel& model, bool allOptions) {
    fakes::OptionsView options = allOptions ? fakes::OptionsView::AllTicked() : fakes::OptionsView{};
    options.indented = allOptions ? 1 : 0;
    excel::ComExcelLauncher launcher;
    excel::ExportState state;
    const auto before = com::DispatchObject::CallCounts().invokes;
    const auto start = std::chrono::steady_clock::now();
    excel::modExcel(model, state, options, launcher).ExportToExcel();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    return {static_cast<double>(com::DispatchObject::CallCounts().invokes - before), took.count()};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Report(const std::string& name, model::BomModel& model, int runs) {
    const double rows = model.FileData.Count();
    for (const bool allOptions : {false, true}) {
        std::vector<double> invokes;
        std::vector<double> times;
        for (int run = 0; run < runs; ++run) {
            const Figures figures = ExportOnce(model, allOptions);
            invokes.push_back(figures.invokes);
            times.push_back(figures.milliseconds);
        }
        std::printf("%-22s %-14s %6.0f rows  %7.2f Invoke/row  %7.3f ms/row  export %8.1f ms "
                    "(median of %d)\n",
                    name.c_str(), allOptions ? "all options" : "no option", rows,
                    Median(invokes) / rows, Median(times) / rows, Median(times), runs);
        std::fflush(stdout);
    }
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
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        return 2;
    }
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    SetEnvironmentVariableW(L"PARTWRIGHT_WORKBOOK_DIR",
                            (std::wstring(temp) + L"partwright-bench-workbooks").c_str());
    {
        std::string samples = "Z:" + std::string(PARTWRIGHT_SAMPLES_DIR);
        std::replace(samples.begin(), samples.end(), '/', '\\');
        standins::StandinServerFactory gearboxServers(samples);
        model::BomModel gearbox;
        bench::Load(gearboxServers, samples + "\\Gearbox.iam", gearbox);
        bench::Report("Gearbox", gearbox, runs);

        fakes::FakeInventor inventor;
        model::BomModel generated;
        bench::Load(inventor, bench::BuildSyntheticAssembly(inventor, 2000, 200), generated);
        bench::Report("Generated 2,001", generated, runs);
    }
    CoUninitialize();
    return 0;
}
