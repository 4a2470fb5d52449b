#include "WorkbookApplication.h"

#include "ExcelFailures.h"
#include "SessionApi.h"
#include "partwright/workbook/SheetWriting.h"
#include "shared/core/CaseFold.h"
#include "shared/core/Failure.h"
#include "shared/core/NumberText.h"
#include "shared/core/Utf16Units.h"

#include <optional>

namespace pw::standins {
namespace {

using excel::CellValue;
using workbook::CellEntry;
using workbook::CellKind;
using workbook::Format;
using workbook::Sheet;
using workbook::StoredHyperlink;
using workbook::Workbook;

bool ValidSheetName(const std::string& name) {
    return !name.empty() && name.size() <= 31 &&
           name.find_first_of("[]:*?/\\") == std::string::npos;
}

void ActivateWorkbook(ExcelState& state, const Workbook& book) {
    for (std::size_t i = 0; i < state.workbooks.size(); ++i) {
        if (state.workbooks[i].get() == &book) {
            state.activeWorkbook = i;
        }
    }
}

// A window's FreezePanes: above and left of the selection of the sheet it shows.
void FreezeAtSelection(ExcelState& state, Sheet& sheet) {
    const SheetSelection& selection = state.SelectionOf(sheet);
    sheet.frozenAt = {{selection.row, selection.column}};
}

class ModelRange : public excel::Range {
public:
    enum class Kind { Cell, Row, Column, Block, RowSpan };

    ModelRange(ExcelState& state, Sheet& sheet, Kind kind, std::int32_t row, std::int32_t column,
               std::int32_t bottom = 0, std::int32_t right = 0)
        : state_(state), sheet_(sheet), kind_(kind), row_(row), column_(column), bottom_(bottom),
          right_(right) {}

    Sheet& sheet() const { return sheet_; }
    bool IsCell() const { return kind_ == Kind::Cell; }
    std::int32_t row() const { return row_; }
    std::int32_t column() const { return column_; }

    CellValue Value() override {
        const CellEntry& entry = CellOnly().Entry(row_, column_);
        switch (entry.kind) {
        case CellKind::Empty:
            return {};
        case CellKind::Text:
        case CellKind::Formula:
        case CellKind::Error:
            return entry.text;
        case CellKind::Boolean:
            return entry.truth;
        case CellKind::Number:
        case CellKind::Date:
            return entry.number;
        }
        return {};
    }

    void SetValue(const CellValue& value) override {
        // One cell takes a text too long for it, cut to fit.
        if (const auto* text = std::get_if<std::string>(&value);
            state_.excelLimits && text && Utf16Length(*text) > excel::kCellCharacters) {
            workbook::TypeInto(CellOnly(), row_, column_,
                               std::string(Utf16Prefix(*text, excel::kCellCharacters)),
                               state_.currentYear);
            return;
        }
        workbook::TypeInto(CellOnly(), row_, column_, value, state_.currentYear);
    }

    void SetValues(const excel::CellBlock& values) override {
        if (kind_ != Kind::Block || values.rows != bottom_ - row_ + 1 ||
            values.columns != right_ - column_ + 1) {
            Refuse("Application-defined or object-defined error");
        }
        // A block refuses a text too long for a cell, and takes none of its values.
        for (const CellValue& value : values.values) {
            if (const auto* text = std::get_if<std::string>(&value);
                state_.excelLimits && text && Utf16Length(*text) > excel::kCellCharacters) {
                Refuse("Application-defined or object-defined error");
            }
        }
        sheet_.Reserve(row_, bottom_, right_);
        for (std::int32_t r = 0; r < values.rows; ++r) {
            for (std::int32_t c = 0; c < values.columns; ++c) {
                workbook::TypeInto(sheet_, row_ + r, column_ + c, values.At(r, c),
                                   state_.currentYear);
            }
        }
    }

    void Select() override {
        // Only what the user sees can be selected: a range of the active workbook's active sheet.
        const Workbook* active = state_.ActiveWorkbook();
        if (!active || active->sheets.at(active->activeSheet).get() != &sheet_) {
            Refuse("Select method of Range class failed");
        }
        state_.SelectionOf(sheet_) = {kind_ == Kind::Column ? 1 : row_,
                                      kind_ == Kind::Row ? 1 : column_};
    }

