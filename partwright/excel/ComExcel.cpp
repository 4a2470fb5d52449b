#include "ComExcel.h"

#include "CellAddress.h"
#include "ExcelCodes.h"
#include "shared/com/BlockVariant.h"
#include "shared/com/BusyServerRetry.h"
#include "shared/com/ComFailure.h"
#include "shared/com/Dispatch.h"
#include "shared/com/TextConvert.h"
#include "shared/com/ValueVariant.h"
#include "shared/com/VariantRead.h"

namespace pw::excel {
namespace {

using com::DispatchObject;
using com::NamedArg;
using com::UniqueVariant;

// One name cache per kind of Excel object.
template <class Kind> DispatchObject Of(DispatchObject object) {
    static const auto cache = std::make_shared<DispatchObject::NameCache>();
    return std::move(object.ShareNames(cache));
}

class ComRange : public Range {
public:
    explicit ComRange(DispatchObject range) : range_(Of<ComRange>(std::move(range))) {}
    DispatchObject& object() { return range_; }

    CellValue Value() override { return com::ValueOf(range_.Get("Value").get()); }
    void SetValue(const CellValue& value) override { range_.Put("Value", com::VariantOf(value)); }
    void SetValues(const CellBlock& values) override {
        range_.Put("Value", com::BlockVariant(values.rows, values.columns, [&](auto r, auto c) {
                       return com::VariantOf(values.At(r, c));
                   }));
    }
    void Select() override { range_.Call("Select"); }
    std::int32_t Row() override { return com::Int32Of(range_.Get("Row").get()); }
    std::shared_ptr<Range> SpecialCells(std::int32_t kind) override {
        return std::make_shared<ComRange>(
            DispatchObject::FromVariant(range_.Call("SpecialCells", kind).get()));
    }
    double Left() override { return com::DoubleOf(range_.Get("Left").get()); }
    double Top() override { return com::DoubleOf(range_.Get("Top").get()); }
    double Width() override { return com::DoubleOf(range_.Get("Width").get()); }
    double RowHeight() override { return com::DoubleOf(range_.Get("RowHeight").get()); }
    void SetRowHeight(double points) override { range_.Put("RowHeight", points); }
    void SetColumnWidth(double characters) override { range_.Put("ColumnWidth", characters); }
    void SetFontBold(bool bold) override { Part("Font").Put("Bold", bold); }
    void SetFontColorIndex(std::int32_t index) override { Part("Font").Put("ColorIndex", index); }
    void SetInteriorColorIndex(std::int32_t index) override {
        Part("Interior").Put("ColorIndex", index);
    }
    void SetHorizontalAlignment(std::int32_t alignment) override {
        range_.Put("HorizontalAlignment", alignment);
    }

private:
    struct FontOrInterior {};
    DispatchObject Part(const char* name) { return Of<FontOrInterior>(range_.GetObject(name)); }

    DispatchObject range_;
};

// Buttons and check boxes are objects of different kinds; a selection may be either.
struct ButtonKind {};
struct CheckBoxKind {};

class ComShape : public Shape {
public:
    explicit ComShape(DispatchObject shape) : shape_(std::move(shape)) {}

    void SetOnAction(const std::string& macro) override { shape_.Put("OnAction", macro); }
    void SetCaption(const std::string& caption) override {
        Part("Characters").Put("Text", caption);
    }
    void SetText(const std::string& text) override { shape_.Put("Text", text); }
    void SetLinkedCell(const std::string& reference) override {
        shape_.Put("LinkedCell", reference);
    }
    void SetBorderColor(std::int32_t rgb) override { Part("Border").Put("Color", rgb); }
    void SetInteriorColor(std::int32_t rgb) override { Part("Interior").Put("Color", rgb); }
    void SetValue(std::int32_t value) override { shape_.Put("Value", value); }

private:
    struct ShapePart {};
    DispatchObject Part(const char* name) { return Of<ShapePart>(shape_.GetObject(name)); }

    DispatchObject shape_;
};

class ComWorksheet : public Worksheet {
public:
    explicit ComWorksheet(DispatchObject sheet) : sheet_(Of<ComWorksheet>(std::move(sheet))) {}

