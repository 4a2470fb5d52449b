#include "WorkbookFiles.h"

#include "partwright/workbook/WorkbookXlsx.h"
#include "shared/core/Failure.h"

#include <filesystem>
#include <fstream>

namespace pw::standins {
namespace {

void WriteFile(const std::filesystem::path& path, const std::string& content) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << content;
    if (!file) {
        throw Failure(kEFail, "Cannot write " + path.string());
    }
}

} // namespace

void WriteWorkbookFiles(const ExcelState& state, const ShapesAndModules& aside,
                        const std::string& folder) {
    const std::filesystem::path base(std::u8string(folder.begin(), folder.end()));
    std::error_code error;
    std::filesystem::create_directories(base, error);
    for (const auto& book : state.workbooks) {
        WriteFile(base / (book->name + ".json"), WorkbookJson(*book, aside));
        WriteFile(base / (book->name + ".xlsx"), workbook::WorkbookXlsx(*book));
        for (const MacroModule& module : aside.ModulesOf(*book)) {
            if (module.type == 1) {
                WriteFile(base / (book->name + "." + module.name + ".bas"), module.code);
            }
        }
    }
}

} // namespace pw::standins
