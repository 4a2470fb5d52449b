#include "CellText.h"

#include "shared/core/CaseFold.h"
#include "shared/core/NumberText.h"

#include <cmath>
#include <iterator>
#include <string_view>

namespace pw::excel {

CellValue TextCell(const std::string& text) {
    // Excel takes a leading apostrophe as "this is text" and does not keep it in the value.
    return text.empty() ? CellValue{} : CellValue{"'" + text};
}

CellValue FieldCell(const Value& field) {
    if (const auto* text = std::get_if<std::string>(&field)) {
        return TextCell(*text);
    }
    // A product past any number's range (a density times a volume of 1e308) shows as Excel's
    // error for it; as a number no file format or reader would take it.
    if (const auto* number = std::get_if<double>(&field); number && !std::isfinite(*number)) {
        return TextCell("#NUM!");
    }
    return field;
}

void SplitPath(const std::string& path, std::string& folder, std::string& name) {
    const auto lastSlash = path.rfind('\\');
    folder = lastSlash == std::string::npos ? std::string() : path.substr(0, lastSlash + 1);
    name = lastSlash == std::string::npos ? path : path.substr(lastSlash + 1);
}

void SplitRecordPath(const model::clsFileData& record, std::string& folder, std::string& name) {
    folder.clear();
    name.clear();
    if (record.Kind != model::ComponentKind::Virtual) {
        SplitPath(record.FileName, folder, name);
    }
}

std::string FileLinkAddress(const std::string& path) {
    if (path.find('#') == std::string::npos) {
        return path;
    }
    // "\\server\share\x" is file://server/share/x; "C:\x" is file:///C:/x.
    const bool unc = path.rfind("\\\\", 0) == 0;
    std::string url = unc ? "file:" : "file:///";
    for (const char c : path) {
        switch (c) {
        case '\\':
            url += '/';
            break;
        case '%':
            url += "%25";
            break;
        case '#':
            url += "%23";
            break;
        case ' ':
            url += "%20";
            break;
        default:
            url += c;
        }
    }
    return url;
}

bool IsAssemblyRow(const std::string& fileName) {
    const std::string_view name =
        std::string_view(fileName).substr(fileName.find_last_of("\\/") + 1);
    constexpr std::string_view kExtension = ".iam";
    return name.size() > kExtension.size() &&
           EqualsIgnoringCase(name.substr(name.size() - kExtension.size()), kExtension);
}

bool IsAssemblyRecord(const model::clsFileData& record) {
    return record.Kind != model::ComponentKind::Virtual && IsAssemblyRow(record.FileName);
}

bool Exported(const model::clsFileData& record) {
    return record.Kind != model::ComponentKind::Suppressed;
}

std::string StatusText(const Value& status) {
    double number = 0;
    if (const auto* whole = std::get_if<std::int32_t>(&status)) {
        number = *whole;
    } else if (const auto* real = std::get_if<double>(&status)) {
        number = *real;
    }
    if (number == 1) {
        return "WIP";
    }
    if (number == 2) {
        return "Pending";
    }
    if (number == 3) {
        return "Released";
    }
    return "NA-" + ValueText(status);
}

std::string MatrixText(inventor::Matrix* matrix) {
    std::string text;
    if (!matrix) {
        return text;
    }
    // All sixteen or none: a placement short of an element would put the part elsewhere.
    for (int row = 1; row <= 4; ++row) {
        for (int column = 1; column <= 4; ++column) {
            text += DoubleText(matrix->Cell(row, column)) + ",";
        }
    }
    if (!text.empty()) {
        text.pop_back();
    }
    return text;
}

} // namespace pw::excel
