#pragma once

#include "partwright/batch/BomWorkbook.h"
#include "partwright/export/modExcel.h"
#include "partwright/model/AssemblyLoader.h"
#include "standins/inventor/StandinInventor.h"
#include "standins/workbook/WorkbookFiles.h"
#include "standins/workbook/WorkbookLauncher.h"
#include "tests/fakes/OptionsView.h"
#include "tests/fakes/RecordingView.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace pw::excel {

using fakes::OptionsView;

// A model loaded from the stand-in Inventor in memory, exported into the workbook model.
class ExportFixture : public testing::Test {
protected:
    standins::StandinInventor inventor;
    fakes::RecordingView loadView;
    model::BomModel model;
    model::QuantityListing listing;
    model::AssemblyLoader loader{model, listing, loadView, inventor};

    std::shared_ptr<standins::ExcelState> excel = std::make_shared<standins::ExcelState>();
    std::shared_ptr<standins::ExcelFaults> faults = std::make_shared<standins::ExcelFaults>();
    standins::WorkbookLauncher launcher{excel, faults};
    OptionsView options;
    ExportState state;
    modExcel exporter{model, state, options, launcher};

    void Load(const std::string& path) {
        loadView.fileNameText = path;
        loader.LoadAssembly();
    }
    void Export() { exporter.ExportToExcel(); }
    // partwright-export's workbook of the model, as the first workbook to read.
    void WriteFile(const BomSheetOptions& layout, bool hyperlinks) {
        excel->workbooks.insert(excel->workbooks.begin(),
                                batch::BomWorkbook(model, layout, hyperlinks));
    }

    const workbook::Workbook& Book(std::size_t index = 0) const {
        return *excel->workbooks.at(index);
    }
    const workbook::Sheet& Sheet(const std::string& name, std::size_t book = 0) const {
        const workbook::Sheet* sheet = Book(book).FindSheet(name);
        if (!sheet) {
            throw std::runtime_error("no sheet " + name);
        }
        return *sheet;
    }
    const std::vector<standins::StoredShape>& Shapes(const std::string& name,
                                                     std::size_t book = 0) {
        return launcher.Aside().Shapes(Sheet(name, book)).shapes;
    }
    std::vector<standins::MacroModule> Modules(std::size_t book = 0) {
        return launcher.Aside().ModulesOf(Book(book));
    }
    std::string Json(const workbook::Workbook& book) {
        return standins::WorkbookJson(book, launcher.Aside());
    }
    std::vector<std::string> Tabs(std::size_t book = 0) const {
        std::vector<std::string> names;
        for (const auto& sheet : Book(book).sheets) {
            names.push_back(sheet->name);
        }
        return names;
    }

public:
    // A cell as the user sees it: its text, a number in automation's form, TRUE/FALSE, or "".
    static std::string Shown(const workbook::Sheet& sheet, std::int32_t row, std::int32_t column);

protected:
    std::vector<std::string> RowTexts(const std::string& sheet, std::int32_t row,
                                      std::int32_t columns) const {
        std::vector<std::string> texts;
        for (std::int32_t column = 1; column <= columns; ++column) {
            texts.push_back(Shown(Sheet(sheet), row, column));
        }
        return texts;
    }
};

} // namespace pw::excel
