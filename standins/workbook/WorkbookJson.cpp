#include "WorkbookFiles.h"

#include <nlohmann/json.hpp>

namespace pw::standins {
namespace {

using nlohmann::ordered_json;
using namespace workbook;

const char* KindName(CellKind kind) {
    switch (kind) {
    case CellKind::Empty:
        return "empty";
    case CellKind::Text:
        return "text";
    case CellKind::Number:
        return "number";
    case CellKind::Boolean:
        return "boolean";
    case CellKind::Date:
        return "date";
    case CellKind::Formula:
        return "formula";
    case CellKind::Error:
        return "error";
    }
    return "empty";
}

ordered_json FormatJson(const Format& format) {
    ordered_json json = ordered_json::object();
    if (format.bold) {
        json["bold"] = *format.bold;
    }
    if (format.fontColorIndex) {
        json["fontColorIndex"] = *format.fontColorIndex;
    }
    if (format.interiorColorIndex) {
        json["interiorColorIndex"] = *format.interiorColorIndex;
    }
    if (format.horizontalAlignment) {
        json["horizontalAlignment"] = *format.horizontalAlignment;
    }
    return json;
}

ordered_json CellJson(std::int32_t row, std::int32_t column, const StoredCell& cell) {
    ordered_json json{{"row", row}, {"column", column}, {"kind", KindName(cell.entry.kind)}};
    switch (cell.entry.kind) {
    case CellKind::Text:
    case CellKind::Formula:
    case CellKind::Error:
        json["text"] = cell.entry.text;
        break;
    case CellKind::Number:
    case CellKind::Date:
        json["number"] = cell.entry.number;
        break;
    case CellKind::Boolean:
        json["truth"] = cell.entry.truth;
        break;
    case CellKind::Empty:
        break;
    }
    const ordered_json format = FormatJson(cell.format);
    if (!format.empty()) {
        json["format"] = format;
    }
    return json;
}

ordered_json SheetJson(const Sheet& sheet, const SheetShapes* sheetShapes, bool active) {
    ordered_json cells = ordered_json::array();
    sheet.ForEachCell([&](std::int32_t row, std::int32_t column, const StoredCell& cell) {
        if (cell.entry.kind != CellKind::Empty || !FormatJson(cell.format).empty()) {
            cells.push_back(CellJson(row, column, cell));
        }
    });
    ordered_json rows = ordered_json::array();
    for (const auto& [row, format] : sheet.rows) {
        ordered_json json{{"row", row}};
        if (format.height) {
            json["height"] = *format.height;
        }
        json["format"] = FormatJson(format.format);
        rows.push_back(json);
    }
    ordered_json columns = ordered_json::array();
    for (const auto& [column, format] : sheet.columns) {
        ordered_json json{{"column", column}};
        if (format.width) {
            json["width"] = *format.width;
        }
        json["format"] = FormatJson(format.format);
        columns.push_back(json);
    }
    ordered_json shapes = ordered_json::array();
    for (const StoredShape& shape :
         sheetShapes ? sheetShapes->shapes : std::vector<StoredShape>{}) {
        ordered_json json{{"kind", shape.kind == ShapeKind::Button ? "button" : "checkBox"},
                          {"name", shape.name},
                          {"left", shape.left},
                          {"top", shape.top},
                          {"width", shape.width},
                          {"height", shape.height},
                          {"onAction", shape.onAction},
                          {"text", shape.text}};
        if (shape.kind == ShapeKind::CheckBox) {
            json["linkedCell"] = shape.linkedCell;
            json["value"] = shape.value;
        }
        if (shape.borderColor) {
            json["borderColor"] = *shape.borderColor;
        }
        if (shape.interiorColor) {
            json["interiorColor"] = *shape.interiorColor;
        }
        shapes.push_back(json);
    }
    ordered_json hyperlinks = ordered_json::array();
    for (const StoredHyperlink& link : sheet.hyperlinks) {
        ordered_json json{{"row", link.row},
                          {"column", link.column},
                          {"address", link.address},
                          {"textToDisplay", link.textToDisplay}};
        if (!link.subAddress.empty()) {
            json["subAddress"] = link.subAddress;
        }
        hyperlinks.push_back(json);
    }
    ordered_json json{{"name", sheet.name}, {"active", active}};
    if (sheet.frozenAt) {
        json["frozenAt"] = {{"row", sheet.frozenAt->first}, {"column", sheet.frozenAt->second}};
    }
    json["rows"] = rows;
    json["columns"] = columns;
    json["cells"] = cells;
    json["shapes"] = shapes;
    json["hyperlinks"] = hyperlinks;
    return json;
}

} // namespace

std::string WorkbookJson(const workbook::Workbook& book, const ShapesAndModules& aside) {
    ordered_json sheets = ordered_json::array();
    for (std::size_t i = 0; i < book.sheets.size(); ++i) {
        sheets.push_back(
            SheetJson(*book.sheets[i], aside.FindShapes(*book.sheets[i]), i == book.activeSheet));
    }
    ordered_json modules = ordered_json::array();
    for (const MacroModule& module : aside.ModulesOf(book)) {
        modules.push_back({{"name", module.name},
                           {"type", module.type},
                           {"code", module.code},
                           {"addedTexts", module.addedTexts}});
    }
    const ordered_json json{{"name", book.name}, {"sheets", sheets}, {"modules", modules}};
    return json.dump(2) + "\n";
}

} // namespace pw::standins
