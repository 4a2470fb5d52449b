#include "SyntheticAssembly.h"

#include <vector>

namespace pw::bench {
namespace {

// The properties a real part or assembly carries, so the load reads them as it would there.
void Describe(standins::StandinDocument& document, int number) {
    const std::string summary = "Inventor Summary Information";
    const std::string tracking = "Design Tracking Properties";
    const std::string model = "Model Information";
    document.properties = {
        {{summary, 4}, Value{"A. Author"}},
        {{summary, 9}, Value{"B"}},
        {{tracking, 36}, Value{12.5}},
        {{tracking, 41}, Value{"D. Designer"}},
        {{tracking, 40}, Value{std::int32_t{1}}},
        {{tracking, 20}, Value{"Steel"}},
        {{model, 2}, Value{7.85}},
        {{model, 3}, Value{120.0}},
        {{tracking, 5}, Value{"PN-" + std::to_string(number)}},
        {{tracking, 29}, Value{"Component " + std::to_string(number)}},
    };
}

} // namespace

std::string BuildSyntheticAssembly(standins::StandinInventor& inventor, int occurrences,
                                   int distinctFiles) {
    const std::string top = "C:\\Bench\\Top.iam";
    inventor.AddAssembly(top, "Top");

    // A tenth of the files are assemblies: x on level 2, doubling down to 8x on level 5.
    const int x = std::max(1, distinctFiles / 10 / 15);
    std::vector<std::string> parents{top};
    int assemblies = 0;
    for (int level = 2, width = x; level <= 5; ++level, width *= 2) {
        std::vector<std::string> current;
        for (int i = 0; i < width; ++i) {
            const std::string path =
                "C:\\Bench\\L" + std::to_string(level) + "\\A" + std::to_string(i) + ".iam";
            Describe(inventor.AddAssembly(path), assemblies);
            inventor.AddOccurrence(parents[static_cast<std::size_t>(i) % parents.size()],
                                   "A" + std::to_string(i) + ":1", path);
            current.push_back(path);
            ++assemblies;
        }
        parents = std::move(current);
    }

    const int parts = distinctFiles - assemblies;
    for (int i = 0; i < parts; ++i) {
        Describe(inventor.AddPart("C:\\Bench\\Parts\\P" + std::to_string(i) + ".ipt"), i);
    }
    for (int i = 0; i < occurrences - assemblies; ++i) {
        const int part = i % parts;
        inventor.AddOccurrence(parents[static_cast<std::size_t>(i) % parents.size()],
                               "P" + std::to_string(part) + ":" + std::to_string(i),
                               "C:\\Bench\\Parts\\P" + std::to_string(part) + ".ipt");
    }
    return top;
}

} // namespace pw::bench
