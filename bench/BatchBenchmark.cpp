#include "SyntheticAssembly.h"
#include "partwright/batch/BomWorkbook.h"
#include "partwright/batch/LoadMessages.h"
#include "partwright/export/BomSheets.h"
#include "partwright/model/AssemblyLoader.h"
#include "partwright/workbook/FileImages.h"
#include "partwright/workbook/SheetCsv.h"
#include "partwright/workbook/WorkbookXlsx.h"

#include <benchmark/benchmark.h>

namespace pw::bench {
namespace {

// The model of a synthetic assembly of `records` rows over `distinct` files (a hundredth of the
// rows when not given), loaded as partwright-export loads it.
void LoadSynthetic(int records, standins::StandinInventor& inventor, model::BomModel& model,
                   int distinct = 0) {
    batch::LoadMessages view(
        BuildSyntheticAssembly(inventor, records - 1, distinct > 0 ? distinct : records / 100));
    model::QuantityListing listing;
    model::AssemblyLoader(model, listing, view, inventor).LoadAssembly();
}

// The export into the workbook in memory, without Excel.
void BM_BatchWorkbook(benchmark::State& state) {
    standins::StandinInventor inventor;
    model::BomModel model;
    LoadSynthetic(static_cast<int>(state.range(0)), inventor, model);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            batch::BomWorkbook(model, {.levelColumns = true, .quantities = true}, true));
    }
    state.SetItemsProcessed(state.iterations() * model.FileData.Count());
}

// The same where nearly every row is a file of its own: the Summary BOM as long as the
// Indented BOM, as in a plant or a steel structure.
void BM_BatchWorkbookDistinct(benchmark::State& state) {
    standins::StandinInventor inventor;
    model::BomModel model;
    const auto records = static_cast<int>(state.range(0));
    LoadSynthetic(records, inventor, model, records * 9 / 10);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            batch::BomWorkbook(model, {.levelColumns = true, .quantities = true}, false));
    }
    state.SetItemsProcessed(state.iterations() * model.FileData.Count());
}

// The workbook made above, as an .xlsx file's bytes and as CSV.
void BM_WorkbookXlsx(benchmark::State& state) {
    standins::StandinInventor inventor;
    model::BomModel model;
    LoadSynthetic(static_cast<int>(state.range(0)), inventor, model);
    const auto book = batch::BomWorkbook(model, {.levelColumns = true, .quantities = true}, true);
    std::size_t bytes = 0;
    for (auto _ : state) {
        bytes = workbook::WorkbookXlsx(*book).size();
    }
    state.SetItemsProcessed(state.iterations() * model.FileData.Count());
    state.counters["bytes"] = static_cast<double>(bytes);
}

// A picture for every distinct file: PNG-sized bytes, each file's its own.
workbook::FileImages EveryFilesPicture(const model::BomModel& model) {
    workbook::FileImages images;
    for (const auto& record : model.FileData) {
        const std::string file = excel::PictureFileOf(*record);
        if (!file.empty() && !images.Find(file)) {
            images.Add(file, {std::string(3000, 'P') + file, 72, 72});
        }
    }
    return images;
}

// The workbook made and written as an .xlsx file's bytes in one go, without pictures (0) and with
// a picture column (1): what the pictures cost once read.
void BM_WorkbookAndFile(benchmark::State& state) {
    standins::StandinInventor inventor;
    model::BomModel model;
    LoadSynthetic(static_cast<int>(state.range(0)), inventor, model);
    const bool pictures = state.range(1) != 0;
    const workbook::FileImages images = EveryFilesPicture(model);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const auto book = batch::BomWorkbook(
            model, {.levelColumns = true, .quantities = true, .pictures = pictures}, true,
            excel::CellLimits::Excel, nullptr, pictures ? &images : nullptr);
        bytes = workbook::WorkbookXlsx(*book).size();
    }
    state.SetItemsProcessed(state.iterations() * model.FileData.Count());
    state.counters["bytes"] = static_cast<double>(bytes);
}

void BM_SheetCsv(benchmark::State& state) {
    standins::StandinInventor inventor;
    model::BomModel model;
    LoadSynthetic(static_cast<int>(state.range(0)), inventor, model);
    const auto book = batch::BomWorkbook(model, {.levelColumns = true, .quantities = true}, true);
    for (auto _ : state) {
        for (const auto& sheet : book->sheets) {
            benchmark::DoNotOptimize(workbook::SheetCsv(*sheet));
        }
    }
    state.SetItemsProcessed(state.iterations() * model.FileData.Count());
}

BENCHMARK(BM_BatchWorkbook)
    ->Arg(20'001)
    ->Arg(50'001)
    ->Arg(100'001)
    ->Arg(200'001)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BatchWorkbookDistinct)->Arg(10'001)->Arg(100'001)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WorkbookXlsx)->Arg(20'001)->Arg(200'001)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WorkbookAndFile)->Args({20'001, 0})->Args({20'001, 1})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SheetCsv)->Arg(20'001)->Arg(200'001)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace pw::bench
