#include "SheetWriting.h"

#include "shared/core/Failure.h"

#include <optional>
#include <utility>

namespace pw::workbook {

void TypeInto(Sheet& sheet, std::int32_t row, std::int32_t column, const Value& value,
              int currentYear) {
    CellEntry entry;
    if (const auto* text = std::get_if<std::string>(&value)) {
        entry = ReadEntry(*text, currentYear);
    } else if (const auto* whole = std::get_if<std::int32_t>(&value)) {
        entry = {CellKind::Number, {}, static_cast<double>(*whole)};
    } else if (const auto* real = std::get_if<double>(&value)) {
        entry = {CellKind::Number, {}, *real};
    } else if (const auto* truth = std::get_if<bool>(&value)) {
        entry = {CellKind::Boolean, {}, 0, *truth};
    }
    if (entry.kind == CellKind::Empty && !sheet.Find(row, column)) {
        return;
    }
    sheet.At(row, column).entry = std::move(entry);
}

void LinkCell(Sheet& sheet, std::int32_t row, std::int32_t column, const std::string& address,
              const std::string& text) {
    const auto hash = address.find('#');
    const StoredHyperlink link{row, column, address.substr(0, hash), text,
                               hash == std::string::npos ? std::string()
                                                         : address.substr(hash + 1)};
    const std::uint64_t key = Sheet::Key(row, column);
    if (const auto found = sheet.hyperlinkOfCell.find(key); found != sheet.hyperlinkOfCell.end()) {
        sheet.hyperlinks[found->second] = link;
    } else {
        sheet.hyperlinkOfCell.emplace(key, sheet.hyperlinks.size());
        sheet.hyperlinks.push_back(link);
    }
    sheet.At(row, column).entry = {CellKind::Text, text};
}

SheetBlockWriter::SheetBlockWriter(Sheet& sheet, excel::CellLimits limits,
                                   std::function<void(const std::string&)> fitted,
                                   const FileImages* images)
    : BlockWriter(sheet.name, limits), sheet_(sheet), fitted_(std::move(fitted)), images_(images) {}

void SheetBlockWriter::Failed(const std::string& why) {
    throw Failure(kEFail, "the workbook could not be made whole: " + why);
}

void SheetBlockWriter::Fitted(const std::string& where) {
    if (fitted_) {
        fitted_(where);
    }
}

void SheetBlockWriter::FormatRows(const excel::RowRunFormat& run) {
    for (std::int32_t row = run.top; row <= run.bottom; ++row) {
        Format& format = sheet_.rows[row].format;
        if (run.fill) {
            format.interiorColorIndex = run.fill;
        }
        if (run.fontColor) {
            format.fontColorIndex = run.fontColor;
        }
        if (run.bold) {
            format.bold = true;
        }
    }
}

void SheetBlockWriter::PutValues(std::int32_t top, const excel::CellBlock& values) {
    const std::int32_t bottom = top + values.rows - 1;
    sheet_.Reserve(top, bottom, values.columns);
    for (std::int32_t r = 0; r < values.rows; ++r) {
        for (std::int32_t c = 0; c < values.columns; ++c) {
            TypeInto(sheet_, top + r, c + 1, values.At(r, c), currentYear_);
        }
    }
}

void SheetBlockWriter::PutLink(const excel::CellLink& link) {
    LinkCell(sheet_, link.row, link.column, link.address, link.text);
}

void SheetBlockWriter::PutPicture(const excel::CellPicture& picture) {
    // Every row of a sheet of pictures is as tall, with a picture or without.
    sheet_.SetRowHeight(picture.row, kPictureRowHeight);
    sheet_.columns[picture.column].width = kPictureColumnWidth;
    const std::optional<std::size_t> image =
        images_ && !picture.file.empty() ? images_->Find(picture.file) : std::nullopt;
    if (!image) {
        return;
    }
    const Image& shown = images_->Images()[*image];
    sheet_.pictures.push_back({picture.row, picture.column, *image,
                               (kPictureCellPixels - shown.width) / 2,
                               (kPictureCellPixels - shown.height) / 2});
}

} // namespace pw::workbook
