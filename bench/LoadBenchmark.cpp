#include "SyntheticAssembly.h"
#include "partwright/batch/LoadMessages.h"
#include "partwright/model/AssemblyLoader.h"

#include <benchmark/benchmark.h>

namespace pw::bench {
namespace {

using namespace model;

void BM_LoadAssembly(benchmark::State& state) {
    const auto occurrences = static_cast<int>(state.range(0));
    const auto distinctFiles = static_cast<int>(state.range(1));
    standins::StandinInventor inventor;
    // The window that draws nothing, so only the load itself is measured.
    batch::LoadMessages view(BuildSyntheticAssembly(inventor, occurrences, distinctFiles));
    BomModel model;
    QuantityListing listing;
    AssemblyLoader loader(model, listing, view, inventor);

    for (auto _ : state) {
        loader.LoadAssembly();
    }
    if (model.FileData.Count() != occurrences + 1 || model.Counts.MaxIndent != 6) {
        state.SkipWithError("the synthetic assembly did not load as built");
    }
    state.SetItemsProcessed(state.iterations() * occurrences);
    state.counters["distinct"] = static_cast<double>(model.Dupes.Count());
}

BENCHMARK(BM_LoadAssembly)
    ->Args({10'000, 1'000})
    ->Args({100'000, 10'000})
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace pw::bench
