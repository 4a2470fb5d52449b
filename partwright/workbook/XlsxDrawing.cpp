#include "XlsxDrawing.h"

#include "XlsxPackage.h"
#include "shared/core/Failure.h"

#include <cstdint>

namespace pw::workbook {
namespace {

// English metric units: 914,400 an inch, 9,525 a pixel at 96 pixels an inch.
constexpr std::int64_t kUnitsPerPixel = 9525;

std::string Units(std::int32_t pixels) {
    return std::to_string(std::int64_t{pixels} * kUnitsPerPixel);
}

std::string ImageRelation(std::size_t place) {
    return "rIdImage" + std::to_string(place + 1);
}

void AppendAnchor(std::string& out, const PlacedPicture& placed, const Image& image,
                  std::size_t number) {
    const std::string id = std::to_string(number);
    const std::string width = Units(image.width);
    const std::string height = Units(image.height);
    out += "<xdr:oneCellAnchor><xdr:from><xdr:col>" + std::to_string(placed.column - 1) +
           "</xdr:col><xdr:colOff>" + Units(placed.left) + "</xdr:colOff><xdr:row>" +
           std::to_string(placed.row - 1) + "</xdr:row><xdr:rowOff>" + Units(placed.top) +
           "</xdr:rowOff></xdr:from><xdr:ext cx=\"" + width + "\" cy=\"" + height +
           "\"/><xdr:pic><xdr:nvPicPr><xdr:cNvPr id=\"" + id + "\" name=\"Picture " + id +
           "\"/><xdr:cNvPicPr><a:picLocks noChangeAspect=\"1\"/></xdr:cNvPicPr></xdr:nvPicPr>"
           "<xdr:blipFill><a:blip r:embed=\"" +
           ImageRelation(placed.image) +
           "\"/><a:stretch><a:fillRect/></a:stretch></xdr:blipFill><xdr:spPr><a:xfrm>"
           "<a:off x=\"0\" y=\"0\"/><a:ext cx=\"" +
           width + "\" cy=\"" + height +
           "\"/></a:xfrm><a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></xdr:spPr></xdr:pic>"
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
    std::set<std::size_t> named;
    std::string relationships;
    std::size_t number = 0;
    for (const PlacedPicture& placed : sheet.pictures) {
        if (placed.image >= book.images.size()) {
            throw Failure(kEFail, "a picture of the sheet \"" + sheet.name +
                                      "\" shows an image the workbook does not hold");
        }
        AppendAnchor(parts.drawing, placed, book.images[placed.image], ++number);
        if (named.insert(placed.image).second) {
            relationships += "<Relationship Id=\"" + ImageRelation(placed.image) + "\" Type=\"" +
                             kRelationsOf + "image\" Target=\"../" + ImagePartName(placed.image) +
                             "\"/>";
        }
    }
    parts.drawing += "</xdr:wsDr>";
    parts.relations = RelationsPart(relationships);
    used.insert(named.begin(), named.end());
    return parts;
}

} // namespace pw::workbook
