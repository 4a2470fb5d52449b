#pragma once

#include "SheetBlocks.h"
#include "shared/core/Failure.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// What the export and the macro writer ask of Excel: its object model, member by member. Every
// member may raise a Failure with Excel's code and message.
namespace pw::excel {

inline constexpr std::int32_t kWindowStateNormal = -4143;
inline constexpr std::int32_t kLastCell = 11;
inline constexpr std::int32_t kCheckBoxOff = -4146;
inline constexpr std::int32_t kStandardModule = 1;

// A cell, a whole row, a whole column, or a block of cells (which takes values only).
class Range {
public:
    virtual ~Range() = default;
    virtual CellValue Value() = 0;
    virtual void SetValue(const CellValue& value) = 0;
    // Range.Value of a block, given as one two-dimensional array: each value is read as
    // typed into its cell, as SetValue reads it.
    virtual void SetValues(const CellBlock& values) = 0;
    virtual void Select() = 0;
    virtual std::int32_t Row() = 0;
    virtual std::shared_ptr<Range> SpecialCells(std::int32_t kind) = 0;
    virtual double Left() = 0;
    virtual double Top() = 0;
    virtual double Width() = 0;
    virtual double RowHeight() = 0;
    virtual void SetRowHeight(double points) = 0;
    virtual void SetColumnWidth(double characters) = 0;
    virtual void SetFontBold(bool bold) = 0;
    virtual void SetFontColorIndex(std::int32_t index) = 0;
    virtual void SetInteriorColorIndex(std::int32_t index) = 0;
    virtual void SetHorizontalAlignment(std::int32_t alignment) = 0;
};

// A form button or check box on a sheet.
class Shape {
public:
    virtual ~Shape() = default;
    virtual void SetOnAction(const std::string& macro) = 0;
    // A button's caption (Characters.Text).
    virtual void SetCaption(const std::string& caption) = 0;
    // A check box's text, which macros read back as the shape's alternative text.
    virtual void SetText(const std::string& text) = 0;
    virtual void SetLinkedCell(const std::string& reference) = 0;
    virtual void SetBorderColor(std::int32_t rgb) = 0;
    virtual void SetInteriorColor(std::int32_t rgb) = 0;
    virtual void SetValue(std::int32_t value) = 0;
};

class Worksheet {
public:
    virtual ~Worksheet() = default;
    virtual void SetName(const std::string& name) = 0;
    // Makes the sheet its workbook's active one, and the workbook Excel's.
    virtual void Activate() = 0;
    virtual std::shared_ptr<Range> Cells(std::int32_t row, std::int32_t column) = 0;
    virtual std::shared_ptr<Range> Rows(std::int32_t row) = 0;
    virtual std::shared_ptr<Range> Columns(std::int32_t column) = 0;
    // Rows("first:last"), for formatting a run of rows at once.
    virtual std::shared_ptr<Range> RowSpan(std::int32_t first, std::int32_t last) = 0;
    // Range("$A$1:$B$2"): the cells from (top, left) to (bottom, right).
    virtual std::shared_ptr<Range> Block(std::int32_t top, std::int32_t left, std::int32_t bottom,
                                         std::int32_t right) = 0;
    // Buttons.Add and Checkboxes.Add, in points.
    virtual std::shared_ptr<Shape> AddButton(double left, double top, double width,
                                             double height) = 0;
    virtual std::shared_ptr<Shape> AddCheckBox(double left, double top, double width,
                                               double height) = 0;
    // The sheet's CheckBoxes collection as one shape: value and colours set on it go to every
    // check box of the sheet.
    virtual std::shared_ptr<Shape> AllCheckBoxes() = 0;
    // Hyperlinks.Add with its named arguments Anchor, Address and TextToDisplay.
    virtual void AddHyperlink(Range& anchor, const std::string& address,
                              const std::string& textToDisplay) = 0;
};

class CodeModule {
public:
    virtual ~CodeModule() = default;
    virtual void AddFromString(const std::string& text) = 0;
};

class VBComponent {
public:
    virtual ~VBComponent() = default;
    virtual void SetName(const std::string& name) = 0;
    virtual std::shared_ptr<excel::CodeModule> CodeModule() = 0;
};

class VBProject {
public:
    virtual ~VBProject() = default;
    virtual std::shared_ptr<VBComponent> AddComponent(std::int32_t type) = 0;
};

class Workbook {
public:
    virtual ~Workbook() = default;
    // Windows(1).FreezePanes = True: the workbook's own window, whichever workbook is active,
    // frozen above and left of the selection of the sheet it shows.
    virtual void FreezePanes() = 0;
    // Worksheets(index), from 1.
    virtual std::shared_ptr<Worksheet> Sheet(std::int32_t index) = 0;
    // Worksheets.Add: a new sheet in front of the active one, made active.
    virtual std::shared_ptr<Worksheet> AddWorksheet() = 0;
    virtual std::shared_ptr<excel::VBProject> VBProject() = 0;
};

class Application {
public:
    virtual ~Application() = default;
    virtual void SetVisible(bool visible) = 0;
    virtual void SetWindowState(std::int32_t state) = 0;
    virtual void SetScreenUpdating(bool updating) = 0;
    // Workbooks.Add; the new workbook becomes the active one.
    virtual std::shared_ptr<Workbook> AddWorkbook() = 0;
    // Fails when no workbook is open.
    virtual std::shared_ptr<Workbook> ActiveWorkbook() = 0;
};

// Held while an export talks to Excel; see ExcelLauncher::WaitWhileBusy.
class BusyWait {
public:
    virtual ~BusyWait() = default;
};

// Reaches Excel: a running "Excel.Application", or a new one.
class ExcelLauncher {
public:
    virtual ~ExcelLauncher() = default;
    virtual std::shared_ptr<Application> Attach() = 0;
    virtual std::shared_ptr<Application> Start() = 0;
    // While the answer is held, a call that Excel turns away because it is busy (a cell being
    // edited, a dialog open) is made again until `limit` has passed; each second of waiting is
    // told to `onWait`. After the limit the call fails as Excel turned it away. An Excel that is
    // never busy needs nothing held.
    virtual std::unique_ptr<BusyWait>
    WaitWhileBusy(std::chrono::seconds /*limit*/,
                  std::function<void(std::chrono::seconds waited)> /*onWait*/) {
        return nullptr;
    }
};

} // namespace pw::excel
