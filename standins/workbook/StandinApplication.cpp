#include "StandinApplication.h"

#include "MacroProject.h"
#include "SessionApi.h"
#include "ShapeObjects.h"
#include "partwright/excel/ExcelCodes.h"
#include "shared/core/Failure.h"
#include "standins/workbook/ExcelFailures.h"
#include "standins/workbook/WorkbookApplication.h"

namespace pw::standins {
namespace {

using workbook::Sheet;

struct Context {
    std::shared_ptr<ExcelState> state;
    std::shared_ptr<ExcelFaults> faults;
    std::shared_ptr<ShapesAndModules> aside;
};
using Shared = std::shared_ptr<Context>;

// The cells a range covers, so that check boxes linked to them follow what is written there.
struct Area {
    std::int32_t top;
    std::int32_t left;
    std::int32_t bottom;
    std::int32_t right;
};
constexpr std::int32_t kLastRow = 1048576;
constexpr std::int32_t kLastColumn = 16384;

workbook::Workbook& ActiveBook(const ExcelState& state) {
    workbook::Workbook* book = state.ActiveWorkbook();
    if (!book) {
        throw Failure(excel::kObjectNotSet, "Object variable or With block variable not set");
    }
    return *book;
}

Sheet& ActiveSheetOf(const workbook::Workbook& book) {
    return *book.sheets.at(book.activeSheet);
}

// Each wrapper enters the faults once per member, then asks the object it wraps.
template <class Inner> class Wrapper {
public:
    Wrapper(std::shared_ptr<Inner> inner, Shared context)
        : inner_(std::move(inner)), context_(std::move(context)) {}
    Inner& Wrapped() const { return *inner_; }

protected:
    Inner& Enter() {
        context_->faults->Enter();
        return *inner_;
    }
    const Shared& Context() const { return context_; }
    ExcelFaults& Plan() const { return *context_->faults; }
    ShapesAndModules& Aside() const { return *context_->aside; }
    ExcelState& State() const { return *context_->state; }
    // What the stand-in offers beyond Partwright's calls, faults entered as for any member.
    auto& EnterSession() { return Session(Enter()); }

private:
    std::shared_ptr<Inner> inner_;
    Shared context_;
};

class StandinRange : public excel::Range, public Wrapper<excel::Range> {
public:
    StandinRange(std::shared_ptr<excel::Range> inner, Shared context, Sheet& sheet, Area area)
        : Wrapper(std::move(inner), std::move(context)), sheet_(sheet), area_(area) {}

    excel::CellValue Value() override { return Enter().Value(); }
    void SetValue(const excel::CellValue& value) override {
        Enter().SetValue(value);
        FollowWrittenCells();
    }
    void SetValues(const excel::CellBlock& values) override {
        Enter().SetValues(values);
        FollowWrittenCells();
    }
    void Select() override {
        Enter().Select();
        Aside().Shapes(sheet_).selected.reset();
    }
    std::int32_t Row() override { return Enter().Row(); }
    std::shared_ptr<excel::Range> SpecialCells(std::int32_t kind) override {
        auto found = Enter().SpecialCells(kind);
        const auto [row, column] = sheet_.LastCell();
        return std::make_shared<StandinRange>(std::move(found), Context(), sheet_,
                                              Area{row, column, row, column});
    }
    double Left() override { return Enter().Left(); }
    double Top() override { return Enter().Top(); }
    double Width() override { return Enter().Width(); }
    double RowHeight() override { return Enter().RowHeight(); }
    void SetRowHeight(double points) override { Enter().SetRowHeight(points); }
    void SetColumnWidth(double characters) override { Enter().SetColumnWidth(characters); }
    void SetFontBold(bool bold) override { Enter().SetFontBold(bold); }
    void SetFontColorIndex(std::int32_t index) override { Enter().SetFontColorIndex(index); }
    void SetInteriorColorIndex(std::int32_t index) override {
        Enter().SetInteriorColorIndex(index);
    }
    void SetHorizontalAlignment(std::int32_t alignment) override {
        Enter().SetHorizontalAlignment(alignment);
    }

private:
    void FollowWrittenCells() {
        if (const SheetShapes* shapes = Aside().FindShapes(sheet_);
            shapes && !shapes->boxesOfCell.empty()) {
            FollowLinkedCells(sheet_, Aside().Shapes(sheet_), area_.top, area_.left, area_.bottom,
                              area_.right);
        }
    }

