#include "WorkbookXlsx.h"

#include "ZipArchive.h"
#include "partwright/export/CellText.h"
#include "shared/core/NumberText.h"

#include <map>
#include <sstream>
#include <tuple>

namespace pw::workbook {
namespace {

// Excel's default palette, colour indexes 1 to 56, as RGB.
constexpr const char* kPalette[56] = {
    "000000", "FFFFFF", "FF0000", "00FF00", "0000FF", "FFFF00", "FF00FF", "00FFFF",
    "800000", "008000", "000080", "808000", "800080", "008080", "C0C0C0", "808080",
    "9999FF", "993366", "FFFFCC", "CCFFFF", "660066", "FF8080", "0066CC", "CCCCFF",
    "000080", "FF00FF", "FFFF00", "00FFFF", "800080", "800000", "008080", "0000FF",
    "00CCFF", "CCFFFF", "CCFFCC", "FFFF99", "99CCFF", "FF99CC", "CC99FF", "FFCC99",
    "3366FF", "33CCCC", "99CC00", "FFCC00", "FF9900", "FF6600", "666699", "969696",
    "003366", "339966", "003300", "333300", "993300", "993366", "333399", "333333"};

std::string PaletteColour(std::int32_t index) {
    return index >= 1 && index <= 56 ? std::string("FF") + kPalette[index - 1] : "";
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\r':
            out += "&#13;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string Reference(std::int32_t row, std::int32_t column) {
    return excel::ColumnLetters(column) + IntegerText(row);
}

// Later formats win: column, then row, then cell.
Format Merged(const Format& under, const Format& over) {
    Format merged = under;
    if (over.bold) {
        merged.bold = over.bold;
    }
    if (over.fontColorIndex) {
        merged.fontColorIndex = over.fontColorIndex;
    }
    if (over.interiorColorIndex) {
        merged.interiorColorIndex = over.interiorColorIndex;
    }
    if (over.horizontalAlignment) {
        merged.horizontalAlignment = over.horizontalAlignment;
    }
    return merged;
}

// The workbook's cell styles, each a font, a fill, an alignment and a number format.
class Styles {
public:
    int Of(const Format& format, bool date) {
        const std::string font = Font(format);
        const std::string fill = PaletteColour(format.interiorColorIndex.value_or(0));
        const std::string alignment = Alignment(format.horizontalAlignment.value_or(0));
        const auto key = std::make_tuple(Index(fonts_, font), Index(fills_, fill), alignment, date);
        return Index(styles_, key);
    }

    std::string Xml() const {
        std::ostringstream xml;
        xml << R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
            << R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)";
        xml << "<fonts count=\"" << fonts_.size() << "\">";
        for (const auto& font : Ordered(fonts_)) {
            xml << "<font>" << font << "<sz val=\"11\"/><name val=\"Calibri\"/></font>";
        }
        xml << "</fonts><fills count=\"" << fills_.size() + 1 << "\">"
            << R"(<fill><patternFill patternType="none"/></fill>)"
            << R"(<fill><patternFill patternType="gray125"/></fill>)";
        for (const auto& fill : Ordered(fills_)) {
            if (!fill.empty()) {
                xml << R"(<fill><patternFill patternType="solid"><fgColor rgb=")" << fill
                    << R"("/><bgColor indexed="64"/></patternFill></fill>)";
            }
        }
        xml << R"(</fills><borders count="1"><border/></borders>)"
            << R"(<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>)";
        xml << "<cellXfs count=\"" << styles_.size() << "\">";
        for (const auto& [fontId, fillId, alignment, date] : Ordered(styles_)) {
            // Fill 0 is none; fills 1 and on follow the two fills Excel reserves.
            const int fill = fillId == 0 ? 0 : fillId + 1;
            xml << "<xf numFmtId=\"" << (date ? 14 : 0) << "\" fontId=\"" << fontId
                << "\" fillId=\"" << fill << "\" borderId=\"0\" xfId=\"0\"";
            xml << (fontId ? " applyFont=\"1\"" : "") << (fill ? " applyFill=\"1\"" : "")
                << (date ? " applyNumberFormat=\"1\"" : "");
            if (!alignment.empty()) {
                xml << " applyAlignment=\"1\"><alignment horizontal=\"" << alignment << "\"/></xf>";
            } else {
                xml << "/>";
            }
        }
        xml << R"(</cellXfs><cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles></styleSheet>)";
        return xml.str();
    }