    std::int32_t Row() override { return kind_ == Kind::Column ? 1 : row_; }

    std::shared_ptr<excel::Range> SpecialCells(std::int32_t kind) override {
        if (kind != kLastCellKind) {
            Refuse("No cells were found.");
        }
        const auto [row, column] = sheet_.LastCell();
        return std::make_shared<ModelRange>(state_, sheet_, Kind::Cell, row, column);
    }

    double Left() override { return kind_ == Kind::Row ? 0 : sheet_.ColumnLeft(column_); }
    double Top() override { return kind_ == Kind::Column ? 0 : sheet_.RowTop(row_); }
    double Width() override { return sheet_.ColumnWidthPoints(kind_ == Kind::Row ? 1 : column_); }
    double RowHeight() override { return sheet_.RowHeight(kind_ == Kind::Column ? 1 : row_); }
    void SetRowHeight(double points) override {
        if (kind_ == Kind::Column || points < 0 || points > 409) {
            Refuse("Unable to set the RowHeight property of the Range class");
        }
        sheet_.SetRowHeight(row_, points);
    }
    void SetColumnWidth(double characters) override {
        if (kind_ == Kind::Row || characters < 0 || characters > 255) {
            Refuse("Unable to set the ColumnWidth property of the Range class");
        }
        sheet_.columns[column_].width = characters;
    }
    void SetFontBold(bool bold) override {
        EachFormat([&](Format& format) { format.bold = bold; });
    }
    void SetFontColorIndex(std::int32_t index) override {
        CheckPaletteIndex(index);
        EachFormat([&](Format& format) { format.fontColorIndex = index; });
    }
    void SetInteriorColorIndex(std::int32_t index) override {
        CheckPaletteIndex(index);
        EachFormat([&](Format& format) { format.interiorColorIndex = index; });
    }
    void SetHorizontalAlignment(std::int32_t alignment) override {
        EachFormat([&](Format& format) { format.horizontalAlignment = alignment; });
    }

private:
    Sheet& CellOnly() const {
        if (kind_ != Kind::Cell) {
            Refuse("This workbook reads and writes values of single cells only.");
        }
        return sheet_;
    }
    // A run of rows is formatted row by row, as if each row were formatted alone.
    template <class Edit> void EachFormat(Edit edit) {
        switch (kind_) {
        case Kind::Row:
            edit(sheet_.rows[row_].format);
            return;
        case Kind::RowSpan:
            for (std::int32_t row = row_; row <= bottom_; ++row) {
                edit(sheet_.rows[row].format);
            }
            return;
        case Kind::Column:
            edit(sheet_.columns[column_].format);
            return;
        case Kind::Block:
            Refuse("This workbook formats single cells, rows and columns only.");
        case Kind::Cell:
            edit(sheet_.At(row_, column_).format);
            return;
        }
    }
    static void CheckPaletteIndex(std::int32_t index) {
        if ((index < 1 || index > 56) && index != -4142 && index != -4105) {
            Refuse("Unable to set the ColorIndex property");
        }
    }

    ExcelState& state_;
    Sheet& sheet_;
    Kind kind_;
    std::int32_t row_;
    std::int32_t column_;
    std::int32_t bottom_;
    std::int32_t right_;
};

// An .xlsx of this model holds no buttons, check boxes or macros.
[[noreturn]] void NoShapesOrMacros() {
    RefuseUnsupported();
}

class ModelWorksheet : public SessionWorksheet {
public:
    ModelWorksheet(ExcelState& state, Workbook& book, Sheet& sheet)
        : state_(state), book_(book), sheet_(sheet) {}

