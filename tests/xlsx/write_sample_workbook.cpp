// Exports the sample Gearbox with every option ticked into the workbook model and writes the
// workbook files to the folder given, for a reader outside the project to check.
#include "partwright/export/modExcel.h"
#include "partwright/model/AssemblyLoader.h"
#include "partwright/workbook/SheetCsv.h"
#include "standins/inventor/StandinFiles.h"
#include "standins/inventor/StandinInventor.h"
#include "standins/workbook/WorkbookFiles.h"
#include "standins/workbook/WorkbookLauncher.h"
#include "tests/fakes/OptionsView.h"
#include "tests/fakes/RecordingView.h"

#include <fstream>
#include <iostream>
#include <limits>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: write_sample_workbook FOLDER\n";
        return 2;
    }
    using namespace pw;
    const std::string samples = standins::WindowsPathOf(PARTWRIGHT_SAMPLES_DIR);
    auto servers = standins::StandinInventor::OverFiles(samples);
    fakes::RecordingView view;
    model::BomModel bom;
    model::QuantityListing listing;
    model::AssemblyLoader loader(bom, listing, view, servers);
    view.fileNameText = samples + "\\Gearbox.iam";
    loader.LoadAssembly();

    auto excel = std::make_shared<standins::ExcelState>();
    standins::WorkbookLauncher launcher(excel);
    auto options = fakes::OptionsView::AllTicked();
    excel::ExportState state;
    excel::modExcel(bom, state, options, launcher).ExportToExcel();
    standins::WriteWorkbookFiles(*excel, launcher.Aside(), argv[1]);

    // Texts that XML cannot hold as they are, beside one that looks like Excel's escape of them.
    auto escapes = std::make_shared<standins::ExcelState>();
    standins::WorkbookLauncher escapesLauncher(escapes);
    const auto sheet = escapesLauncher.Start()->AddWorkbook()->Sheet(1);
    sheet->Cells(1, 1)->SetValue(Value{"vertical\vtab"});
    sheet->Cells(2, 1)->SetValue(Value{"_x0041_ stays as typed"});
    sheet->Cells(3, 1)->SetValue(Value{std::string("nul\0, bell\a, tab\t and line\nbreak", 32)});
    // Non-characters, which XML forbids too, and a number past every range.
    sheet->Cells(4, 1)->SetValue(Value{"Bracket \uffff and \ufffe"});
    sheet->Cells(5, 1)->SetValue(Value{"after them"});
    sheet->Cells(6, 1)->SetValue(Value{std::numeric_limits<double>::infinity()});
    standins::WriteWorkbookFiles(*escapes, escapesLauncher.Aside(),
                                 std::string(argv[1]) + "/escapes");

    // Texts a spreadsheet converts when it opens a CSV file, as partwright-export writes them.
    auto forms = std::make_shared<standins::ExcelState>();
    const auto formsSheet = standins::WorkbookLauncher(forms).Start()->AddWorkbook()->Sheet(1);
    const char* const texts[] = {"00123", "1-2",    "12:30", "10:30 AM", "3:04:05", "1 1/2",
                                 "5-",    "Jan-24", "Mar 5", "5 %",      "1/2/3",   "#N/A",
                                 "TRUE",  "=1+1",   "0.50",  "GB-100"};
    std::int32_t row = 1;
    for (const char* text : texts) {
        formsSheet->Cells(row++, 1)->SetValue(Value{std::string("'") + text});
    }
    std::ofstream(std::string(argv[1]) + "/forms.csv", std::ios::binary)
        << workbook::SheetCsv(*forms->workbooks.at(0)->sheets.at(0));
    return 0;
}