private:
    template <class Key> static int Index(std::map<Key, int>& table, const Key& key) {
        const auto found = table.find(key);
        if (found != table.end()) {
            return found->second;
        }
        const int index = static_cast<int>(table.size());
        table.emplace(key, index);
        return index;
    }
    template <class Key> static std::vector<Key> Ordered(const std::map<Key, int>& table) {
        std::vector<Key> keys(table.size());
        for (const auto& [key, index] : table) {
            keys[static_cast<std::size_t>(index)] = key;
        }
        return keys;
    }
    static std::string Font(const Format& format) {
        std::string font = format.bold.value_or(false) ? "<b/>" : "";
        const std::string colour = PaletteColour(format.fontColorIndex.value_or(0));
        if (!colour.empty()) {
            font += "<color rgb=\"" + colour + "\"/>";
        }
        return font;
    }
    static std::string Alignment(std::int32_t alignment) {
        switch (alignment) {
        case -4152:
            return "right";
        case -4131:
            return "left";
        case -4108:
            return "center";
        default:
            return "";
        }
    }

    std::map<std::string, int> fonts_{{"", 0}};
    std::map<std::string, int> fills_{{"", 0}};
    std::map<std::tuple<int, int, std::string, bool>, int> styles_{
        {std::make_tuple(0, 0, std::string(), false), 0}};
};

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// Whether text holds "_xHHHH_" at `at`: Excel's escape of a character XML cannot hold.
bool ReadsAsEscape(const std::string& text, std::size_t at) {
    if (text.size() - at < 7 || text[at] != '_' || text[at + 1] != 'x' || text[at + 6] != '_') {
        return false;
    }
    return IsHexDigit(text[at + 2]) && IsHexDigit(text[at + 3]) && IsHexDigit(text[at + 4]) &&
           IsHexDigit(text[at + 5]);
}

// Cell text as Excel writes it: a control character that XML cannot hold becomes "_xHHHH_", and
// text that already reads as such an escape keeps its underscore as "_x005F_", so every value
// reads back as it was.
std::string CellText(const std::string& text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') {
            out += std::string("_x00") + kHex[c >> 4] + kHex[c & 0xF] + "_";
        } else if (ReadsAsEscape(text, i)) {
            out += "_x005F_";
        } else {
            out += static_cast<char>(c);
        }
    }
    return Escaped(out);
}

std::string CellXml(std::int32_t row, std::int32_t column, const CellEntry& entry, int style) {
    std::ostringstream xml;
    xml << "<c r=\"" << Reference(row, column) << "\"";
    if (style) {
        xml << " s=\"" << style << "\"";
    }
    switch (entry.kind) {
    case CellKind::Text:
        xml << R"( t="inlineStr"><is><t xml:space="preserve">)" << CellText(entry.text)
            << "</t></is></c>";
        break;
    case CellKind::Number:
    case CellKind::Date:
        xml << "><v>" << DoubleText(entry.number) << "</v></c>";
        break;
    case CellKind::Boolean:
        xml << R"( t="b"><v>)" << (entry.truth ? 1 : 0) << "</v></c>";
        break;
    case CellKind::Formula:
        xml << "><f>" << Escaped(entry.text.substr(1)) << "</f></c>";
        break;
    case CellKind::Empty:
        xml << "/>";
        break;
    }
    return xml.str();
}