    std::string Name() override { return sheet_.name; }
    void SetName(const std::string& name) override {
        const Sheet* holder = book_.FindSheet(name);
        if (!ValidSheetName(name) || (holder && holder != &sheet_)) {
            Refuse("That name is already taken. Try a different one.");
        }
        sheet_.name = name;
    }
    void Activate() override {
        ActivateWorkbook(state_, book_);
        for (std::size_t i = 0; i < book_.sheets.size(); ++i) {
            if (book_.sheets[i].get() == &sheet_) {
                book_.activeSheet = i;
            }
        }
    }
    std::shared_ptr<excel::Range> Cells(std::int32_t row, std::int32_t column) override {
        CheckRow(row);
        CheckColumn(column);
        return std::make_shared<ModelRange>(state_, sheet_, ModelRange::Kind::Cell, row, column);
    }
    std::shared_ptr<excel::Range> Rows(std::int32_t row) override {
        CheckRow(row);
        return std::make_shared<ModelRange>(state_, sheet_, ModelRange::Kind::Row, row, 1);
    }
    std::shared_ptr<excel::Range> Columns(std::int32_t column) override {
        CheckColumn(column);
        return std::make_shared<ModelRange>(state_, sheet_, ModelRange::Kind::Column, 1, column);
    }
    std::shared_ptr<excel::Range> RowSpan(std::int32_t first, std::int32_t last) override {
        CheckRow(first);
        CheckRow(last);
        if (last < first) {
            Refuse("Application-defined or object-defined error");
        }
        return std::make_shared<ModelRange>(state_, sheet_, ModelRange::Kind::RowSpan, first, 1,
                                            last, 1);
    }
    std::shared_ptr<excel::Range> Block(std::int32_t top, std::int32_t left, std::int32_t bottom,
                                        std::int32_t right) override {
        CheckRow(top);
        CheckRow(bottom);
        CheckColumn(left);
        CheckColumn(right);
        if (bottom < top || right < left) {
            Refuse("Method 'Range' of object '_Worksheet' failed");
        }
        return std::make_shared<ModelRange>(state_, sheet_, ModelRange::Kind::Block, top, left,
                                            bottom, right);
    }
    std::shared_ptr<excel::Shape> AddButton(double, double, double, double) override {
        NoShapesOrMacros();
    }
    std::shared_ptr<excel::Shape> AddCheckBox(double, double, double, double) override {
        NoShapesOrMacros();
    }
    std::int32_t CheckBoxCount() override { return 0; }
    std::shared_ptr<excel::Shape> AllCheckBoxes() override { NoShapesOrMacros(); }
    std::shared_ptr<excel::Shape> CheckBox(std::int32_t) override {
        throw Failure(kBadIndex, "Unable to get the Item property of the CheckBoxes class");
    }
    void AddHyperlink(excel::Range& anchor, const std::string& address,
                      const std::string& textToDisplay) override {
        auto* cell = dynamic_cast<ModelRange*>(&anchor);
        if (!cell || !cell->IsCell() || &cell->sheet() != &sheet_) {
            Refuse("Application-defined or object-defined error");
        }
        // A cell has one hyperlink; a new one replaces it.
        if (state_.excelLimits && sheet_.hyperlinks.size() >= excel::kHyperlinksPerSheet &&
            !sheet_.hyperlinkOfCell.contains(Sheet::Key(cell->row(), cell->column()))) {
            Refuse("Application-defined or object-defined error");
        }
        workbook::LinkCell(sheet_, cell->row(), cell->column(), address, textToDisplay);
    }

private:
    static void CheckRow(std::int32_t row) {
        if (row < 1 || row > 1048576) {
            Refuse("Application-defined or object-defined error");
        }
    }
    static void CheckColumn(std::int32_t column) {
        if (column < 1 || column > 16384) {
            Refuse("Application-defined or object-defined error");
        }
    }
    ExcelState& state_;
    Workbook& book_;
    Sheet& sheet_;
};

class ModelWorkbook : public SessionWorkbook {
public:
    ModelWorkbook(ExcelState& state, workbook::Workbook& book) : state_(state), book_(book) {}

