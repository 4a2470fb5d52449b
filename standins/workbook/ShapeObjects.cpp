#include "ShapeObjects.h"

#include "CellReference.h"
#include "SessionApi.h"
#include "standins/workbook/ExcelFailures.h"

namespace pw::standins {
namespace {

using workbook::Sheet;

class StandinShape : public SessionShape {
public:
    StandinShape(Sheet& sheet, SheetShapes& shapes, std::size_t index)
        : sheet_(sheet), shapes_(shapes), index_(index) {}

    void Select() override { shapes_.selected = index_; }
    void SetOnAction(const std::string& macro) override { Edit().onAction = macro; }
    void SetCaption(const std::string& caption) override { Edit(ShapeKind::Button).text = caption; }
    void SetText(const std::string& text) override { Edit(ShapeKind::CheckBox).text = text; }
    // The box takes the cell's value from now on, and the cell the box's.
    void SetLinkedCell(const std::string& reference) override {
        StoredShape& box = Edit(ShapeKind::CheckBox);
        const auto cell = CellOfReference(reference);
        if (!cell && !reference.empty()) {
            Refuse("Unable to set the LinkedCell property of the CheckBox class");
        }
        if (const auto old = CellOfReference(box.linkedCell)) {
            std::erase(shapes_.boxesOfCell[Sheet::Key(old->first, old->second)], index_);
        }
        box.linkedCell = reference;
        if (cell) {
            shapes_.boxesOfCell[Sheet::Key(cell->first, cell->second)].push_back(index_);
            box.value = BoxValueOf(sheet_.Entry(cell->first, cell->second));
        }
    }
    void SetBorderColor(std::int32_t rgb) override { Edit().borderColor = rgb; }
    void SetInteriorColor(std::int32_t rgb) override { Edit().interiorColor = rgb; }
    void SetValue(std::int32_t value) override {
        SetBoxValue(sheet_, shapes_, Edit(ShapeKind::CheckBox), value);
    }

private:
    StoredShape& Edit() { return shapes_.shapes.at(index_); }
    StoredShape& Edit(ShapeKind kind) {
        StoredShape& shape = Edit();
        if (shape.kind != kind) {
            RefuseUnsupported();
        }
        return shape;
    }

    Sheet& sheet_;
    SheetShapes& shapes_;
    std::size_t index_;
};

class AllCheckBoxes : public SessionShape {
public:
    AllCheckBoxes(Sheet& sheet, SheetShapes& shapes) : sheet_(sheet), shapes_(shapes) {}

    void Select() override { RefuseUnsupported(); }
    void SetOnAction(const std::string& macro) override {
        Each([&](StoredShape& box) { box.onAction = macro; });
    }
    void SetCaption(const std::string&) override { RefuseUnsupported(); }
    void SetText(const std::string& text) override {
        Each([&](StoredShape& box) { box.text = text; });
    }
    void SetLinkedCell(const std::string&) override { RefuseUnsupported(); }
    void SetBorderColor(std::int32_t rgb) override {
        Each([&](StoredShape& box) { box.borderColor = rgb; });
    }
    void SetInteriorColor(std::int32_t rgb) override {
        Each([&](StoredShape& box) { box.interiorColor = rgb; });
    }
    void SetValue(std::int32_t value) override {
        Each([&](StoredShape& box) { SetBoxValue(sheet_, shapes_, box, value); });
    }

private:
    template <class Edit> void Each(Edit edit) {
        for (const std::size_t index : shapes_.checkBoxes) {
            edit(shapes_.shapes.at(index));
        }
    }

    Sheet& sheet_;
    SheetShapes& shapes_;
};

} // namespace

std::size_t AddShape(SheetShapes& shapes, ShapeKind kind, double left, double top, double width,
                     double height) {
    StoredShape shape;
    shape.kind = kind;
    shape.name = (kind == ShapeKind::Button ? "Button " : "Check Box ") +
                 std::to_string(shapes.nextShapeNumber++);
    shape.text = shape.name;
    shape.left = left;
    shape.top = top;
    shape.width = width;
    shape.height = height;
    shapes.shapes.push_back(std::move(shape));
    if (kind == ShapeKind::CheckBox) {
        shapes.checkBoxes.push_back(shapes.shapes.size() - 1);
    }
    return shapes.shapes.size() - 1;
}

std::shared_ptr<excel::Shape> MakeShape(Sheet& sheet, SheetShapes& shapes, std::size_t index) {
    return std::make_shared<StandinShape>(sheet, shapes, index);
}

std::shared_ptr<excel::Shape> MakeAllCheckBoxes(Sheet& sheet, SheetShapes& shapes) {
    return std::make_shared<AllCheckBoxes>(sheet, shapes);
}

} // namespace pw::standins
