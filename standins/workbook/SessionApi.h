#pragma once

#include "partwright/excel/ExcelApi.h"

#include <cstdint>
#include <memory>
#include <string>

// What Excel's object model offers beyond what Partwright calls: the active sheet and cell, the
// selection, a sheet's check boxes by number, the macro project's components. The stand-in's
// objects offer it for the workbook macros it runs and for the tests that look inside it.
namespace pw::standins {

class SessionShape : public excel::Shape {
public:
    virtual void Select() = 0;
};

class SessionWorksheet : public excel::Worksheet {
public:
    virtual std::string Name() = 0;
    virtual std::int32_t CheckBoxCount() = 0;
    // Checkboxes.Item, from 1.
    virtual std::shared_ptr<excel::Shape> CheckBox(std::int32_t index) = 0;
};

class SessionWorkbook : public excel::Workbook {
public:
    // Sheets(name).Select; fails when there is no such sheet.
    virtual void SelectSheet(const std::string& name) = 0;
    virtual std::shared_ptr<excel::Worksheet> ActiveSheet() = 0;
    // Makes the workbook Excel's active one, as a click on its window does.
    virtual void Activate() = 0;
};

class SessionApplication : public excel::Application {
public:
    virtual std::shared_ptr<excel::Range> ActiveCell() = 0;
    // The selection, when it is a range or when it is a shape.
    virtual std::shared_ptr<excel::Range> SelectedRange() = 0;
    virtual std::shared_ptr<excel::Shape> SelectedShape() = 0;
    // ActiveWindow.FreezePanes = True: freezes above and left of the selection.
    virtual void FreezePanes() = 0;
};

class SessionVBComponent : public excel::VBComponent {
public:
    virtual std::string Name() = 0;
    virtual std::int32_t Type() = 0;
};

class SessionVBProject : public excel::VBProject {
public:
    virtual std::int32_t ComponentCount() = 0;
    // VBComponents.Item, from 1.
    virtual std::shared_ptr<excel::VBComponent> Component(std::int32_t index) = 0;
};

// The session side of an object the stand-in made.
inline SessionShape& Session(excel::Shape& object) {
    return dynamic_cast<SessionShape&>(object);
}
inline SessionWorksheet& Session(excel::Worksheet& object) {
    return dynamic_cast<SessionWorksheet&>(object);
}
inline SessionWorkbook& Session(excel::Workbook& object) {
    return dynamic_cast<SessionWorkbook&>(object);
}
inline SessionApplication& Session(excel::Application& object) {
    return dynamic_cast<SessionApplication&>(object);
}
inline SessionVBComponent& Session(excel::VBComponent& object) {
    return dynamic_cast<SessionVBComponent&>(object);
}
inline SessionVBProject& Session(excel::VBProject& object) {
    return dynamic_cast<SessionVBProject&>(object);
}

} // namespace pw::standins
