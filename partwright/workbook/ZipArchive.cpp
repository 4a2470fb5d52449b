#include "ZipArchive.h"

#include "shared/core/Failure.h"

#include <zlib.h>

namespace pw::workbook {
namespace {

void Put16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

std::string Deflate(const std::string& content) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) !=
        Z_OK) {
        throw Failure(kEFail, "zlib could not start deflating");
    }
    std::string out(deflateBound(&stream, static_cast<uLong>(content.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
    stream.avail_in = static_cast<uInt>(content.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int status = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (status != Z_STREAM_END) {
        throw Failure(kEFail, "zlib could not deflate an archive entry");
    }
    return out;
}

constexpr std::uint32_t kVersion = 20;
constexpr std::uint32_t kDeflated = 8;
constexpr std::uint32_t kUtf8Names = 0x0800;
// 1 January 2026, 00:00, in MS-DOS form: the stand-in's files do not depend on the clock.
constexpr std::uint32_t kDosTime = 0;
constexpr std::uint32_t kDosDate = ((2026 - 1980) << 9) | (1 << 5) | 1;

} // namespace

void ZipArchive::Add(const std::string& name, const std::string& content) {
    Entry entry;
    entry.name = name;
    entry.size = static_cast<std::uint32_t>(content.size());
    entry.crc = static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(content.data()),
                                                 static_cast<uInt>(content.size())));
    const std::string packed = Deflate(content);
    entry.compressedSize = static_cast<std::uint32_t>(packed.size());
    entry.offset = static_cast<std::uint32_t>(bytes_.size());

    Put32(bytes_, 0x04034b50);
    Put16(bytes_, kVersion);
    Put16(bytes_, kUtf8Names);
    Put16(bytes_, kDeflated);
    Put16(bytes_, kDosTime);
    Put16(bytes_, kDosDate);
    Put32(bytes_, entry.crc);
    Put32(bytes_, entry.compressedSize);
    Put32(bytes_, entry.size);
    Put16(bytes_, static_cast<std::uint32_t>(name.size()));
    Put16(bytes_, 0);
    bytes_ += name;
    bytes_ += packed;
    entries_.push_back(std::move(entry));
}

std::string ZipArchive::Finish() const {
    std::string out = bytes_;
    const auto directoryOffset = static_cast<std::uint32_t>(out.size());
    for (const Entry& entry : entries_) {
        Put32(out, 0x02014b50);
        Put16(out, kVersion);
        Put16(out, kVersion);
        Put16(out, kUtf8Names);
        Put16(out, kDeflated);
        Put16(out, kDosTime);
        Put16(out, kDosDate);
        Put32(out, entry.crc);
        Put32(out, entry.compressedSize);
        Put32(out, entry.size);
        Put16(out, static_cast<std::uint32_t>(entry.name.size()));
        Put16(out, 0);
        Put16(out, 0);
        Put16(out, 0);
        Put16(out, 0);
        Put32(out, 0);
        Put32(out, entry.offset);
        out += entry.name;
    }
    const auto directorySize = static_cast<std::uint32_t>(out.size()) - directoryOffset;
    Put32(out, 0x06054b50);
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, static_cast<std::uint32_t>(entries_.size()));
    Put16(out, static_cast<std::uint32_t>(entries_.size()));
    Put32(out, directorySize);
    Put32(out, directoryOffset);
    Put16(out, 0);
    return out;
}

} // namespace pw::workbook
