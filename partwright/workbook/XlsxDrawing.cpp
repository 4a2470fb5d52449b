#include "XlsxDrawing.h"

#include "XlsxPackage.h"
#include "shared/core/Failure.h"

#include <charconv>
#include <cstdint>
#include <iterator>
#include <map>

namespace pw::workbook {
namespace {

// English metric units: 914,400 an inch, 9,525 a pixel at 96 pixels an inch.
constexpr std::int64_t kUnitsPerPixel = 9525;

void AppendNumber(std::string& out, std::int64_t number) {
    char digits[24];
    const auto end = std::to_chars(std::begin(digits), std::end(digits), number).ptr;
    out.append(digits, end);
}

std::string ImageRelation(std::size_t place) {
    return "rIdImage" + std::to_string(place + 1);
}

// What every anchor of an image repeats, made once per image: a sheet of 20,000 rows has as many
// anchors.
struct ImageAnchorText {
    std::string extent; // cx="..." cy="..."
    std::string relation;
};

ImageAnchorText AnchorTextOf(const Image& image, std::size_t place) {
    ImageAnchorText text;
    text.extent = "cx=\"";
    AppendNumber(text.extent, image.width * kUnitsPerPixel);
    text.extent += "\" cy=\"";
    AppendNumber(text.extent, image.height * kUnitsPerPixel);
    text.extent += '"';
    text.relation = ImageRelation(place);
    return text;
}

void AppendAnchor(std::string& out, const PlacedPicture& placed, const ImageAnchorText& image,
                  std::size_t number) {
    out += "<xdr:oneCellAnchor><xdr:from><xdr:col>";
    AppendNumber(out, placed.column - 1);
    out += "</xdr:col><xdr:colOff>";
    AppendNumber(out, placed.left * kUnitsPerPixel);
    out += "</xdr:colOff><xdr:row>";
    AppendNumber(out, placed.row - 1);
    out += "</xdr:row><xdr:rowOff>";
    AppendNumber(out, placed.top * kUnitsPerPixel);
    out += "</xdr:rowOff></xdr:from><xdr:ext ";
    out += image.extent;
    out += "/><xdr:pic><xdr:nvPicPr><xdr:cNvPr id=\"";
    AppendNumber(out, static_cast<std::int64_t>(number));
    out += "\" name=\"Picture ";
    AppendNumber(out, static_cast<std::int64_t>(number));
    out += "\"/><xdr:cNvPicPr><a:picLocks noChangeAspect=\"1\"/></xdr:cNvPicPr></xdr:nvPicPr>"
           "<xdr:blipFill><a:blip r:embed=\"";
    out += image.relation;
    // The anchor alone places and sizes the picture: no transform of its own, as openpyxl writes
    // pictures that Excel opens.
    out += "\"/><a:stretch><a:fillRect/></a:stretch></xdr:blipFill><xdr:spPr>"
           "<a:prstGeom prst=\"rect\"/></xdr:spPr></xdr:pic>"
           "<xdr:clientData/></xdr:oneCellAnchor>";
}

} // namespace

std::string ImagePartName(std::size_t place) {
    return "media/image" + std::to_string(place + 1) + ".png";
}

DrawingParts SheetDrawing(const Sheet& sheet, const Workbook& book, std::set<std::size_t>& used) {
    DrawingParts parts;
    parts.drawing = kXmlDeclaration;
    parts.drawing +=
        R"(<xdr:wsDr xmlns:xdr="http://schemas.openxmlformats.org/drawingml/2006/spreadsheetDrawing" )"
        R"(xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main" )"
        R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)";
    std::map<std::size_t, ImageAnchorText> named;
    std::string relationships;
    std::size_t number = 0;
    for (const PlacedPicture& placed : sheet.pictures) {
        if (placed.image >= book.images.size()) {
            throw Failure(kEFail, "a picture of the sheet \"" + sheet.name +
                                      "\" shows an image the workbook does not hold");
        }
        const auto [text, first] = named.try_emplace(placed.image);
        if (first) {
            text->second = AnchorTextOf(book.images[placed.image], placed.image);
            relationships +=
                Relationship(text->second.relation, "image", "../" + ImagePartName(placed.image));
            used.insert(placed.image);
        }
        AppendAnchor(parts.drawing, placed, text->second, ++number);
    }
    parts.drawing += "</xdr:wsDr>";
    parts.relations = RelationsPart(relationships);
    return parts;
}

} // namespace pw::workbook