    void SelectSheet(const std::string& name) override { book_.activeSheet = IndexOf(name); }
    std::shared_ptr<excel::Worksheet> SheetNamed(const std::string& name) {
        return std::make_shared<ModelWorksheet>(state_, book_, *book_.sheets[IndexOf(name)]);
    }
    void Activate() override { ActivateWorkbook(state_, book_); }
    void FreezePanes() override { FreezeAtSelection(state_, *book_.sheets.at(book_.activeSheet)); }
    std::shared_ptr<excel::Worksheet> ActiveSheet() override {
        return std::make_shared<ModelWorksheet>(state_, book_, *book_.sheets.at(book_.activeSheet));
    }
    std::shared_ptr<excel::Worksheet> Sheet(std::int32_t index) override {
        if (index < 1 || index > static_cast<std::int32_t>(book_.sheets.size())) {
            throw Failure(kBadIndex, "Subscript out of range");
        }
        return std::make_shared<ModelWorksheet>(state_, book_,
                                                *book_.sheets[static_cast<std::size_t>(index - 1)]);
    }
    std::shared_ptr<excel::Worksheet> AddWorksheet() override {
        std::string name;
        do {
            name = state_.sheetNamePrefix + std::to_string(state_.nextSheetNumber[&book_]++);
        } while (book_.FindSheet(name));
        auto sheet = std::make_unique<workbook::Sheet>();
        sheet->name = name;
        workbook::Sheet& added = *sheet;
        book_.sheets.insert(book_.sheets.begin() + static_cast<std::ptrdiff_t>(book_.activeSheet),
                            std::move(sheet));
        return std::make_shared<ModelWorksheet>(state_, book_, added);
    }
    std::shared_ptr<excel::VBProject> VBProject() override { NoShapesOrMacros(); }

private:
    std::size_t IndexOf(const std::string& name) const {
        for (std::size_t i = 0; i < book_.sheets.size(); ++i) {
            if (EqualsIgnoringCase(book_.sheets[i]->name, name)) {
                return i;
            }
        }
        throw Failure(kBadIndex, "Subscript out of range");
    }

    ExcelState& state_;
    workbook::Workbook& book_;
};

class ModelApplication : public SessionApplication {
public:
    explicit ModelApplication(std::shared_ptr<ExcelState> state) : state_(std::move(state)) {}

    void SetVisible(bool visible) override { state_->visible = visible; }
    void SetWindowState(std::int32_t windowState) override { state_->windowState = windowState; }
    void SetScreenUpdating(bool updating) override { state_->screenUpdating = updating; }
    std::shared_ptr<excel::Workbook> AddWorkbook() override {
        state_->workbooks.push_back(
            state_->NewWorkbook("Book" + std::to_string(state_->nextBookNumber++)));
        state_->activeWorkbook = state_->workbooks.size() - 1;
        return std::make_shared<ModelWorkbook>(*state_, *state_->workbooks.back());
    }
    std::shared_ptr<excel::Workbook> ActiveWorkbook() override {
        return std::make_shared<ModelWorkbook>(*state_, Active());
    }
    std::shared_ptr<excel::Range> ActiveCell() override {
        Sheet& sheet = ActiveSheet();
        return std::make_shared<ModelRange>(*state_, sheet, ModelRange::Kind::Cell,
                                            state_->SelectionOf(sheet).row,
                                            state_->SelectionOf(sheet).column);
    }
    std::shared_ptr<excel::Range> SelectedRange() override {
        Sheet& sheet = ActiveSheet();
        return std::make_shared<ModelRange>(*state_, sheet, ModelRange::Kind::Cell,
                                            state_->SelectionOf(sheet).row,
                                            state_->SelectionOf(sheet).column);
    }
    std::shared_ptr<excel::Shape> SelectedShape() override { NoShapesOrMacros(); }
    void FreezePanes() override { FreezeAtSelection(*state_, ActiveSheet()); }

private:
    workbook::Workbook& Active() const {
        workbook::Workbook* book = state_->ActiveWorkbook();
        if (!book) {
            throw Failure(kObjectNotSet, "Object variable or With block variable not set");
        }
        return *book;
    }
    Sheet& ActiveSheet() const {
        workbook::Workbook& book = Active();
        return *book.sheets.at(book.activeSheet);
    }

    std::shared_ptr<ExcelState> state_;
};

} // namespace

std::shared_ptr<excel::Application> MakeWorkbookApplication(std::shared_ptr<ExcelState> state) {
    return std::make_shared<ModelApplication>(std::move(state));
}

std::shared_ptr<excel::Worksheet> FindModelWorksheet(excel::Workbook& book,
                                                     const std::string& name) {
    return dynamic_cast<ModelWorkbook&>(book).SheetNamed(name);
}

} // namespace pw::standins
