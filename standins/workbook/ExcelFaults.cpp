#include "ExcelFaults.h"

#include "partwright/excel/ExcelCodes.h"
#include "partwright/workbook/WorkbookApplication.h"
#include "shared/core/Failure.h"

namespace pw::standins {

void ExcelFaults::Enter() {
    if (unreachable) {
        throw Failure(excel::kServerUnavailable, "The RPC server is unavailable.");
    }
    ++calls;
    if (onCall) {
        onCall();
    }
}

namespace {

using Faults = std::shared_ptr<ExcelFaults>;

// Each wrapper enters the faults once per member, then asks the object it wraps.
template <class Inner> class Faulty {
public:
    Faulty(std::shared_ptr<Inner> inner, Faults faults)
        : inner_(std::move(inner)), faults_(std::move(faults)) {}
    Inner& Wrapped() const { return *inner_; }

protected:
    Inner& Enter() {
        faults_->Enter();
        return *inner_;
    }
    template <class Wrapper, class Object> std::shared_ptr<Wrapper> Wrap(Object object) {
        return std::make_shared<Wrapper>(std::move(object), faults_);
    }
    ExcelFaults& Plan() { return *faults_; }

private:
    std::shared_ptr<Inner> inner_;
    Faults faults_;
};

class FaultyRange : public excel::Range, public Faulty<excel::Range> {
public:
    using Faulty::Faulty;
    excel::CellValue Value() override { return Enter().Value(); }
    void SetValue(const excel::CellValue& value) override { Enter().SetValue(value); }
    void SetValues(const excel::CellBlock& values) override { Enter().SetValues(values); }
    void Select() override { Enter().Select(); }
    std::int32_t Row() override { return Enter().Row(); }
    std::shared_ptr<excel::Range> SpecialCells(std::int32_t kind) override {
        return Wrap<FaultyRange>(Enter().SpecialCells(kind));
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
};

class FaultyShape : public excel::Shape, public Faulty<excel::Shape> {
public:
    using Faulty::Faulty;
    void Select() override { Enter().Select(); }
    void SetOnAction(const std::string& macro) override { Enter().SetOnAction(macro); }
    void SetCaption(const std::string& caption) override { Enter().SetCaption(caption); }
    void SetText(const std::string& text) override { Enter().SetText(text); }
    void SetLinkedCell(const std::string& reference) override { Enter().SetLinkedCell(reference); }
    void SetBorderColor(std::int32_t rgb) override { Enter().SetBorderColor(rgb); }
    void SetInteriorColor(std::int32_t rgb) override { Enter().SetInteriorColor(rgb); }
    void SetValue(std::int32_t value) override { Enter().SetValue(value); }
};

class FaultyWorksheet : public excel::Worksheet, public Faulty<excel::Worksheet> {
public:
    using Faulty::Faulty;
    std::string Name() override { return Enter().Name(); }
    void SetName(const std::string& name) override { Enter().SetName(name); }
    void Activate() override { Enter().Activate(); }
    std::shared_ptr<excel::Range> Cells(std::int32_t row, std::int32_t column) override {
        return Wrap<FaultyRange>(Enter().Cells(row, column));
    }
    std::shared_ptr<excel::Range> Rows(std::int32_t row) override {
        return Wrap<FaultyRange>(Enter().Rows(row));
    }
    std::shared_ptr<excel::Range> Columns(std::int32_t column) override {
        return Wrap<FaultyRange>(Enter().Columns(column));
    }
    std::shared_ptr<excel::Range> RowSpan(std::int32_t first, std::int32_t last) override {
        return Wrap<FaultyRange>(Enter().RowSpan(first, last));
    }
    std::shared_ptr<excel::Range> Block(std::int32_t top, std::int32_t left, std::int32_t bottom,
                                        std::int32_t right) override {
        return Wrap<FaultyRange>(Enter().Block(top, left, bottom, right));
    }
    std::shared_ptr<excel::Shape> AddButton(double left, double top, double width,
                                            double height) override {
        return Wrap<FaultyShape>(Enter().AddButton(left, top, width, height));
    }
    std::shared_ptr<excel::Shape> AddCheckBox(double left, double top, double width,
                                              double height) override {
        return Wrap<FaultyShape>(Enter().AddCheckBox(left, top, width, height));
    }
    std::int32_t CheckBoxCount() override { return Enter().CheckBoxCount(); }
    std::shared_ptr<excel::Shape> AllCheckBoxes() override {
        return Wrap<FaultyShape>(Enter().AllCheckBoxes());
    }
    std::shared_ptr<excel::Shape> CheckBox(std::int32_t index) override {
        return Wrap<FaultyShape>(Enter().CheckBox(index));
    }
    // The anchor came through the faults too: the sheet takes the range it wraps.
    void AddHyperlink(excel::Range& anchor, const std::string& address,
                      const std::string& textToDisplay) override {
        auto* wrapped = dynamic_cast<FaultyRange*>(&anchor);
        Enter().AddHyperlink(wrapped ? wrapped->Wrapped() : anchor, address, textToDisplay);
    }
};

class FaultyCodeModule : public excel::CodeModule, public Faulty<excel::CodeModule> {
public:
    using Faulty::Faulty;
    void AddFromString(const std::string& text) override { Enter().AddFromString(text); }
};

class FaultyComponent : public excel::VBComponent, public Faulty<excel::VBComponent> {
public:
    using Faulty::Faulty;
    std::string Name() override { return Enter().Name(); }
    void SetName(const std::string& name) override { Enter().SetName(name); }
    std::int32_t Type() override { return Enter().Type(); }
    std::shared_ptr<excel::CodeModule> CodeModule() override {
        return Wrap<FaultyCodeModule>(Enter().CodeModule());
    }
};

class FaultyProject : public excel::VBProject, public Faulty<excel::VBProject> {
public:
    using Faulty::Faulty;
    std::int32_t ComponentCount() override { return Enter().ComponentCount(); }
    std::shared_ptr<excel::VBComponent> Component(std::int32_t index) override {
        return Wrap<FaultyComponent>(Enter().Component(index));
    }
    std::shared_ptr<excel::VBComponent> AddComponent(std::int32_t type) override {
        return Wrap<FaultyComponent>(Enter().AddComponent(type));
    }
};

class FaultyWorkbook : public excel::Workbook, public Faulty<excel::Workbook> {
public:
    using Faulty::Faulty;
    void SelectSheet(const std::string& name) override { Enter().SelectSheet(name); }
    void Activate() override { Enter().Activate(); }
    void FreezePanes() override { Enter().FreezePanes(); }
    std::shared_ptr<excel::Worksheet> ActiveSheet() override {
        return Wrap<FaultyWorksheet>(Enter().ActiveSheet());
    }
    std::shared_ptr<excel::Worksheet> Sheet(std::int32_t index) override {
        return Wrap<FaultyWorksheet>(Enter().Sheet(index));
    }
    std::shared_ptr<excel::Worksheet> AddWorksheet() override {
        excel::Workbook& book = Enter();
        if (Plan().worksheetAddsLeft == 0) {
            throw Failure(excel::kApplicationError, "Method 'Add' of object 'Sheets' failed");
        }
        if (Plan().worksheetAddsLeft > 0) {
            --Plan().worksheetAddsLeft;
        }
        return Wrap<FaultyWorksheet>(book.AddWorksheet());
    }
    std::shared_ptr<excel::VBProject> VBProject() override {
        excel::Workbook& book = Enter();
        if (Plan().refuseMacroProject) {
            throw Failure(excel::kApplicationError,
                          "Programmatic access to Visual Basic Project is not trusted");
        }
        return Wrap<FaultyProject>(book.VBProject());
    }
    std::shared_ptr<excel::Worksheet> SheetNamed(const std::string& name) {
        return Wrap<FaultyWorksheet>(workbook::FindWorksheet(Enter(), name));
    }
};

class FaultyApplication : public excel::Application, public Faulty<excel::Application> {
public:
    using Faulty::Faulty;
    void SetVisible(bool visible) override { Enter().SetVisible(visible); }
    void SetWindowState(std::int32_t state) override { Enter().SetWindowState(state); }
    void SetScreenUpdating(bool updating) override { Enter().SetScreenUpdating(updating); }
    std::shared_ptr<excel::Workbook> AddWorkbook() override {
        return Wrap<FaultyWorkbook>(Enter().AddWorkbook());
    }
    std::shared_ptr<excel::Workbook> ActiveWorkbook() override {
        return Wrap<FaultyWorkbook>(Enter().ActiveWorkbook());
    }
    std::shared_ptr<excel::Range> ActiveCell() override {
        return Wrap<FaultyRange>(Enter().ActiveCell());
    }
    std::shared_ptr<excel::Range> SelectedRange() override {
        return Wrap<FaultyRange>(Enter().SelectedRange());
    }
    std::shared_ptr<excel::Shape> SelectedShape() override {
        return Wrap<FaultyShape>(Enter().SelectedShape());
    }
    void FreezePanes() override { Enter().FreezePanes(); }
};

} // namespace

std::shared_ptr<excel::Application> WithFaults(std::shared_ptr<excel::Application> app,
                                               std::shared_ptr<ExcelFaults> faults) {
    return std::make_shared<FaultyApplication>(std::move(app), std::move(faults));
}

std::shared_ptr<excel::Worksheet> FindWorksheet(excel::Workbook& book, const std::string& name) {
    return dynamic_cast<FaultyWorkbook&>(book).SheetNamed(name);
}

} // namespace pw::standins
