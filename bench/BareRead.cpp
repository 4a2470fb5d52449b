// The floor of an export over many distinct files: each part file under a folder opened through
// Apprentice, the properties a BOM row shows read, and let go, with nothing else done
// (scripts/bench --batch-distinct prints it beside partwright-export's own figure); with
// --thumbnails, each file's thumbnail asked for too, as --pictures asks (scripts/bench
// --batch-pictures).
//   bare_read.exe FOLDER [--thumbnails]    prints "FILES files read in SECONDS s"
#include "shared/com/ComApartment.h"
#include "shared/com/Dispatch.h"
#include "shared/com/TextConvert.h"
#include "shared/inventor/ApprenticeDispids.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace {

using pw::com::DispatchObject;
using namespace pw::inventor::dispid;

// What a row reads of each file: Summary Information's author and revision; Design Tracking's
// cost, designer, status, material, part number, description, mass and whether the mass is valid.
constexpr int kSummaryIds[] = {4, 9};
constexpr int kTrackingIds[] = {36, 41, 40, 20, 5, 29, 58, 62};

void ReadSet(DispatchObject& sets, const char* setName, std::span<const int> ids) {
    DispatchObject set = sets.GetObject(DISPID_VALUE, setName);
    for (const int id : ids) {
        if (const auto found = set.GetUnless(E_INVALIDARG, kPropertyById, id)) {
            DispatchObject::FromVariant(found->get()).Get(kPropertyValue);
        }
    }
}

void ReadRow(DispatchObject& document) {
    DispatchObject sets = document.GetObject(kPropertySets);
    ReadSet(sets, "Inventor Summary Information", kSummaryIds);
    ReadSet(sets, "Design Tracking Properties", kTrackingIds);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const bool thumbnails = argc == 3 && std::wstring(argv[2]) == L"--thumbnails";
    if (argc != 2 && !thumbnails) {
        std::fputs("usage: bare_read FOLDER [--thumbnails]\n", stderr);
        return 2;
    }
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[1])) {
        if (entry.path().extension() == L".ipt") {
            files.push_back(entry.path());
        }
    }
    pw::com::ComApartment apartment;
    try {
        const auto start = std::chrono::steady_clock::now();
        DispatchObject server = DispatchObject::Create("Inventor.ApprenticeServer");
        for (const auto& file : files) {
            DispatchObject document = server.GetObject(kOpen, pw::com::WideToUtf8(file.wstring()));
            ReadRow(document);
            if (thumbnails) {
                document.Get(kThumbnail);
            }
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        std::printf("%zu files read in %.2f s\n", files.size(), took.count());
    } catch (const pw::Failure& failure) {
        std::fprintf(stderr, "%s\n", failure.what());
        return 1;
    }
    return 0;
}
