#include "XlsxStyles.h"

#include "XlsxPackage.h"

#include <sstream>

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

std::string Font(const Format& format) {
    std::string font = format.bold.value_or(false) ? "<b/>" : "";
    const std::string colour = PaletteColour(format.fontColorIndex.value_or(0));
    if (!colour.empty()) {
        font += "<color rgb=\"" + colour + "\"/>";
    }
    return font;
}

std::string Alignment(std::int32_t alignment) {
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

template <class Key> int Index(std::map<Key, int>& table, const Key& key) {
    const auto found = table.find(key);
    if (found != table.end()) {
        return found->second;
    }
    const int index = static_cast<int>(table.size());
    table.emplace(key, index);
    return index;
}

template <class Key> std::vector<Key> Ordered(const std::map<Key, int>& table) {
    std::vector<Key> keys(table.size());
    for (const auto& [key, index] : table) {
        keys[static_cast<std::size_t>(index)] = key;
    }
    return keys;
}

// Each part of a format in 16 bits: whether it is set, then its value (within 15 bits).
std::uint64_t Packed(const Format& format, bool date) {
    const auto part = [](const std::optional<std::int32_t>& value) -> std::uint64_t {
        return value ? 0x8000u | (static_cast<std::uint32_t>(*value) & 0x7FFFu) : 0u;
    };
    const std::uint64_t bold = format.bold ? (*format.bold ? 3u : 2u) : 0u;
    return (bold | (date ? 4u : 0u)) | part(format.fontColorIndex) << 16 |
           part(format.interiorColorIndex) << 32 | part(format.horizontalAlignment) << 48;
}

} // namespace

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

int XlsxStyles::Of(const Format& format, bool date) {
    const auto fits = [](const std::optional<std::int32_t>& value) {
        return !value || (*value >= -0x4000 && *value < 0x4000);
    };
    const bool packable = fits(format.fontColorIndex) && fits(format.interiorColorIndex) &&
                          fits(format.horizontalAlignment);
    const std::uint64_t packed = packable ? Packed(format, date) : 0;
    if (const auto found = known_.find(packed); packable && found != known_.end()) {
        return found->second;
    }
    const std::string font = Font(format);
    const std::string fill = PaletteColour(format.interiorColorIndex.value_or(0));
    const std::string alignment = Alignment(format.horizontalAlignment.value_or(0));
    const int style =
        Index(styles_, StyleKey(Index(fonts_, font), Index(fills_, fill), alignment, date));
    if (packable) {
        known_.emplace(packed, style);
    }
    return style;
}

std::string XlsxStyles::Xml() const {
    std::ostringstream xml;
    xml << kXmlDeclaration
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
        xml << "<xf numFmtId=\"" << (date ? 14 : 0) << "\" fontId=\"" << fontId << "\" fillId=\""
            << fill << "\" borderId=\"0\" xfId=\"0\"";
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

} // namespace pw::workbook