std::string SheetXml(const Sheet& sheet, bool active, Styles& styles, std::string& relations) {
    std::ostringstream xml;
    xml << R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
        << R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
        << R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)";
    xml << "<sheetViews><sheetView workbookViewId=\"0\"" << (active ? " tabSelected=\"1\"" : "")
        << ">";
    if (sheet.frozenAt) {
        const auto [row, column] = *sheet.frozenAt;
        const char* pane = row > 1 && column > 1 ? "bottomRight"
                           : row > 1             ? "bottomLeft"
                                                 : "topRight";
        if (row > 1 || column > 1) {
            xml << "<pane";
            if (column > 1) {
                xml << " xSplit=\"" << column - 1 << "\"";
            }
            if (row > 1) {
                xml << " ySplit=\"" << row - 1 << "\"";
            }
            xml << " topLeftCell=\"" << Reference(row, column) << "\" activePane=\"" << pane
                << "\" state=\"frozen\"/>";
        }
    }
    xml << R"(</sheetView></sheetViews><sheetFormatPr defaultRowHeight="15"/>)";

    if (!sheet.columns.empty()) {
        xml << "<cols>";
        for (const auto& [column, format] : sheet.columns) {
            xml << "<col min=\"" << column << "\" max=\"" << column << "\" width=\""
                << DoubleText(format.width.value_or(kDefaultColumnWidth) + 0.71) << "\"";
            if (format.width) {
                xml << " customWidth=\"1\"";
            }
            if (const int style = styles.Of(format.format, false)) {
                xml << " style=\"" << style << "\"";
            }
            xml << "/>";
        }
        xml << "</cols>";
    }

    xml << "<sheetData>";
    std::map<std::int32_t, std::vector<std::pair<std::int32_t, const StoredCell*>>> rows;
    for (const auto& [row, format] : sheet.rows) {
        rows[row];
    }
    sheet.ForEachCell([&](std::int32_t row, std::int32_t column, const StoredCell& cell) {
        rows[row].emplace_back(column, &cell);
    });
    for (const auto& [row, cells] : rows) {
        const auto found = sheet.rows.find(row);
        const Format rowFormat = found != sheet.rows.end() ? found->second.format : Format{};
        xml << "<row r=\"" << row << "\"";
        if (found != sheet.rows.end() && found->second.height) {
            xml << " ht=\"" << DoubleText(*found->second.height) << "\" customHeight=\"1\"";
        }
        if (const int style = styles.Of(rowFormat, false)) {
            xml << " s=\"" << style << "\" customFormat=\"1\"";
        }
        xml << ">";
        for (const auto& [column, cell] : cells) {
            const auto columnFound = sheet.columns.find(column);
            const Format columnFormat =
                columnFound != sheet.columns.end() ? columnFound->second.format : Format{};
            const Format format = Merged(Merged(columnFormat, rowFormat), cell->format);
            xml << CellXml(row, column, cell->entry,
                           styles.Of(format, cell->entry.kind == CellKind::Date));
        }
        xml << "</row>";
    }
    xml << "</sheetData>";

    if (!sheet.hyperlinks.empty()) {
        std::ostringstream rels;
        rels
            << R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
            << R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)";
        xml << "<hyperlinks>";
        int id = 1;
        for (const StoredHyperlink& link : sheet.hyperlinks) {
            xml << "<hyperlink ref=\"" << Reference(link.row, link.column) << "\" r:id=\"rId" << id
                << "\"/>";
            rels
                << "<Relationship Id=\"rId" << id
                << R"(" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/hyperlink" Target=")"
                << Escaped(link.address) << R"(" TargetMode="External"/>)";
            ++id;
        }
        xml << "</hyperlinks>";
        rels << "</Relationships>";
        relations = rels.str();
    }
    xml << "</worksheet>";
    return xml.str();
}

} // namespace

std::string WorkbookXlsx(const Workbook& book) {
    ZipArchive archive;
    Styles styles;
    std::ostringstream types;
    std::ostringstream workbook;
    std::ostringstream relations;
    types
        << R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
        << R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
        << R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
        << R"(<Default Extension="xml" ContentType="application/xml"/>)"
        << R"(<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>)"
        << R"(<Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>)";
    workbook << R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
             << R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
             << R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
             << "<bookViews><workbookView activeTab=\"" << book.activeSheet
             << "\"/></bookViews><sheets>";
    relations
        << R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
        << R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)";
    for (std::size_t i = 0; i < book.sheets.size(); ++i) {
        const std::string number = std::to_string(i + 1);
        std::string sheetRelations;
        archive.Add("xl/worksheets/sheet" + number + ".xml",
                    SheetXml(*book.sheets[i], i == book.activeSheet, styles, sheetRelations));
        if (!sheetRelations.empty()) {
            archive.Add("xl/worksheets/_rels/sheet" + number + ".xml.rels", sheetRelations);
        }
        types
            << "<Override PartName=\"/xl/worksheets/sheet" << number
            << R"(.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>)";
        workbook << "<sheet name=\"" << Escaped(book.sheets[i]->name) << "\" sheetId=\"" << number
                 << "\" r:id=\"rId" << number << "\"/>";
        relations
            << "<Relationship Id=\"rId" << number
            << R"(" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet)"
            << number << ".xml\"/>";
    }
    types << "</Types>";
    workbook << "</sheets></workbook>";
    relations
        << "<Relationship Id=\"rIdStyles\""
        << R"( Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>)"
        << "</Relationships>";

    archive.Add("[Content_Types].xml", types.str());
    archive.Add(
        "_rels/.rels",
        R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
        R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
        R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>)"
        R"(</Relationships>)");
    archive.Add("xl/workbook.xml", workbook.str());
    archive.Add("xl/_rels/workbook.xml.rels", relations.str());
    archive.Add("xl/styles.xml", styles.Xml());
    return archive.Finish();
}

} // namespace pw::workbook