    Sheet& sheet_;
    Area area_;
};

class StandinShapeCalls : public SessionShape, public Wrapper<excel::Shape> {
public:
    using Wrapper::Wrapper;
    void Select() override { EnterSession().Select(); }
    void SetOnAction(const std::string& macro) override { Enter().SetOnAction(macro); }
    void SetCaption(const std::string& caption) override { Enter().SetCaption(caption); }
    void SetText(const std::string& text) override { Enter().SetText(text); }
    void SetLinkedCell(const std::string& reference) override { Enter().SetLinkedCell(reference); }
    void SetBorderColor(std::int32_t rgb) override { Enter().SetBorderColor(rgb); }
    void SetInteriorColor(std::int32_t rgb) override { Enter().SetInteriorColor(rgb); }
    void SetValue(std::int32_t value) override { Enter().SetValue(value); }
};

class StandinWorksheet : public SessionWorksheet, public Wrapper<excel::Worksheet> {
public:
    StandinWorksheet(std::shared_ptr<excel::Worksheet> inner, Shared context, Sheet& sheet)
        : Wrapper(std::move(inner), std::move(context)), sheet_(sheet) {}

    std::string Name() override { return EnterSession().Name(); }
    void SetName(const std::string& name) override { Enter().SetName(name); }
    void Activate() override { Enter().Activate(); }
    std::shared_ptr<excel::Range> Cells(std::int32_t row, std::int32_t column) override {
        return Range(Enter().Cells(row, column), {row, column, row, column});
    }
    std::shared_ptr<excel::Range> Rows(std::int32_t row) override {
        return Range(Enter().Rows(row), {row, 1, row, kLastColumn});
    }
    std::shared_ptr<excel::Range> Columns(std::int32_t column) override {
        return Range(Enter().Columns(column), {1, column, kLastRow, column});
    }
    std::shared_ptr<excel::Range> RowSpan(std::int32_t first, std::int32_t last) override {
        return Range(Enter().RowSpan(first, last), {first, 1, last, kLastColumn});
    }
    std::shared_ptr<excel::Range> Block(std::int32_t top, std::int32_t left, std::int32_t bottom,
                                        std::int32_t right) override {
        return Range(Enter().Block(top, left, bottom, right), {top, left, bottom, right});
    }
    std::shared_ptr<excel::Shape> AddButton(double left, double top, double width,
                                            double height) override {
        return Add(ShapeKind::Button, left, top, width, height);
    }
    std::shared_ptr<excel::Shape> AddCheckBox(double left, double top, double width,
                                              double height) override {
        return Add(ShapeKind::CheckBox, left, top, width, height);
    }
    std::int32_t CheckBoxCount() override {
        Enter();
        const SheetShapes* shapes = Aside().FindShapes(sheet_);
        return shapes ? static_cast<std::int32_t>(shapes->checkBoxes.size()) : 0;
    }
    std::shared_ptr<excel::Shape> AllCheckBoxes() override {
        Enter();
        return Calls(MakeAllCheckBoxes(sheet_, Aside().Shapes(sheet_)));
    }
    std::shared_ptr<excel::Shape> CheckBox(std::int32_t index) override {
        Enter();
        SheetShapes& shapes = Aside().Shapes(sheet_);
        if (index < 1 || index > static_cast<std::int32_t>(shapes.checkBoxes.size())) {
            throw Failure(excel::kBadIndex,
                          "Unable to get the Item property of the CheckBoxes class");
        }
        return Calls(
            MakeShape(sheet_, shapes, shapes.checkBoxes[static_cast<std::size_t>(index - 1)]));
    }
    // The anchor came through the stand-in too: the sheet takes the range it wraps.
    void AddHyperlink(excel::Range& anchor, const std::string& address,
                      const std::string& textToDisplay) override {
        auto* wrapped = dynamic_cast<StandinRange*>(&anchor);
        Enter().AddHyperlink(wrapped ? wrapped->Wrapped() : anchor, address, textToDisplay);
    }

private:
    std::shared_ptr<excel::Range> Range(std::shared_ptr<excel::Range> inner, Area area) {
        return std::make_shared<StandinRange>(std::move(inner), Context(), sheet_, area);
    }
    std::shared_ptr<excel::Shape> Calls(std::shared_ptr<excel::Shape> shape) {
        return std::make_shared<StandinShapeCalls>(std::move(shape), Context());
    }
    std::shared_ptr<excel::Shape> Add(ShapeKind kind, double left, double top, double width,
                                      double height) {
        Enter();
        if (kind == ShapeKind::CheckBox && ++Plan().checkBoxesAdded == Plan().refusedCheckBox) {
            throw Failure(excel::kApplicationError, "Unable to get the Add property of the "
                                                    "CheckBoxes class");
        }
        SheetShapes& shapes = Aside().Shapes(sheet_);
        return Calls(MakeShape(sheet_, shapes, AddShape(shapes, kind, left, top, width, height)));
    }

