#include "SyntheticAssembly.h"
#include "partwright/export/modExcel.h"
#include "partwright/model/AssemblyLoader.h"
#include "standins/workbook/WorkbookLauncher.h"
#include "tests/fakes/OptionsView.h"
#include "tests/fakes/RecordingView.h"

#include <benchmark/benchmark.h>

namespace pw::bench {
namespace {

void Load(standins::StandinInventor& inventor, const std::string& top, model::BomModel& model) {
    fakes::RecordingView view;
    view.fileNameText = top;
    model::QuantityListing listing;
    model::AssemblyLoader(model, listing, view, inventor).LoadAssembly();
}

// The automation calls of one export into a fresh workbook model.
std::uint64_t ExportCalls(model::BomModel& model) {
    auto excel = std::make_shared<standins::ExcelState>();
    standins::WorkbookLauncher launcher(excel);
    auto options = fakes::OptionsView::AllTicked();
    excel::ExportState state;
    excel::modExcel(model, state, options, launcher).ExportToExcel();
    return launcher.Faults().calls;
}

void BM_ExportToExcel(benchmark::State& state) {
    const auto records = static_cast<int>(state.range(0));
    standins::StandinInventor inventor;
    model::BomModel model;
    Load(inventor, BuildSyntheticAssembly(inventor, records - 1, records / 10), model);

    std::uint64_t calls = 0;
    for (auto _ : state) {
        calls = ExportCalls(model);
    }
    state.SetItemsProcessed(state.iterations() * model.FileData.Count());
    state.counters["records"] = model.FileData.Count();
    state.counters["calls_per_record"] = static_cast<double>(calls) / model.FileData.Count();
}

// One part used k times adds k Indented BOM rows and no Summary BOM row, so the difference
// between two such exports is what an Indented BOM row costs.
void BM_CallsPerIndentedRow(benchmark::State& state) {
    const auto callsFor = [](int uses) {
        standins::StandinInventor inventor;
        inventor.AddAssembly("C:\\Bench\\Top.iam");
        inventor.AddPart("C:\\Bench\\Part.ipt");
        for (int i = 0; i < uses; ++i) {
            inventor.AddOccurrence("C:\\Bench\\Top.iam", "Part:" + std::to_string(i),
                                   "C:\\Bench\\Part.ipt");
        }
        model::BomModel model;
        Load(inventor, "C:\\Bench\\Top.iam", model);
        return ExportCalls(model);
    };
    double perRow = 0;
    for (auto _ : state) {
        perRow = static_cast<double>(callsFor(1001) - callsFor(1)) / 1000.0;
    }
    state.counters["port_calls_per_indented_row"] = perRow;
}

BENCHMARK(BM_ExportToExcel)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CallsPerIndentedRow)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace pw::bench