    void SetName(const std::string& name) override { sheet_.Put("Name", name); }
    void Activate() override { sheet_.Call("Activate"); }
    // Cells, Rows and Columns are properties without arguments; Excel passes arguments given to
    // them on to the range's Item, which is called here directly, as every server accepts it.
    std::shared_ptr<Range> Cells(std::int32_t row, std::int32_t column) override {
        return std::make_shared<ComRange>(
            Kept(cells_, [&] { return Area("Cells"); }).GetObject("Item", row, column));
    }
    std::shared_ptr<Range> Rows(std::int32_t row) override {
        return std::make_shared<ComRange>(
            Kept(rows_, [&] { return Area("Rows"); }).GetObject("Item", row));
    }
    std::shared_ptr<Range> Columns(std::int32_t column) override {
        return std::make_shared<ComRange>(Area("Columns").GetObject("Item", column));
    }
    std::shared_ptr<Range> RowSpan(std::int32_t first, std::int32_t last) override {
        if (first == last) {
            return Rows(first);
        }
        return std::make_shared<ComRange>(
            Kept(rows_, [&] {
                return Area("Rows");
            }).GetObject("Item", std::to_string(first) + ":" + std::to_string(last)));
    }
    std::shared_ptr<Range> Block(std::int32_t top, std::int32_t left, std::int32_t bottom,
                                 std::int32_t right) override {
        return std::make_shared<ComRange>(sheet_.GetObject(
            "Range", AbsoluteReference(top, left) + ":" + AbsoluteReference(bottom, right)));
    }
    std::shared_ptr<Shape> AddButton(double left, double top, double width,
                                     double height) override {
        return std::make_shared<ComShape>(
            Of<ButtonKind>(AddShape("Buttons", left, top, width, height)));
    }
    std::shared_ptr<Shape> AddCheckBox(double left, double top, double width,
                                       double height) override {
        return std::make_shared<ComShape>(Of<CheckBoxKind>(
            DispatchObject::FromVariant(CheckBoxes().Call("Add", left, top, width, height).get())));
    }
    std::shared_ptr<Shape> AllCheckBoxes() override {
        return std::make_shared<ComShape>(Of<CheckBoxKind>(CheckBoxes()));
    }
    void AddHyperlink(Range& anchor, const std::string& address,
                      const std::string& textToDisplay) override {
        auto& cell = dynamic_cast<ComRange&>(anchor);
        Kept(hyperlinks_, [&] { return sheet_.GetObject("Hyperlinks"); })
            .CallNamed("Add", {{"Anchor", UniqueVariant(cell.object().get())},
                               {"Address", UniqueVariant(std::string_view(address))},
                               {"TextToDisplay", UniqueVariant(std::string_view(textToDisplay))}});
    }

private:
    DispatchObject Area(const char* name) { return Of<ComRange>(sheet_.GetObject(name)); }
    // The sheet's collections are live views, so each is asked for once and kept: a round trip
    // fewer for every cell, check box and hyperlink.
    template <class Get> DispatchObject& Kept(DispatchObject& slot, Get get) {
        if (!slot) {
            slot = get();
        }
        return slot;
    }
    DispatchObject& CheckBoxes() {
        return Kept(checkBoxes_, [&] { return Collection("CheckBoxes"); });
    }

    struct ShapeCollection {};
    DispatchObject Collection(const char* name) {
        return Of<ShapeCollection>(sheet_.GetObject(name));
    }
    DispatchObject AddShape(const char* collection, double left, double top, double width,
                            double height) {
        return DispatchObject::FromVariant(
            Collection(collection).Call("Add", left, top, width, height).get());
    }

