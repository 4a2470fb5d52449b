#include "WorkbookXlsx.h"

#include "XlsxDrawing.h"
#include "XlsxPackage.h"
#include "XlsxStyles.h"
#include "XlsxText.h"
#include "ZipArchive.h"
#include "partwright/excel/CellAddress.h"
#include "shared/core/Failure.h"
#include "shared/core/NumberText.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <unordered_map>

namespace pw::workbook {
namespace {

void AppendReference(std::string& out, std::int32_t row, std::int32_t column) {
    out += excel::ColumnLetters(column);
    out += IntegerText(row);
}

// The workbook's texts, each once: a BOM repeats its folders, statuses and materials on
// thousands of rows, and cells refer to them by number.
class SharedStrings {
public:
    std::size_t Of(const std::string& text) {
        ++uses_;
        const auto [found, added] = indexes_.try_emplace(text, texts_.size());
        if (added) {
            texts_.push_back(&found->first);
        }
        return found->second;
    }

    std::string Xml() const {
        std::string xml = kXmlDeclaration;
        xml += R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count=")" +
               std::to_string(uses_) + "\" uniqueCount=\"" + std::to_string(texts_.size()) + "\">";
        for (const std::string* text : texts_) {
            xml += R"(<si><t xml:space="preserve">)";
            AppendCellText(xml, *text);
            xml += "</t></si>";
        }
        xml += "</sst>";
        return xml;
    }

private:
    std::unordered_map<std::string, std::size_t> indexes_;
    std::vector<const std::string*> texts_; // in the order of their numbers
    std::size_t uses_ = 0;
};

struct Parts {
    XlsxStyles styles;
    SharedStrings strings;
};

void AppendCell(std::string& out, std::int32_t row, std::int32_t column, const CellEntry& entry,
                int style, Parts& parts) {
    out += "<c r=\"";
    AppendReference(out, row, column);
    out += '"';
    if (style) {
        out += " s=\"" + std::to_string(style) + "\"";
    }
    switch (entry.kind) {
    case CellKind::Text:
        out += " t=\"s\"><v>" + std::to_string(parts.strings.Of(entry.text)) + "</v></c>";
        break;
    case CellKind::Number:
    case CellKind::Date:
        // No reader takes an infinite number: it is the error Excel shows for one.
        out += std::isfinite(entry.number) ? "><v>" + DoubleText(entry.number) + "</v></c>"
                                           : std::string(R"( t="e"><v>#NUM!</v></c>)");
        break;
    case CellKind::Boolean:
        out += entry.truth ? R"( t="b"><v>1</v></c>)" : R"( t="b"><v>0</v></c>)";
        break;
    case CellKind::Formula:
        out += "><f>";
        AppendEscaped(out, std::string_view(entry.text).substr(1));
        out += "</f></c>";
        break;
    case CellKind::Error:
        out += R"( t="e"><v>)";
        AppendEscaped(out, entry.text);
        out += "</v></c>";
        break;
    case CellKind::Empty:
        out += "/>";
        break;
    }
}

void AppendSheetView(std::string& out, const Sheet& sheet, bool active) {
    out += "<sheetViews><sheetView workbookViewId=\"0\"";
    out += active ? " tabSelected=\"1\">" : ">";
    if (sheet.frozenAt) {
        const auto [row, column] = *sheet.frozenAt;
        const char* pane = row > 1 && column > 1 ? "bottomRight"
                           : row > 1             ? "bottomLeft"
                                                 : "topRight";
        if (row > 1 || column > 1) {
            out += "<pane";
            if (column > 1) {
                out += " xSplit=\"" + std::to_string(column - 1) + "\"";
            }
            if (row > 1) {
                out += " ySplit=\"" + std::to_string(row - 1) + "\"";
            }
            out += " topLeftCell=\"";
            AppendReference(out, row, column);
            out += std::string("\" activePane=\"") + pane + "\" state=\"frozen\"/>";
        }
    }
    out += R"(</sheetView></sheetViews><sheetFormatPr defaultRowHeight="15"/>)";
}

void AppendColumns(std::string& out, const Sheet& sheet, Parts& parts) {
    if (sheet.columns.empty()) {
        return;
    }
    out += "<cols>";
    for (const auto& [column, format] : sheet.columns) {
        out += "<col min=\"" + std::to_string(column) + "\" max=\"" + std::to_string(column) +
               "\" width=\"" + DoubleText(format.width.value_or(kDefaultColumnWidth) + 0.71) + "\"";
        if (format.width) {
            out += " customWidth=\"1\"";
        }
        if (const int style = parts.styles.Of(format.format, false)) {
            out += " style=\"" + std::to_string(style) + "\"";
        }
        out += "/>";
    }
    out += "</cols>";
}

void AppendRowStart(std::string& out, std::int32_t row, const RowFormat* format, Parts& parts) {
    out += "<row r=\"" + std::to_string(row) + "\"";
    if (format && format->height) {
        out += " ht=\"" + DoubleText(*format->height) + "\" customHeight=\"1\"";
    }
    if (const int style = parts.styles.Of(format ? format->format : Format{}, false)) {
        out += " s=\"" + std::to_string(style) + "\" customFormat=\"1\"";
    }
    out += ">";
}

void AppendSheetData(std::string& out, const Sheet& sheet, Parts& parts) {
    static const std::pmr::vector<StoredCell> kNoCells;
    static const Format kNoFormat;
    // Every row that holds a cell or a format of its own, in order: the grid's rows and the
    // formatted ones, walked side by side.
    auto formatted = sheet.rows.begin();
    const std::int64_t lastFormatted = sheet.rows.empty() ? 0 : sheet.rows.rbegin()->first;
    const std::int64_t last =
        std::max<std::int64_t>(static_cast<std::int64_t>(sheet.grid.size()), lastFormatted);
    out += "<sheetData>";
    for (std::int32_t row = 1; row <= last; ++row) {
        while (formatted != sheet.rows.end() && formatted->first < row) {
            ++formatted;
        }
        const RowFormat* rowFormat =
            formatted != sheet.rows.end() && formatted->first == row ? &formatted->second : nullptr;
        const auto r = static_cast<std::size_t>(row - 1);
        const auto& cells = r < sheet.grid.size() ? sheet.grid[r] : kNoCells;
        if (cells.empty() && !rowFormat) {
            continue;
        }
        AppendRowStart(out, row, rowFormat, parts);
        const Format& rowLook = rowFormat ? rowFormat->format : kNoFormat;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const auto column = static_cast<std::int32_t>(c + 1);
            const auto columnFound = sheet.columns.find(column);
            const Format& columnLook =
                columnFound != sheet.columns.end() ? columnFound->second.format : kNoFormat;
            const StoredCell& cell = cells[c];
            const Format format = Merged(Merged(columnLook, rowLook), cell.format);
            const int style = parts.styles.Of(format, cell.entry.kind == CellKind::Date);
            if (cell.entry.kind == CellKind::Empty && style == 0) {
                continue; // a gap before a later cell of the row, with nothing to show
            }
            AppendCell(out, row, column, cell.entry, style, parts);
        }
        out += "</row>";
    }
    out += "</sheetData>";
}

// The sheet's hyperlinks; their targets go into the sheet's relations.
void AppendHyperlinks(std::string& out, const Sheet& sheet, std::string& relations) {
    if (sheet.hyperlinks.empty()) {
        return;
    }
    out += "<hyperlinks>";
    int id = 1;
    for (const StoredHyperlink& link : sheet.hyperlinks) {
        const std::string relation = "rId" + std::to_string(id++);
        out += "<hyperlink ref=\"";
        AppendReference(out, link.row, link.column);
        out += "\" r:id=\"" + relation + '"';
        if (!link.subAddress.empty()) {
            out += " location=\"";
            AppendEscaped(out, link.subAddress);
            out += '"';
        }
        out += "/>";
        relations += "<Relationship Id=\"" + relation + "\" Type=\"" + std::string(kRelationsOf) +
                     R"(hyperlink" Target=")";
        AppendEscaped(relations, link.address);
        relations += R"(" TargetMode="External"/>)";
    }
    out += "</hyperlinks>";
}

