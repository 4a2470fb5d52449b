#include "ExcelObjects.h"

#include "shared/com/Dispatch.h"
#include "shared/com/DispatchBase.h"
#include "shared/com/ValueVariant.h"
#include "shared/com/VariantRead.h"
#include "standins/workbook/WorkbookApplication.h"

namespace pw::standins {
namespace {

using com::DispatchBase;
using com::MakeObject;
using com::ObjectResult;
using com::UniqueVariant;

bool IsPut(WORD flags) {
    return (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
}

UniqueVariant Text(const std::string& text) {
    return UniqueVariant(std::string_view(text));
}

// Member identifiers of the stand-in; they only need to be stable within one object kind.
enum : DISPID {
    kVisible = 1,
    kWindowState,
    kScreenUpdating,
    kWorkbooks,
    kActiveWorkbook,
    kActiveSheet,
    kActiveCell,
    kSelection,
    kActiveWindow,
    kWorksheets,
    kSheets,
    kCells,
    kRows,
    kColumns,
    kAdd,
    kCount,
    kItem,
    kVBProject,
    kName,
    kSelect,
    kButtons,
    kCheckBoxes,
    kHyperlinks,
    kValue,
    kRow,
    kSpecialCells,
    kLeft,
    kTop,
    kWidth,
    kRowHeight,
    kColumnWidth,
    kFont,
    kInterior,
    kHorizontalAlignment,
    kBold,
    kColorIndex,
    kColor,
    kOnAction,
    kCharacters,
    kText,
    kLinkedCell,
    kBorder,
    kFreezePanes,
    kVBComponents,
    kType,
    kCodeModule,
    kAddFromString,
};

class RangeObject;

// Font and Interior of a range: palette colour indexes, and bold.
class RangeFormatObject : public DispatchBase {
public:
    RangeFormatObject(std::shared_ptr<excel::Range> range, bool font)
        : range_(std::move(range)), font_(font) {}

protected:
    std::span<const Name> Names() const override {
        static constexpr Name kNames[] = {{L"Bold", kBold}, {L"ColorIndex", kColorIndex}};
        return kNames;
    }
    bool Call(DISPID id, WORD flags, const DISPPARAMS& params, UniqueVariant&) override {
        if (!IsPut(flags)) {
            return false;
        }
        if (id == kBold && font_) {
            range_->SetFontBold(com::BoolOf(PutValue(params)));
            return true;
        }
        if (id == kColorIndex) {
            const std::int32_t index = com::Int32Of(PutValue(params));
            font_ ? range_->SetFontColorIndex(index) : range_->SetInteriorColorIndex(index);
            return true;
        }
        return false;
    }

private:
    std::shared_ptr<excel::Range> range_;
    bool font_;
};

class RangeObject : public DispatchBase {
public:
    explicit RangeObject(std::shared_ptr<excel::Range> range) : range_(std::move(range)) {}
    const std::shared_ptr<excel::Range>& range() const { return range_; }

protected:
    std::span<const Name> Names() const override {
        static constexpr Name kNames[] = {{L"Value", kValue},
                                          {L"Select", kSelect},
                                          {L"Row", kRow},
                                          {L"SpecialCells", kSpecialCells},
                                          {L"Left", kLeft},
                                          {L"Top", kTop},
                                          {L"Width", kWidth},
                                          {L"RowHeight", kRowHeight},
                                          {L"ColumnWidth", kColumnWidth},
                                          {L"Font", kFont},
                                          {L"Interior", kInterior},
                                          {L"HorizontalAlignment", kHorizontalAlignment}};
        return kNames;
    }
    bool Call(DISPID id, WORD flags, const DISPPARAMS& params, UniqueVariant& result) override {
        switch (id) {
        case DISPID_VALUE:
        case kValue:
            if (IsPut(flags)) {
                range_->SetValue(com::ValueOf(PutValue(params)));
            } else {
                result = com::VariantOf(range_->Value());
            }
            return true;
        case kSelect:
            range_->Select();
            return true;
        case kRow:
            result = UniqueVariant(range_->Row());
            return true;
        case kSpecialCells:
            result = ObjectResult(
                MakeObject<RangeObject>(range_->SpecialCells(com::Int32Of(Argument(params, 0)))));
            return true;
        case kLeft:
            result = UniqueVariant(range_->Left());
            return true;
        case kTop:
            result = UniqueVariant(range_->Top());
            return true;
        case kWidth:
            result = UniqueVariant(range_->Width());
            return true;
        case kRowHeight:
            if (IsPut(flags)) {
                range_->SetRowHeight(com::DoubleOf(PutValue(params)));
            } else {
                result = UniqueVariant(range_->RowHeight());
            }
            return true;
        case kColumnWidth:
            range_->SetColumnWidth(com::DoubleOf(PutValue(params)));
            return true;
        case kFont:
        case kInterior:
            result = ObjectResult(MakeObject<RangeFormatObject>(range_, id == kFont));
            return true;
        case kHorizontalAlignment:
            range_->SetHorizontalAlignment(com::Int32Of(PutValue(params)));
            return true;
        default:
            return false;
        }
    }

private:
    std::shared_ptr<excel::Range> range_;
};

// A shape's part with one settable member: Characters.Text, Border.Color, Interior.Color.
class ShapePartObject : public DispatchBase {
public:
    ShapePartObject(std::shared_ptr<excel::Shape> shape, DISPID part)
        : shape_(std::move(shape)), part_(part) {}

protected:
    std::span<const Name> Names() const override {
        static constexpr Name kNames[] = {{L"Text", kText}, {L"Color", kColor}};
        return kNames;
    }
    bool Call(DISPID id, WORD flags, const DISPPARAMS& params, UniqueVariant&) override {
        if (!IsPut(flags)) {
            return false;
        }
        if (part_ == kCharacters && id == kText) {
            shape_->SetCaption(com::TextOf(PutValue(params)));
            return true;
        }
        if (id == kColor && part_ == kBorder) {
            shape_->SetBorderColor(com::Int32Of(PutValue(params)));
            return true;
        }
        if (id == kColor && part_ == kInterior) {
            shape_->SetInteriorColor(com::Int32Of(PutValue(params)));
            return true;
        }
        return false;
    }

private:
    std::shared_ptr<excel::Shape> shape_;
    DISPID part_;
};

class ShapeObject : public DispatchBase {
public:
    explicit ShapeObject(std::shared_ptr<excel::Shape> shape) : shape_(std::move(shape)) {}

protected:
    std::span<const Name> Names() const override {
        static constexpr Name kNames[] = {{L"Select", kSelect},         {L"OnAction", kOnAction},
                                          {L"Characters", kCharacters}, {L"Text", kText},
                                          {L"LinkedCell", kLinkedCell}, {L"Border", kBorder},
                                          {L"Interior", kInterior},     {L"Value", kValue}};
        return kNames;
    }
    bool Call(DISPID id, WORD flags, const DISPPARAMS& params, UniqueVariant& result) override {
        switch (id) {
        case kSelect:
            shape_->Select();
            return true;
        case kCharacters:
        case kBorder:
        case kInterior:
            result = ObjectResult(MakeObject<ShapePartObject>(shape_, id));
            return true;
        default:
            break;
        }
        if (!IsPut(flags)) {
            return false;
        }
        const VARIANT& value = PutValue(params);
        switch (id) {
        case kOnAction:
            shape_->SetOnAction(com::TextOf(value));
            return true;
        case kText:
            shape_->SetText(com::TextOf(value));
            return true;
        case kLinkedCell:
            shape_->SetLinkedCell(com::TextOf(value));
            return true;
        case kValue:
            shape_->SetValue(com::Int32Of(value));
            return true;
        default:
            return false;
        }
    }

private:
    std::shared_ptr<excel::Shape> shape_;
};

// Cells, Rows and Columns of a sheet; their default member picks a range.
class RangesObject : public DispatchBase {
public:
    RangesObject(std::shared_ptr<excel::Worksheet> sheet, DISPID kind)
        : sheet_(std::move(sheet)), kind_(kind) {}

    static UniqueVariant Pick(excel::Worksheet& sheet, DISPID kind, const DISPPARAMS& params) {
        const std::int32_t first = com::Int32Of(Argument(params, 0));
        std::shared_ptr<excel::Range> range;
        if (kind == kCells) {
            range = sheet.Cells(first, com::Int32Of(Argument(params, 1)));
        } else if (kind == kRows) {
            range = sheet.Rows(first);
        } else {
            range = sheet.Columns(first);
        }
        return ObjectResult(MakeObject<RangeObject>(std::move(range)));
    }

protected:
    std::span<const Name> Names() const override {
        static constexpr Name kNames[] = {{L"Item", kItem}};
        return kNames;
    }
    bool Call(DISPID id, WORD, const DISPPARAMS& params, UniqueVariant& result) override {
        if (id != kItem && id != DISPID_VALUE) {
            return false;
        }
        result = Pick(*sheet_, kind_, params);
        return true;
    }

private:
    std::shared_ptr<excel::Worksheet> sheet_;
    DISPID kind_;
};

// Buttons, CheckBoxes and Hyperlinks of a sheet.
class SheetCollectionObject : public DispatchBase {
public:
    SheetCollectionObject(std::shared_ptr<excel::Worksheet> sheet, DISPID kind)
        : sheet_(std::move(sheet)), kind_(kind) {}

protected:
    std::span<const Name> Names() const override {
        static constexpr Name kNames[] = {{L"Add", kAdd}, {L"Count", kCount}, {L"Item", kItem}};
        return kNames;
    }
    std::span<const wchar_t* const> ParameterNames(DISPID id) const override {
        static constexpr const wchar_t* kLink[] = {L"Anchor", L"Address", L"SubAddress",
                                                   L"ScreenTip", L"TextToDisplay"};
        static constexpr const wchar_t* kShape[] = {L"Left", L"Top", L"Width", L"Height"};
        if (id != kAdd) {
            return {};
        }
        return kind_ == kHyperlinks ? std::span<const wchar_t* const>(kLink)
                                    : std::span<const wchar_t* const>(kShape);
    }
    bool Call(DISPID id, WORD, const DISPPARAMS& params, UniqueVariant& result) override {
        if (id == kAdd && kind_ == kHyperlinks) {
            auto* anchor = dynamic_cast<RangeObject*>(
                com::DispatchObject::FromVariant(Argument(params, 0)).get());
            if (!anchor) {
                throw Failure(DISP_E_TYPEMISMATCH, "Type mismatch");
            }
            const std::string address = com::TextOf(Argument(params, 1));
            const std::string display =
                HasArgument(params, 4) ? com::TextOf(Argument(params, 4)) : address;
            sheet_->AddHyperlink(*anchor->range(), address, display);
            return true;
        }
        if (id == kAdd) {
            const double left = com::DoubleOf(Argument(params, 0));
            const double top = com::DoubleOf(Argument(params, 1));
            const double width = com::DoubleOf(Argument(params, 2));
            const double height = com::DoubleOf(Argument(params, 3));
            result = ObjectResult(MakeObject<ShapeObject>(
                kind_ == kButtons ? sheet_->AddButton(left, top, width, height)
                                  : sheet_->AddCheckBox(left, top, width, height)));
            return true;
        }
        if (kind_ != kCheckBoxes) {
            return false;
        }
        if (id == kCount) {
            result = UniqueVariant(sheet_->CheckBoxCount());
            return true;
        }
        if (id == kItem || id == DISPID_VALUE) {
            result = ObjectResult(
                MakeObject<ShapeObject>(sheet_->CheckBox(com::Int32Of(Argument(params, 0)))));
            return true;
        }
        return false;
    }

private:
    std::shared_ptr<excel::Worksheet> sheet_;
    DISPID kind_;
};

class SheetObject : public DispatchBase {
public:
    explicit SheetObject(std::shared_ptr<excel::Worksheet> sheet) : sheet_(std::move(sheet)) {}

protected:
    std::span<const Name> Names() const override {
        static constexpr Name kNames[] = {{L"Name", kName},
                                          {L"Cells", kCells},
                                          {L"Rows", kRows},
                                          {L"Columns", kColumns},
                                          {L"Buttons", kButtons},
                                          {L"CheckBoxes", kCheckBoxes},
                                          {L"Hyperlinks", kHyperlinks}};
        return kNames;
    }
    bool Call(DISPID id, WORD flags, const DISPPARAMS& params, UniqueVariant& result) override {
        switch (id) {
        case kName:
            if (IsPut(flags)) {
                sheet_->SetName(com::TextOf(PutValue(params)));
            } else {
                result = Text(sheet_->Name());
            }
            return true;
        case kCells:
        case kRows:
        case kColumns:
            result = HasArgument(params, 0) ? RangesObject::Pick(*sheet_, id, params)
                                            : ObjectResult(MakeObject<RangesObject>(sheet_, id));
            return true;
        case kButtons:
        case kCheckBoxes:
        case kHyperlinks:
            result = ObjectResult(MakeObject<SheetCollectionObject>(sheet_, id));
            return true;
        default:
            return false;
        }
    }

private:
    std::shared_ptr<excel::Worksheet> sheet_;
};

// Sheets(name) of a workbook, for selecting it.
class NamedSheetObject : public DispatchBase {
public:
    NamedSheetObject(std::shared_ptr<excel::Workbook> book, std::string name)
        : book_(std::move(book)), name_(std::move(name)) {}

protected:
    std::span<const Name> Names() const override {
        static constexpr Name kNames[] = {{L"Select", kSelect}, {L"Name", kName}};
        return kNames;
    }
    bool Call(DISPID id, WORD, const DISPPARAMS&, UniqueVariant& result) override {
        if (id == kSelect) {
            book_->SelectSheet(name_);
            return true;
        }
        if (id == kName) {
            result = Text(name_);
            return true;
        }
        return false;
    }

private:
    std::shared_ptr<excel::Workbook> book_;
    std::string name_;
};

class SheetsObject : public DispatchBase {
public:
    explicit SheetsObject(std::shared_ptr<excel::Workbook> book) : book_(std::move(book)) {}

protected:
    std::span<const Name> Names() const override {
        static constexpr Name kNames[] = {{L"Item", kItem}, {L"Add", kAdd}};
        return kNames;
    }
    bool Call(DISPID id, WORD, const DISPPARAMS& params, UniqueVariant& result) override {
        if (id == kAdd) {
            result = ObjectResult(MakeObject<SheetObject>(book_->AddWorksheet()));
            return true;
        }
        if (id == kItem || id == DISPID_VALUE) {
            result =
                ObjectResult(MakeObject<NamedSheetObject>(book_, com::TextOf(Argument(params, 0))));
            return true;
        }
        return false;
    }

private:
    std::shared_ptr<excel::Workbook> book_;
};

class CodeModuleObject : public DispatchBase {
public:
    explicit CodeModuleObject(std::shared_ptr<excel::CodeModule> code) : code_(std::move(code)) {}

protected:
    std::span<const Name> Names() const override {
        static constexpr Name kNames[] = {{L"AddFromString", kAddFromString}};
        return kNames;
    }
    bool Call(DISPID id, WORD, const DISPPARAMS& params, UniqueVariant&) override {
        if (id != kAddFromString) {
            return false;
        }
        code_->AddFromString(com::TextOf(Argument(params, 0)));
        return true;
    }

private:
    std::shared_ptr<excel::CodeModule> code_;
};

class ComponentObject : public DispatchBase {
public:
    explicit ComponentObject(std::shared_ptr<excel::VBComponent> component)
        : component_(std::move(component)) {}

protected:
    std::span<const Name> Names() const override {
        static constexpr Name kNames[] = {
            {L"Name", kName}, {L"Type", kType}, {L"CodeModule", kCodeModule}};
        return kNames;
    }
    bool Call(DISPID id, WORD flags, const DISPPARAMS& params, UniqueVariant& result) override {
        switch (id) {
        case kName:
            if (IsPut(flags)) {
                component_->SetName(com::TextOf(PutValue(params)));
            } else {
                result = Text(component_->Name());
            }
            return true;
        case kType:
            result = UniqueVariant(component_->Type());
            return true;
        case kCodeModule:
            result = ObjectResult(MakeObject<CodeModuleObject>(component_->CodeModule()));
            return true;
        default:
            return false;
        }
    }

private:
    std::shared_ptr<excel::VBComponent> component_;
};

class ComponentsObject : public DispatchBase {
public:
    explicit ComponentsObject(std::shared_ptr<excel::VBProject> project)
        : project_(std::move(project)) {}

protected:
    std::span<const Name> Names() const override {
        static constexpr Name kNames[] = {{L"Add", kAdd}, {L"Count", kCount}, {L"Item", kItem}};
        return kNames;
    }
    bool Call(DISPID id, WORD, const DISPPARAMS& params, UniqueVariant& result) override {
        switch (id) {
        case kAdd:
            result = ObjectResult(MakeObject<ComponentObject>(
                project_->AddComponent(com::Int32Of(Argument(params, 0)))));
            return true;
        case kCount:
            result = UniqueVariant(project_->ComponentCount());
            return true;
        case kItem:
        case DISPID_VALUE:
            result = ObjectResult(MakeObject<ComponentObject>(
                project_->Component(com::Int32Of(Argument(params, 0)))));
            return true;
        default:
            return false;
        }
    }

private:
    std::shared_ptr<excel::VBProject> project_;
};

class ProjectObject : public DispatchBase {
public:
    explicit ProjectObject(std::shared_ptr<excel::VBProject> project)
        : project_(std::move(project)) {}

protected:
    std::span<const Name> Names() const override {
        static constexpr Name kNames[] = {{L"VBComponents", kVBComponents}};
        return kNames;
    }
    bool Call(DISPID id, WORD, const DISPPARAMS&, UniqueVariant& result) override {
        if (id != kVBComponents) {
            return false;
        }
        result = ObjectResult(MakeObject<ComponentsObject>(project_));
        return true;
    }

private:
    std::shared_ptr<excel::VBProject> project_;
};

class WorkbookObject : public DispatchBase {
public:
    explicit WorkbookObject(std::shared_ptr<excel::Workbook> book) : book_(std::move(book)) {}

protected:
    std::span<const Name> Names() const override {
        static constexpr Name kNames[] = {{L"Sheets", kSheets},
                                          {L"Worksheets", kWorksheets},
                                          {L"ActiveSheet", kActiveSheet},
                                          {L"VBProject", kVBProject}};
        return kNames;
    }
    bool Call(DISPID id, WORD, const DISPPARAMS& params, UniqueVariant& result) override {
        switch (id) {
        case kSheets:
        case kWorksheets:
            if (HasArgument(params, 0)) {
                result = ObjectResult(
                    MakeObject<NamedSheetObject>(book_, com::TextOf(Argument(params, 0))));
            } else {
                result = ObjectResult(MakeObject<SheetsObject>(book_));
            }
            return true;
        case kActiveSheet:
            result = ObjectResult(MakeObject<SheetObject>(book_->ActiveSheet()));
            return true;
        case kVBProject:
            result = ObjectResult(MakeObject<ProjectObject>(book_->VBProject()));
            return true;
        default:
            return false;
        }
    }

private:
    std::shared_ptr<excel::Workbook> book_;
};

class WorkbooksObject : public DispatchBase {
public:
    WorkbooksObject(std::shared_ptr<excel::Application> app, std::shared_ptr<ExcelState> state)
        : app_(std::move(app)), state_(std::move(state)) {}

protected:
    std::span<const Name> Names() const override {
        static constexpr Name kNames[] = {{L"Add", kAdd}, {L"Count", kCount}};
        return kNames;
    }
    bool Call(DISPID id, WORD, const DISPPARAMS&, UniqueVariant& result) override {
        if (id == kAdd) {
            result = ObjectResult(MakeObject<WorkbookObject>(app_->AddWorkbook()));
            return true;
        }
        if (id == kCount) {
            result = UniqueVariant(static_cast<std::int32_t>(state_->workbooks.size()));
            return true;
        }
        return false;
    }

private:
    std::shared_ptr<excel::Application> app_;
    std::shared_ptr<ExcelState> state_;
};

class WindowObject : public DispatchBase {
public:
    explicit WindowObject(std::shared_ptr<excel::Application> app) : app_(std::move(app)) {}

protected:
    std::span<const Name> Names() const override {
        static constexpr Name kNames[] = {{L"FreezePanes", kFreezePanes}};
        return kNames;
    }
    bool Call(DISPID id, WORD flags, const DISPPARAMS& params, UniqueVariant&) override {
        if (id != kFreezePanes || !IsPut(flags)) {
            return false;
        }
        if (com::BoolOf(PutValue(params))) {
            app_->FreezePanes();
        }
        return true;
    }

private:
    std::shared_ptr<excel::Application> app_;
};

class ApplicationObject : public DispatchBase {
public:
    explicit ApplicationObject(std::shared_ptr<ExcelState> state)
        : state_(std::move(state)), app_(MakeWorkbookApplication(state_)) {}

protected:
    std::span<const Name> Names() const override {
        static constexpr Name kNames[] = {{L"Visible", kVisible},
                                          {L"WindowState", kWindowState},
                                          {L"ScreenUpdating", kScreenUpdating},
                                          {L"Workbooks", kWorkbooks},
                                          {L"ActiveWorkbook", kActiveWorkbook},
                                          {L"ActiveSheet", kActiveSheet},
                                          {L"ActiveCell", kActiveCell},
                                          {L"Selection", kSelection},
                                          {L"ActiveWindow", kActiveWindow},
                                          {L"Worksheets", kWorksheets},
                                          {L"Sheets", kSheets},
                                          {L"Cells", kCells},
                                          {L"Rows", kRows},
                                          {L"Columns", kColumns}};
        return kNames;
    }
    bool Call(DISPID id, WORD, const DISPPARAMS& params, UniqueVariant& result) override {
        switch (id) {
        case kVisible:
            app_->SetVisible(com::BoolOf(PutValue(params)));
            return true;
        case kWindowState:
            app_->SetWindowState(com::Int32Of(PutValue(params)));
            return true;
        case kScreenUpdating:
            app_->SetScreenUpdating(com::BoolOf(PutValue(params)));
            return true;
        case kWorkbooks:
            result = ObjectResult(MakeObject<WorkbooksObject>(app_, state_));
            return true;
        case kActiveWorkbook:
            if (state_->ActiveWorkbook()) {
                result = ObjectResult(MakeObject<WorkbookObject>(app_->ActiveWorkbook()));
            }
            return true; // Nothing when no workbook is open, as Excel answers
        case kActiveSheet:
            result = ObjectResult(MakeObject<SheetObject>(app_->ActiveWorkbook()->ActiveSheet()));
            return true;
        case kActiveCell:
            result = ObjectResult(MakeObject<RangeObject>(app_->ActiveCell()));
            return true;
        case kSelection:
            result = SelectionResult();
            return true;
        case kActiveWindow:
            result = ObjectResult(MakeObject<WindowObject>(app_));
            return true;
        case kWorksheets:
        case kSheets:
            result = ObjectResult(MakeObject<SheetsObject>(app_->ActiveWorkbook()));
            return true;
        case kCells:
        case kRows:
        case kColumns: {
            const auto sheet = app_->ActiveWorkbook()->ActiveSheet();
            result = HasArgument(params, 0) ? RangesObject::Pick(*sheet, id, params)
                                            : ObjectResult(MakeObject<RangesObject>(sheet, id));
            return true;
        }
        default:
            return false;
        }
    }

private:
    UniqueVariant SelectionResult() {
        const Workbook* book = state_->ActiveWorkbook();
        const bool shape = book && book->sheets[book->activeSheet]->selection.shape.has_value();
        return shape ? ObjectResult(MakeObject<ShapeObject>(app_->SelectedShape()))
                     : ObjectResult(MakeObject<RangeObject>(app_->SelectedRange()));
    }

    std::shared_ptr<ExcelState> state_;
    std::shared_ptr<excel::Application> app_;
};

} // namespace

com::ComPtr<IDispatch> MakeExcelApplication(std::shared_ptr<ExcelState> state) {
    return com::ComPtr<IDispatch>::Attach(MakeObject<ApplicationObject>(std::move(state)).detach());
}

} // namespace pw::standins