    DispatchObject sheet_;
    DispatchObject cells_;
    DispatchObject rows_;
    DispatchObject checkBoxes_;
    DispatchObject hyperlinks_;
};

class ComCodeModule : public CodeModule {
public:
    explicit ComCodeModule(DispatchObject code) : code_(std::move(code)) {}
    void AddFromString(const std::string& text) override { code_.Call("AddFromString", text); }

private:
    DispatchObject code_;
};

class ComComponent : public VBComponent {
public:
    explicit ComComponent(DispatchObject component) : component_(std::move(component)) {}
    void SetName(const std::string& name) override { component_.Put("Name", name); }
    std::shared_ptr<excel::CodeModule> CodeModule() override {
        return std::make_shared<ComCodeModule>(component_.GetObject("CodeModule"));
    }

private:
    DispatchObject component_;
};

class ComProject : public VBProject {
public:
    explicit ComProject(DispatchObject project) : project_(std::move(project)) {}
    std::shared_ptr<VBComponent> AddComponent(std::int32_t type) override {
        return std::make_shared<ComComponent>(DispatchObject::FromVariant(
            project_.GetObject("VBComponents").Call("Add", type).get()));
    }

private:
    DispatchObject project_;
};

class ComWorkbook : public Workbook {
public:
    explicit ComWorkbook(DispatchObject book) : book_(Of<ComWorkbook>(std::move(book))) {}
    void FreezePanes() override {
        DispatchObject::FromVariant(book_.GetObject("Windows").Call("Item", 1).get())
            .Put("FreezePanes", true);
    }
    std::shared_ptr<Worksheet> Sheet(std::int32_t index) override {
        return std::make_shared<ComWorksheet>(
            DispatchObject::FromVariant(book_.GetObject("Worksheets").Call("Item", index).get()));
    }
    std::shared_ptr<Worksheet> AddWorksheet() override {
        return std::make_shared<ComWorksheet>(
            DispatchObject::FromVariant(book_.GetObject("Worksheets").Call("Add").get()));
    }
    std::shared_ptr<excel::VBProject> VBProject() override {
        return std::make_shared<ComProject>(book_.GetObject("VBProject"));
    }

private:
    DispatchObject book_;
};

class ComApplication : public Application {
public:
    explicit ComApplication(DispatchObject app) : app_(std::move(app)) {}

    void SetVisible(bool visible) override { app_.Put("Visible", visible); }
    void SetWindowState(std::int32_t state) override { app_.Put("WindowState", state); }
    void SetScreenUpdating(bool updating) override { app_.Put("ScreenUpdating", updating); }
    std::shared_ptr<Workbook> AddWorkbook() override {
        return std::make_shared<ComWorkbook>(
            DispatchObject::FromVariant(app_.GetObject("Workbooks").Call("Add").get()));
    }
    std::shared_ptr<Workbook> ActiveWorkbook() override {
        const UniqueVariant book = app_.Get("ActiveWorkbook");
        if (book.vt() != VT_DISPATCH || !book.get().pdispVal) {
            throw Failure(kObjectNotSet, "Object variable or With block variable not set");
        }
        return std::make_shared<ComWorkbook>(DispatchObject::FromVariant(book.get()));
    }

private:
    DispatchObject app_;
};

CLSID ExcelClass() {
    CLSID excel;
    com::ThrowIfFailed(CLSIDFromProgID(L"Excel.Application", &excel), "Finding Excel");
    return excel;
}

} // namespace

std::shared_ptr<Application> ComExcelLauncher::Attach() {
    com::ComPtr<IUnknown> running;
    com::ThrowIfFailed(GetActiveObject(ExcelClass(), nullptr, running.put()), "Attaching to Excel");
    com::ComPtr<IDispatch> app;
    com::ThrowIfFailed(running->QueryInterface(IID_IDispatch, app.put_void()),
                       "Attaching to Excel");
    return std::make_shared<ComApplication>(DispatchObject(std::move(app)));
}

std::shared_ptr<Application> ComExcelLauncher::Start() {
    return std::make_shared<ComApplication>(DispatchObject::Create(ExcelClass()));
}

std::unique_ptr<BusyWait>
ComExcelLauncher::WaitWhileBusy(std::chrono::seconds limit,
                                std::function<void(std::chrono::seconds waited)> onWait) {
    struct Retrying : BusyWait {
        Retrying(std::chrono::seconds limit, std::function<void(std::chrono::seconds)> onWait)
            : retry(limit, std::move(onWait)) {}
        com::BusyServerRetry retry;
    };
    return std::make_unique<Retrying>(limit, std::move(onWait));
}

} // namespace pw::excel