// What a worksheet holds at most: Excel refuses a file with a cell beyond.
constexpr std::size_t kMostRows = 1'048'576;
constexpr std::size_t kMostColumns = 16'384;

void CheckSize(const Sheet& sheet) {
    std::size_t columns = 0;
    for (const auto& cells : sheet.grid) {
        columns = std::max(columns, cells.size());
    }
    const bool tooManyRows =
        sheet.grid.size() > kMostRows ||
        (!sheet.rows.empty() && static_cast<std::size_t>(sheet.rows.rbegin()->first) > kMostRows);
    if (tooManyRows || columns > kMostColumns) {
        throw Failure(kEFail, "the sheet \"" + sheet.name + "\" needs " +
                                  IntegerText(static_cast<std::int64_t>(sheet.grid.size())) +
                                  " rows and " + IntegerText(static_cast<std::int64_t>(columns)) +
                                  " columns; a worksheet holds at most " + IntegerText(kMostRows) +
                                  " rows and " + IntegerText(kMostColumns) + " columns");
    }
}

// The sheet's part; the relations it names (hyperlinks, its drawing) are added to `relations`.
std::string SheetXml(const Sheet& sheet, bool active, Parts& parts, std::string& relations,
                     const std::string& drawing) {
    CheckSize(sheet);
    std::string xml = kXmlDeclaration;
    xml += R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
           R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)";
    AppendSheetView(xml, sheet, active);
    AppendColumns(xml, sheet, parts);
    AppendSheetData(xml, sheet, parts);
    AppendHyperlinks(xml, sheet, relations);
    if (!drawing.empty()) {
        xml += R"(<drawing r:id="rIdDrawing"/>)";
        relations += Relationship("rIdDrawing", "drawing", "../" + drawing);
    }
    xml += "</worksheet>";
    return xml;
}

