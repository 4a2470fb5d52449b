#include "SyntheticAssembly.h"
#include "partwright/model/AssemblyLoader.h"

#include <benchmark/benchmark.h>

namespace pw::bench {
namespace {

using namespace model;

// A window that is given everything and keeps nothing, so only the load itself is measured.
class DiscardingTree : public TreePort {
public:
    NodeIndex AddNode(NodeIndex, const std::string&, const std::string&) override {
        return ++count;
    }
    void SetNodeColor(NodeIndex, std::int32_t) override {}
    void Expand(NodeIndex) override {}
    void Clear() override { count = 0; }
    NodeIndex count = 0;
};

class DiscardingView : public LoadPort {
public:
    std::string path;
    DiscardingTree tree;
    void SetStatus(const std::string&) override {}
    void DoEvents() override {}
    void ClearList1() override {}
    void AddList1Row(const std::string&) override {}
    std::string FileNameText() override { return path; }
    TreePort& Tree() override { return tree; }
    void ClearResults() override {}
    void AddResult(const std::string&) override {}
    int MsgBox(const std::string&, const std::string&, int) override { return 1; }
    void SetHourglass(bool) override {}
    void ShowThumbnail(const std::string&) override {}
    void EndProgram() override {}
};

void BM_LoadAssembly(benchmark::State& state) {
    const auto occurrences = static_cast<int>(state.range(0));
    const auto distinctFiles = static_cast<int>(state.range(1));
    fakes::FakeInventor inventor;
    DiscardingView view;
    view.path = BuildSyntheticAssembly(inventor, occurrences, distinctFiles);
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