    Sheet& sheet_;
};

class StandinCodeModule : public excel::CodeModule, public Wrapper<excel::CodeModule> {
public:
    using Wrapper::Wrapper;
    void AddFromString(const std::string& text) override { Enter().AddFromString(text); }
};

class StandinComponent : public SessionVBComponent, public Wrapper<excel::VBComponent> {
public:
    using Wrapper::Wrapper;
    std::string Name() override { return EnterSession().Name(); }
    void SetName(const std::string& name) override { Enter().SetName(name); }
    std::int32_t Type() override { return EnterSession().Type(); }
    std::shared_ptr<excel::CodeModule> CodeModule() override {
        return std::make_shared<StandinCodeModule>(Enter().CodeModule(), Context());
    }
};

class StandinProject : public SessionVBProject, public Wrapper<excel::VBProject> {
public:
    using Wrapper::Wrapper;
    std::int32_t ComponentCount() override { return EnterSession().ComponentCount(); }
    std::shared_ptr<excel::VBComponent> Component(std::int32_t index) override {
        return std::make_shared<StandinComponent>(EnterSession().Component(index), Context());
    }
    std::shared_ptr<excel::VBComponent> AddComponent(std::int32_t type) override {
        return std::make_shared<StandinComponent>(Enter().AddComponent(type), Context());
    }
};

class StandinWorkbook : public SessionWorkbook, public Wrapper<excel::Workbook> {
public:
    // The workbook's document modules are named as its sheets are when it is first reached.
    StandinWorkbook(std::shared_ptr<excel::Workbook> inner, Shared context,
                    workbook::Workbook& book)
        : Wrapper(std::move(inner), std::move(context)), book_(book) {
        Aside().Modules(book_);
    }

    void SelectSheet(const std::string& name) override { EnterSession().SelectSheet(name); }
    void Activate() override { EnterSession().Activate(); }
    void FreezePanes() override { Enter().FreezePanes(); }
    std::shared_ptr<excel::Worksheet> ActiveSheet() override {
        auto sheet = EnterSession().ActiveSheet();
        return Worksheet(std::move(sheet), ActiveSheetOf(book_));
    }
    std::shared_ptr<excel::Worksheet> Sheet(std::int32_t index) override {
        auto sheet = Enter().Sheet(index);
        return Worksheet(std::move(sheet), *book_.sheets.at(static_cast<std::size_t>(index - 1)));
    }
    std::shared_ptr<excel::Worksheet> AddWorksheet() override {
        excel::Workbook& book = Enter();
        if (Plan().worksheetAddsLeft == 0) {
            throw Failure(excel::kApplicationError, "Method 'Add' of object 'Sheets' failed");
        }
        if (Plan().worksheetAddsLeft > 0) {
            --Plan().worksheetAddsLeft;
        }
        auto sheet = book.AddWorksheet();
        const std::string name = Session(*sheet).Name();
        Aside().Modules(book_).push_back({name, 100, {}, {}});
        return Worksheet(std::move(sheet), *book_.FindSheet(name));
    }
    std::shared_ptr<excel::VBProject> VBProject() override {
        Enter();
        if (Plan().refuseMacroProject) {
            throw Failure(excel::kApplicationError,
                          "Programmatic access to Visual Basic Project is not trusted");
        }
        return std::make_shared<StandinProject>(MakeMacroProject(Aside().Modules(book_)),
                                                Context());
    }
    std::shared_ptr<excel::Worksheet> SheetNamed(const std::string& name) {
        auto sheet = FindModelWorksheet(Enter(), name);
        return Worksheet(std::move(sheet), *book_.FindSheet(name));
    }

private:
    std::shared_ptr<excel::Worksheet> Worksheet(std::shared_ptr<excel::Worksheet> inner,
                                                workbook::Sheet& sheet) {
        return std::make_shared<StandinWorksheet>(std::move(inner), Context(), sheet);
    }

