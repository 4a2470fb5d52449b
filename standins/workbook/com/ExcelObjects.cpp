#include "ExcelObjects.h"

#include "ExcelStandin.h"
#include "partwright/excel/ExcelCodes.h"
#include "shared/com/BlockVariant.h"
#include "shared/com/ComBoundary.h"
#include "shared/com/ComObject.h"
#include "shared/com/TextConvert.h"
#include "shared/com/TypedDispatch.h"
#include "shared/com/ValueVariant.h"
#include "shared/com/VariantRead.h"
#include "standins/com/OutParameters.h"
#include "standins/workbook/CellReference.h"
#include "standins/workbook/ExcelFailures.h"
#include "standins/workbook/SessionApi.h"
#include "standins/workbook/StandinApplication.h"

#include <functional>
#include <optional>
#include <vector>

namespace pw::standins {
namespace {

using namespace workbook;

using com::ComPtr;
using com::Guarded;
using com::Hand;
using com::HandText;
using com::MakeObject;
using com::Out;
using com::TypedDispatch;

constexpr HRESULT kNotSupported = static_cast<HRESULT>(excel::kNotSupported);
constexpr HRESULT kRangeFailed = static_cast<HRESULT>(excel::kApplicationError);

bool IsMissing(const VARIANT& value) {
    return value.vt == VT_ERROR && value.scode == DISP_E_PARAMNOTFOUND;
}

// What Select answers: True, as Excel does.
HRESULT Selected(VARIANT* result) {
    if (result) {
        VariantInit(result);
        result->vt = VT_BOOL;
        result->boolVal = VARIANT_TRUE;
    }
    return S_OK;
}

HRESULT HandDouble(double value, VARIANT* out) {
    Out(out) = com::UniqueVariant(value).release();
    return S_OK;
}

// A1 reference "$C$12" (or "C12") to (row, column).
std::pair<std::int32_t, std::int32_t> ParseReference(const std::string& text) {
    const auto cell = CellOfReference(text);
    if (!cell) {
        throw Failure(kRangeFailed, "Method 'Range' of object '_Worksheet' failed");
    }
    return *cell;
}

// "$A$1" or "$A$1:$B$2" to its top-left and bottom-right cells.
std::pair<std::pair<std::int32_t, std::int32_t>, std::pair<std::int32_t, std::int32_t>>
ParseBlockAddress(const std::string& address) {
    const std::size_t colon = address.find(':');
    const auto first = ParseReference(address.substr(0, colon));
    return {first, colon == std::string::npos ? first : ParseReference(address.substr(colon + 1))};
}

class FontObject final : public TypedDispatch<::Font> {
public:
    explicit FontObject(std::shared_ptr<excel::Range> range) : range_(std::move(range)) {}