constexpr const char* kSheetType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";
constexpr const char* kDrawingType = "application/vnd.openxmlformats-officedocument.drawing+xml";

} // namespace

std::string WorkbookXlsx(const Workbook& book) {
    ZipArchive archive;
    Parts parts;
    std::string types = kXmlDeclaration;
    types +=
        R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
        R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
        R"(<Default Extension="xml" ContentType="application/xml"/>)"
        R"(<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>)"
        R"(<Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>)"
        R"(<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>)";
    std::string workbook = kXmlDeclaration;
    workbook += R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
                R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
                "<bookViews><workbookView activeTab=\"" +
                std::to_string(book.activeSheet) + "\"/></bookViews><sheets>";
    std::string relations;
    std::set<std::size_t> usedImages;
    for (std::size_t i = 0; i < book.sheets.size(); ++i) {
        const std::string number = std::to_string(i + 1);
        const Sheet& sheet = *book.sheets[i];
        std::string drawing;
        if (!sheet.pictures.empty()) {
            drawing = "drawings/drawing" + number + ".xml";
            const DrawingParts drawn = SheetDrawing(sheet, book, usedImages);
            archive.Add("xl/" + drawing, drawn.drawing, Packing::DeflatedFast);
            archive.Add("xl/drawings/_rels/drawing" + number + ".xml.rels", drawn.relations);
            types +=
                "<Override PartName=\"/xl/" + drawing + "\" ContentType=\"" + kDrawingType + "\"/>";
        }
        std::string sheetRelations;
        archive.Add("xl/worksheets/sheet" + number + ".xml",
                    SheetXml(sheet, i == book.activeSheet, parts, sheetRelations, drawing));
        if (!sheetRelations.empty()) {
            archive.Add("xl/worksheets/_rels/sheet" + number + ".xml.rels",
                        RelationsPart(sheetRelations));
        }
        types += "<Override PartName=\"/xl/worksheets/sheet" + number + ".xml\" ContentType=\"" +
                 kSheetType + "\"/>";
        workbook += "<sheet name=\"";
        AppendEscaped(workbook, book.sheets[i]->name);
        workbook += "\" sheetId=\"" + number + "\" r:id=\"rId" + number + "\"/>";
        relations +=
            Relationship("rId" + number, "worksheet", "worksheets/sheet" + number + ".xml");
    }
    if (!usedImages.empty()) {
        types += R"(<Default Extension="png" ContentType="image/png"/>)";
    }
    for (const std::size_t image : usedImages) {
        archive.Add("xl/" + ImagePartName(image), book.images[image].png, Packing::Stored);
    }
    types += "</Types>";
    workbook += "</sheets></workbook>";
    relations += Relationship("rIdStyles", "styles", "styles.xml") +
                 Relationship("rIdStrings", "sharedStrings", "sharedStrings.xml");

    archive.Add("[Content_Types].xml", types);
    archive.Add("_rels/.rels",
                RelationsPart(Relationship("rId1", "officeDocument", "xl/workbook.xml")));
    archive.Add("xl/workbook.xml", workbook);
    archive.Add("xl/_rels/workbook.xml.rels", RelationsPart(relations));
    archive.Add("xl/styles.xml", parts.styles.Xml());
    archive.Add("xl/sharedStrings.xml", parts.strings.Xml());
    return std::move(archive).Finish();
}

} // namespace pw::workbook