    workbook::Workbook& book_;
};

class StandinApplication : public SessionApplication, public Wrapper<excel::Application> {
public:
    using Wrapper::Wrapper;
    void SetVisible(bool visible) override { Enter().SetVisible(visible); }
    void SetWindowState(std::int32_t state) override { Enter().SetWindowState(state); }
    void SetScreenUpdating(bool updating) override { Enter().SetScreenUpdating(updating); }
    std::shared_ptr<excel::Workbook> AddWorkbook() override {
        excel::Application& app = Enter();
        if (Plan().refuseWorkbookAdd) {
            throw Failure(excel::kApplicationError, "Method 'Add' of object 'Workbooks' failed");
        }
        auto book = app.AddWorkbook();
        return Workbook(std::move(book), *State().workbooks.back());
    }
    std::shared_ptr<excel::Workbook> ActiveWorkbook() override {
        auto book = Enter().ActiveWorkbook();
        return Workbook(std::move(book), ActiveBook(State()));
    }
    std::shared_ptr<excel::Range> ActiveCell() override {
        auto cell = EnterSession().ActiveCell();
        return Cell(std::move(cell));
    }
    std::shared_ptr<excel::Range> SelectedRange() override {
        SessionApplication& app = EnterSession();
        if (SelectedShapeOfActiveSheet()) {
            RefuseUnsupported();
        }
        return Cell(app.SelectedRange());
    }
    std::shared_ptr<excel::Shape> SelectedShape() override {
        Enter();
        const auto selected = SelectedShapeOfActiveSheet();
        if (!selected) {
            RefuseUnsupported();
        }
        Sheet& sheet = ActiveSheetOf(ActiveBook(State()));
        return std::make_shared<StandinShapeCalls>(
            MakeShape(sheet, Aside().Shapes(sheet), *selected), Context());
    }
    void FreezePanes() override { EnterSession().FreezePanes(); }

private:
    std::optional<std::size_t> SelectedShapeOfActiveSheet() const {
        const SheetShapes* shapes = Aside().FindShapes(ActiveSheetOf(ActiveBook(State())));
        return shapes ? shapes->selected : std::nullopt;
    }
    std::shared_ptr<excel::Workbook> Workbook(std::shared_ptr<excel::Workbook> inner,
                                              workbook::Workbook& book) {
        return std::make_shared<StandinWorkbook>(std::move(inner), Context(), book);
    }
    // The active sheet's active cell, as ActiveCell and Selection reach it.
    std::shared_ptr<excel::Range> Cell(std::shared_ptr<excel::Range> inner) {
        Sheet& sheet = ActiveSheetOf(ActiveBook(State()));
        const auto [row, column] = State().SelectionOf(sheet);
        return std::make_shared<StandinRange>(std::move(inner), Context(), sheet,
                                              Area{row, column, row, column});
    }
};

} // namespace

std::shared_ptr<excel::Application>
MakeStandinApplication(std::shared_ptr<ExcelState> state, std::shared_ptr<ExcelFaults> faults,
                       std::shared_ptr<ShapesAndModules> aside) {
    auto model = MakeWorkbookApplication(state);
    return std::make_shared<StandinApplication>(
        std::move(model),
        std::make_shared<Context>(Context{std::move(state), std::move(faults), std::move(aside)}));
}

std::shared_ptr<excel::Worksheet> FindWorksheet(excel::Workbook& book, const std::string& name) {
    return dynamic_cast<StandinWorkbook&>(book).SheetNamed(name);
}

} // namespace pw::standins