    HRESULT STDMETHODCALLTYPE put_Bold(VARIANT bold) override {
        return Guarded([&] {
            range_->SetFontBold(com::BoolOf(bold));
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE put_ColorIndex(VARIANT index) override {
        return Guarded([&] {
            range_->SetFontColorIndex(com::Int32Of(index));
            return S_OK;
        });
    }

private:
    std::shared_ptr<excel::Range> range_;
};

// A range's interior takes palette indexes; a check box's takes colours.
class InteriorObject final : public TypedDispatch<::Interior> {
public:
    explicit InteriorObject(std::shared_ptr<excel::Range> range) : range_(std::move(range)) {}
    explicit InteriorObject(std::shared_ptr<excel::Shape> shape) : shape_(std::move(shape)) {}

    HRESULT STDMETHODCALLTYPE put_ColorIndex(VARIANT index) override {
        return Guarded([&] {
            if (!range_) {
                RefuseUnsupported();
            }
            range_->SetInteriorColorIndex(com::Int32Of(index));
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE put_Color(VARIANT color) override {
        return Guarded([&] {
            if (!shape_) {
                RefuseUnsupported();
            }
            shape_->SetInteriorColor(com::Int32Of(color));
            return S_OK;
        });
    }

private:
    std::shared_ptr<excel::Range> range_;
    std::shared_ptr<excel::Shape> shape_;
};

class BorderObject final : public TypedDispatch<::Border> {
public:
    explicit BorderObject(std::shared_ptr<excel::Shape> shape) : shape_(std::move(shape)) {}

    HRESULT STDMETHODCALLTYPE put_Color(VARIANT color) override {
        return Guarded([&] {
            shape_->SetBorderColor(com::Int32Of(color));
            return S_OK;
        });
    }

private:
    std::shared_ptr<excel::Shape> shape_;
};

// A range: one cell, row or column; or a sheet's Cells, Rows or Columns, from which Item picks.
class RangeObject final : public TypedDispatch<::Range> {
public:
    enum class Area { Cells, Rows, Columns };

    explicit RangeObject(std::shared_ptr<excel::Range> range) : range_(std::move(range)) {}
    RangeObject(std::shared_ptr<excel::Worksheet> sheet, Area area)
        : sheet_(std::move(sheet)), area_(area) {}

    const std::shared_ptr<excel::Range>& range() const { return range_; }

    HRESULT STDMETHODCALLTYPE get_Value(VARIANT* result) override {
        return Guarded([&] {
            Out(result) = com::VariantOf(Picked().Value()).release();
            return S_OK;
        });
    }
    // A two-dimensional array fills a block of cells in one call.
    HRESULT STDMETHODCALLTYPE put_Value(VARIANT value) override {
        return Guarded([&] {
            if ((value.vt & VT_ARRAY) == 0) {
                Picked().SetValue(com::ValueOf(value));
                return S_OK;
            }
            std::int32_t rows = 0;
            std::int32_t columns = 0;
            std::optional<excel::CellBlock> block; // sized once the array's bounds are read
            com::ForEachInBlock(value, rows, columns, [&](auto r, auto c, const VARIANT& cell) {
                if (!block) {
                    block.emplace(rows, columns);
                }
                block->At(r, c) = com::ValueOf(cell);
            });
            Picked().SetValues(block ? *block : excel::CellBlock(rows, columns));
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_Item(VARIANT row, VARIANT column, ::Range** result) override;
    HRESULT STDMETHODCALLTYPE Select(VARIANT* result) override {
        return Guarded([&] {
            Picked().Select();
            return Selected(result);
        });
    }
    HRESULT STDMETHODCALLTYPE get_Row(LONG* result) override {
        return Guarded([&] {
            Out(result) = Picked().Row();
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE SpecialCells(LONG type, VARIANT, ::Range** result) override {
        return Guarded(
            [&] { return Hand(MakeObject<RangeObject>(Picked().SpecialCells(type)), result); });
    }
    HRESULT STDMETHODCALLTYPE get_Left(VARIANT* result) override {
        return Guarded([&] { return HandDouble(Picked().Left(), result); });
    }
    HRESULT STDMETHODCALLTYPE get_Top(VARIANT* result) override {
        return Guarded([&] { return HandDouble(Picked().Top(), result); });
    }
    HRESULT STDMETHODCALLTYPE get_Width(VARIANT* result) override {
        return Guarded([&] { return HandDouble(Picked().Width(), result); });
    }
    HRESULT STDMETHODCALLTYPE get_RowHeight(VARIANT* result) override {
        return Guarded([&] { return HandDouble(Picked().RowHeight(), result); });
    }
    HRESULT STDMETHODCALLTYPE put_RowHeight(VARIANT points) override {
        return Guarded([&] {
            Picked().SetRowHeight(com::DoubleOf(points));
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE put_ColumnWidth(VARIANT characters) override {
        return Guarded([&] {
            Picked().SetColumnWidth(com::DoubleOf(characters));
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_Font(::Font** result) override {
        return Guarded([&] {
            Picked();
            return Hand(MakeObject<FontObject>(range_), result);
        });
    }
    HRESULT STDMETHODCALLTYPE get_Interior(::Interior** result) override {
        return Guarded([&] {
            Picked();
            return Hand(MakeObject<InteriorObject>(range_), result);
        });
    }
    HRESULT STDMETHODCALLTYPE put_HorizontalAlignment(VARIANT alignment) override {
        return Guarded([&] {
            Picked().SetHorizontalAlignment(com::Int32Of(alignment));
            return S_OK;
        });
    }

private:
    // The members the export uses on a whole sheet's cells are not modelled.
    excel::Range& Picked() {
        if (!range_) {
            RefuseUnsupported();
        }
        return *range_;
    }

    std::shared_ptr<excel::Range> range_;
    std::shared_ptr<excel::Worksheet> sheet_;
    Area area_ = Area::Cells;
};

HRESULT STDMETHODCALLTYPE RangeObject::get_Item(VARIANT row, VARIANT column, ::Range** result) {
    return Guarded([&] {
        if (!sheet_) {
            RefuseUnsupported();
        }
        std::shared_ptr<excel::Range> picked;
        if (area_ == Area::Cells) {
            if (IsMissing(column)) {
                throw Failure(DISP_E_PARAMNOTFOUND, "Argument not optional");
            }
            picked = sheet_->Cells(com::Int32Of(row), com::Int32Of(column));
        } else if (!IsMissing(column)) {
            throw Failure(DISP_E_BADPARAMCOUNT, "Wrong number of arguments");
        } else if (area_ == Area::Rows && row.vt == VT_BSTR) {
            // Rows("2:5"): a run of rows.
            const std::string text = com::TextOf(row);
            const std::size_t colon = text.find(':');
            if (colon == std::string::npos) {
                throw Failure(DISP_E_TYPEMISMATCH, "Type mismatch");
            }
            picked =
                sheet_->RowSpan(com::Int32Of(com::UniqueVariant(text.substr(0, colon)).get()),
                                com::Int32Of(com::UniqueVariant(text.substr(colon + 1)).get()));
        } else {
            const std::int32_t index = com::Int32Of(row);
            picked = area_ == Area::Rows ? sheet_->Rows(index) : sheet_->Columns(index);
        }
        return Hand(MakeObject<RangeObject>(std::move(picked)), result);
    });
}

class CharactersObject final : public TypedDispatch<::Characters> {
public:
    explicit CharactersObject(std::shared_ptr<excel::Shape> shape) : shape_(std::move(shape)) {}

    HRESULT STDMETHODCALLTYPE put_Text(BSTR text) override {
        return Guarded([&] {
            shape_->SetCaption(com::BstrToUtf8(text));
            return S_OK;
        });
    }

private:
    std::shared_ptr<excel::Shape> shape_;
};

// What buttons and check boxes share.
template <class Interface> class ShapeObject : public TypedDispatch<Interface> {
public:
    explicit ShapeObject(std::shared_ptr<excel::Shape> shape) : shape_(std::move(shape)) {}

    HRESULT STDMETHODCALLTYPE Select(VARIANT, VARIANT* result) override {
        return Guarded([&] {
            Session(*shape_).Select();
            return Selected(result);
        });
    }
    HRESULT STDMETHODCALLTYPE put_OnAction(BSTR macro) override {
        return Guarded([&] {
            shape_->SetOnAction(com::BstrToUtf8(macro));
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_Characters(VARIANT, VARIANT, ::Characters** result) override {
        return Guarded([&] { return Hand(MakeObject<CharactersObject>(shape_), result); });
    }
    HRESULT STDMETHODCALLTYPE put_Text(BSTR text) override {
        return Guarded([&] {
            shape_->SetText(com::BstrToUtf8(text));
            return S_OK;
        });
    }

protected:
    std::shared_ptr<excel::Shape> shape_;
};

using ButtonObject = ShapeObject<::Button>;

class CheckBoxObject final : public ShapeObject<::CheckBox> {
public:
    using ShapeObject::ShapeObject;

    HRESULT STDMETHODCALLTYPE put_LinkedCell(BSTR reference) override {
        return Guarded([&] {
            shape_->SetLinkedCell(com::BstrToUtf8(reference));
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_Border(::Border** result) override {
        return Guarded([&] { return Hand(MakeObject<BorderObject>(shape_), result); });
    }
    HRESULT STDMETHODCALLTYPE get_Interior(::Interior** result) override {
        return Guarded([&] { return Hand(MakeObject<InteriorObject>(shape_), result); });
    }
    HRESULT STDMETHODCALLTYPE put_Value(VARIANT value) override {
        return Guarded([&] {
            shape_->SetValue(com::Int32Of(value));
            return S_OK;
        });
    }
};

class ButtonsObject final : public TypedDispatch<::Buttons> {
public:
    explicit ButtonsObject(std::shared_ptr<excel::Worksheet> sheet) : sheet_(std::move(sheet)) {}

    HRESULT STDMETHODCALLTYPE Add(double left, double top, double width, double height,
                                  ::Button** result) override {
        return Guarded([&] {
            return Hand(MakeObject<ButtonObject>(sheet_->AddButton(left, top, width, height)),
                        result);
        });
    }

private:
    std::shared_ptr<excel::Worksheet> sheet_;
};

class CheckBoxesObject final : public TypedDispatch<::CheckBoxes> {
public:
    explicit CheckBoxesObject(std::shared_ptr<excel::Worksheet> sheet) : sheet_(std::move(sheet)) {}

    HRESULT STDMETHODCALLTYPE Add(double left, double top, double width, double height,
                                  ::CheckBox** result) override {
        return Guarded([&] {
            return Hand(MakeObject<CheckBoxObject>(sheet_->AddCheckBox(left, top, width, height)),
                        result);
        });
    }
    HRESULT STDMETHODCALLTYPE get_Count(LONG* result) override {
        return Guarded([&] {
            Out(result) = Session(*sheet_).CheckBoxCount();
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE Item(VARIANT index, ::CheckBox** result) override {
        return Guarded([&] {
            return Hand(MakeObject<CheckBoxObject>(Session(*sheet_).CheckBox(com::Int32Of(index))),
                        result);
        });
    }
    HRESULT STDMETHODCALLTYPE put_Value(VARIANT value) override {
        return Guarded([&] {
            sheet_->AllCheckBoxes()->SetValue(com::Int32Of(value));
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_Border(::Border** result) override {
        return Guarded(
            [&] { return Hand(MakeObject<BorderObject>(sheet_->AllCheckBoxes()), result); });
    }
    HRESULT STDMETHODCALLTYPE get_Interior(::Interior** result) override {
        return Guarded(
            [&] { return Hand(MakeObject<InteriorObject>(sheet_->AllCheckBoxes()), result); });
    }

private:
    std::shared_ptr<excel::Worksheet> sheet_;
};

class HyperlinksObject final : public TypedDispatch<::Hyperlinks> {
public:
    explicit HyperlinksObject(std::shared_ptr<excel::Worksheet> sheet) : sheet_(std::move(sheet)) {}

    HRESULT STDMETHODCALLTYPE Add(IDispatch* anchor, BSTR address, VARIANT, VARIANT,
                                  VARIANT textToDisplay, IDispatch** result) override {
        return Guarded([&] {
            // The anchor is one of this process's ranges, handed back unwrapped by COM.
            auto* range = dynamic_cast<RangeObject*>(anchor);
            if (!range || !range->range()) {
                throw Failure(DISP_E_TYPEMISMATCH, "Type mismatch");
            }
            const std::string link = com::BstrToUtf8(address);
            sheet_->AddHyperlink(*range->range(), link,
                                 IsMissing(textToDisplay) ? link : com::TextOf(textToDisplay));
            if (result) {
                *result = nullptr;
            }
            return S_OK;
        });
    }

private:
    std::shared_ptr<excel::Worksheet> sheet_;
};

class SheetObject final : public TypedDispatch<::Worksheet> {
public:
    SheetObject(std::shared_ptr<excel::Workbook> book, std::shared_ptr<excel::Worksheet> sheet)
        : book_(std::move(book)), sheet_(std::move(sheet)) {}

    HRESULT STDMETHODCALLTYPE get_Name(BSTR* result) override {
        return Guarded([&] { return HandText(Session(*sheet_).Name(), result); });
    }
    HRESULT STDMETHODCALLTYPE put_Name(BSTR name) override {
        return Guarded([&] {
            sheet_->SetName(com::BstrToUtf8(name));
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE Select(VARIANT) override {
        return Guarded([&] {
            Session(*book_).SelectSheet(Session(*sheet_).Name());
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE Activate() override {
        return Guarded([&] {
            sheet_->Activate();
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_Cells(::Range** result) override {
        return Area(RangeObject::Area::Cells, result);
    }
    HRESULT STDMETHODCALLTYPE get_Rows(::Range** result) override {
        return Area(RangeObject::Area::Rows, result);
    }
    HRESULT STDMETHODCALLTYPE get_Columns(::Range** result) override {
        return Area(RangeObject::Area::Columns, result);
    }
    HRESULT STDMETHODCALLTYPE get_Range(VARIANT cell1, VARIANT cell2, ::Range** result) override {
        return Guarded([&] {
            if (!IsMissing(cell2)) {
                RefuseUnsupported();
            }
            const auto [first, last] = ParseBlockAddress(com::TextOf(cell1));
            return Hand(MakeObject<RangeObject>(
                            sheet_->Block(first.first, first.second, last.first, last.second)),
                        result);
        });
    }
    HRESULT STDMETHODCALLTYPE Buttons(VARIANT index, IDispatch** result) override {
        return Guarded([&] {
            WholeCollectionOnly(index);
            return Hand(MakeObject<ButtonsObject>(sheet_), result);
        });
    }
    HRESULT STDMETHODCALLTYPE CheckBoxes(VARIANT index, IDispatch** result) override {
        return Guarded([&] {
            WholeCollectionOnly(index);
            return Hand(MakeObject<CheckBoxesObject>(sheet_), result);
        });
    }
    HRESULT STDMETHODCALLTYPE get_Hyperlinks(::Hyperlinks** result) override {
        return Guarded([&] { return Hand(MakeObject<HyperlinksObject>(sheet_), result); });
    }

private:
    HRESULT Area(RangeObject::Area area, ::Range** result) {
        return Guarded([&] { return Hand(MakeObject<RangeObject>(sheet_, area), result); });
    }
    // Buttons(i) and CheckBoxes(i) pick one shape in Excel; the stand-in has no such caller.
    static void WholeCollectionOnly(const VARIANT& index) {
        if (!IsMissing(index)) {
            RefuseUnsupported();
        }
    }

    std::shared_ptr<excel::Workbook> book_;
    std::shared_ptr<excel::Worksheet> sheet_;
};

class SheetsObject final : public TypedDispatch<::Sheets> {
public:
    explicit SheetsObject(std::shared_ptr<excel::Workbook> book) : book_(std::move(book)) {}

    HRESULT STDMETHODCALLTYPE Add(VARIANT before, VARIANT after, VARIANT count, VARIANT type,
                                  IDispatch** result) override {
        return Guarded([&] {
            if (!IsMissing(before) || !IsMissing(after) || !IsMissing(count) || !IsMissing(type)) {
                RefuseUnsupported();
            }
            return Hand(MakeObject<SheetObject>(book_, book_->AddWorksheet()), result);
        });
    }
    // A sheet by its name or its place, from 1.
    HRESULT STDMETHODCALLTYPE get_Item(VARIANT index, IDispatch** result) override {
        return Guarded([&] {
            const auto sheet = index.vt == VT_BSTR
                                   ? standins::FindWorksheet(*book_, com::TextOf(index))
                                   : book_->Sheet(com::Int32Of(index));
            return Hand(MakeObject<SheetObject>(book_, sheet), result);
        });
    }

private:
    std::shared_ptr<excel::Workbook> book_;
};

class CodeModuleObject final : public TypedDispatch<::CodeModule> {
public:
    explicit CodeModuleObject(std::shared_ptr<excel::CodeModule> code) : code_(std::move(code)) {}

    HRESULT STDMETHODCALLTYPE AddFromString(BSTR text) override {
        return Guarded([&] {
            code_->AddFromString(com::BstrToUtf8(text));
            return S_OK;
        });
    }

private:
    std::shared_ptr<excel::CodeModule> code_;
};

class ComponentObject final : public TypedDispatch<::VBComponent> {
public:
    explicit ComponentObject(std::shared_ptr<excel::VBComponent> component)
        : component_(std::move(component)) {}

    HRESULT STDMETHODCALLTYPE get_Name(BSTR* result) override {
        return Guarded([&] { return HandText(Session(*component_).Name(), result); });
    }
    HRESULT STDMETHODCALLTYPE put_Name(BSTR name) override {
        return Guarded([&] {
            component_->SetName(com::BstrToUtf8(name));
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_Type(LONG* result) override {
        return Guarded([&] {
            Out(result) = Session(*component_).Type();
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_CodeModule(::CodeModule** result) override {
        return Guarded(
            [&] { return Hand(MakeObject<CodeModuleObject>(component_->CodeModule()), result); });
    }

private:
    std::shared_ptr<excel::VBComponent> component_;
};

class ComponentsObject final : public TypedDispatch<::VBComponents> {
public:
    explicit ComponentsObject(std::shared_ptr<excel::VBProject> project)
        : project_(std::move(project)) {}

    HRESULT STDMETHODCALLTYPE Item(VARIANT index, ::VBComponent** result) override {
        return Guarded([&] {
            return Hand(
                MakeObject<ComponentObject>(Session(*project_).Component(com::Int32Of(index))),
                result);
        });
    }
    HRESULT STDMETHODCALLTYPE get_Count(LONG* result) override {
        return Guarded([&] {
            Out(result) = Session(*project_).ComponentCount();
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE Add(LONG type, ::VBComponent** result) override {
        return Guarded([&] {
            return Hand(MakeObject<ComponentObject>(project_->AddComponent(type)), result);
        });
    }

private:
    std::shared_ptr<excel::VBProject> project_;
};

class ProjectObject final : public TypedDispatch<::VBProject> {
public:
    explicit ProjectObject(std::shared_ptr<excel::VBProject> project)
        : project_(std::move(project)) {}

    HRESULT STDMETHODCALLTYPE get_VBComponents(::VBComponents** result) override {
        return Guarded([&] { return Hand(MakeObject<ComponentsObject>(project_), result); });
    }

private:
    std::shared_ptr<excel::VBProject> project_;
};

// A window, frozen by the function given: Excel's active window, or a workbook's own.
class WindowObject final : public TypedDispatch<::Window> {
public:
    explicit WindowObject(std::function<void()> freeze) : freeze_(std::move(freeze)) {}

    HRESULT STDMETHODCALLTYPE put_FreezePanes(VARIANT_BOOL freeze) override {
        return Guarded([&] {
            if (freeze) {
                freeze_();
            }
            return S_OK;
        });
    }

private:
    std::function<void()> freeze_;
};

class WindowsObject final : public TypedDispatch<::Windows> {
public:
    explicit WindowsObject(std::shared_ptr<excel::Workbook> book) : book_(std::move(book)) {}

    HRESULT STDMETHODCALLTYPE get_Item(VARIANT index, ::Window** result) override {
        return Guarded([&] {
            if (com::Int32Of(index) != 1) {
                throw Failure(kBadIndex, "Subscript out of range");
            }
            return Hand(MakeObject<WindowObject>([book = book_] { book->FreezePanes(); }), result);
        });
    }

private:
    std::shared_ptr<excel::Workbook> book_;
};

class WorkbookObject final : public TypedDispatch<::Workbook> {
public:
    explicit WorkbookObject(std::shared_ptr<excel::Workbook> book) : book_(std::move(book)) {}

    HRESULT STDMETHODCALLTYPE get_Sheets(::Sheets** result) override {
        return Guarded([&] { return Hand(MakeObject<SheetsObject>(book_), result); });
    }
    HRESULT STDMETHODCALLTYPE get_Worksheets(::Sheets** result) override {
        return get_Sheets(result);
    }
    HRESULT STDMETHODCALLTYPE Activate() override {
        return Guarded([&] {
            Session(*book_).Activate();
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_Windows(::Windows** result) override {
        return Guarded([&] { return Hand(MakeObject<WindowsObject>(book_), result); });
    }
    HRESULT STDMETHODCALLTYPE get_ActiveSheet(IDispatch** result) override {
        return Guarded([&] {
            return Hand(MakeObject<SheetObject>(book_, Session(*book_).ActiveSheet()), result);
        });
    }
    HRESULT STDMETHODCALLTYPE get_VBProject(::VBProject** result) override {
        return Guarded([&] { return Hand(MakeObject<ProjectObject>(book_->VBProject()), result); });
    }

private:
    std::shared_ptr<excel::Workbook> book_;
};

class WorkbooksObject final : public TypedDispatch<::Workbooks> {
public:
    WorkbooksObject(std::shared_ptr<excel::Application> app, std::shared_ptr<ExcelState> state)
        : app_(std::move(app)), state_(std::move(state)) {}

    HRESULT STDMETHODCALLTYPE Add(VARIANT, ::Workbook** result) override {
        return Guarded(
            [&] { return Hand(MakeObject<WorkbookObject>(app_->AddWorkbook()), result); });
    }
    HRESULT STDMETHODCALLTYPE get_Count(LONG* result) override {
        return Guarded([&] {
            Out(result) = static_cast<LONG>(state_->workbooks.size());
            return S_OK;
        });
    }

private:
    std::shared_ptr<excel::Application> app_;
    std::shared_ptr<ExcelState> state_;
};

class ApplicationObject final : public TypedDispatch<::_Application> {
public:
    ApplicationObject(std::shared_ptr<ExcelState> state, std::shared_ptr<ExcelFaults> faults,
                      std::shared_ptr<ShapesAndModules> aside, std::function<void()> quit)
        : state_(std::move(state)), aside_(aside),
          app_(MakeStandinApplication(state_, std::move(faults), std::move(aside))),
          quit_(std::move(quit)) {}

    HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL visible) override {
        return Guarded([&] {
            app_->SetVisible(visible != VARIANT_FALSE);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE put_WindowState(LONG state) override {
        return Guarded([&] {
            app_->SetWindowState(state);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE put_ScreenUpdating(VARIANT_BOOL updating) override {
        return Guarded([&] {
            app_->SetScreenUpdating(updating != VARIANT_FALSE);
            return S_OK;
        });
    }
    HRESULT STDMETHODCALLTYPE get_Workbooks(::Workbooks** result) override {
        return Guarded([&] { return Hand(MakeObject<WorkbooksObject>(app_, state_), result); });
    }
    // Nothing when no workbook is open, as Excel answers.
    HRESULT STDMETHODCALLTYPE get_ActiveWorkbook(::Workbook** result) override {
        return Guarded([&] {
            Out(result) = nullptr;
            if (!state_->ActiveWorkbook()) {
                return S_OK;
            }
            return Hand(MakeObject<WorkbookObject>(app_->ActiveWorkbook()), result);
        });
    }
    HRESULT STDMETHODCALLTYPE get_ActiveSheet(IDispatch** result) override {
        return Guarded([&] {
            const auto book = app_->ActiveWorkbook();
            return Hand(MakeObject<SheetObject>(book, Session(*book).ActiveSheet()), result);
        });
    }
    HRESULT STDMETHODCALLTYPE get_ActiveCell(::Range** result) override {
        return Guarded(
            [&] { return Hand(MakeObject<RangeObject>(Session(*app_).ActiveCell()), result); });
    }
    HRESULT STDMETHODCALLTYPE get_Selection(IDispatch** result) override {
        return Guarded([&] {
            const Workbook* book = state_->ActiveWorkbook();
            const Sheet* sheet = book ? book->sheets[book->activeSheet].get() : nullptr;
            const SheetShapes* shapes = sheet ? aside_->FindShapes(*sheet) : nullptr;
            if (shapes && shapes->selected) {
                if (shapes->shapes.at(*shapes->selected).kind == ShapeKind::Button) {
                    return Hand(MakeObject<ButtonObject>(Session(*app_).SelectedShape()), result);
                }
                return Hand(MakeObject<CheckBoxObject>(Session(*app_).SelectedShape()), result);
            }
            return Hand(MakeObject<RangeObject>(Session(*app_).SelectedRange()), result);
        });
    }
    HRESULT STDMETHODCALLTYPE get_ActiveWindow(::Window** result) override {
        return Guarded([&] {
            return Hand(MakeObject<WindowObject>([app = app_] { Session(*app).FreezePanes(); }),
                        result);
        });
    }
    HRESULT STDMETHODCALLTYPE Quit() override {
        return Guarded([&] {
            if (quit_) {
                quit_();
            }
            return S_OK;
        });
    }

private:
    std::shared_ptr<ExcelState> state_;
    std::shared_ptr<ShapesAndModules> aside_;
    std::shared_ptr<excel::Application> app_;
    std::function<void()> quit_;
};

} // namespace

com::ComPtr<IDispatch> MakeExcelApplication(std::shared_ptr<ExcelState> state,
                                            std::shared_ptr<ExcelFaults> faults,
                                            std::shared_ptr<ShapesAndModules> aside,
                                            std::function<void()> quit) {
    return com::ComPtr<IDispatch>::Attach(
        MakeObject<ApplicationObject>(std::move(state), std::move(faults), std::move(aside),
                                      std::move(quit))
            .detach());
}

} // namespace pw::standins
