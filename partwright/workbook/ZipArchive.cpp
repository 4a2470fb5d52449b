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

// Writes the bytes' deflated form onto the end of `out`, a piece at a time, so that no buffer as
// large as the input is made; returns its size.
std::size_t AppendDeflated(std::string& out, const std::string& content, int level) {
    z_stream stream{};
    if (deflateInit2(&stream, level, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        throw Failure(kEFail, "zlib could not start deflating");
    }
    constexpr std::size_t kPiece = 1 << 18;
    const std::size_t start = out.size();
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
    stream.avail_in = static_cast<uInt>(content.size());
    int status = Z_OK;
    while (status == Z_OK) {
        const std::size_t used = out.size();
        out.resize(used + kPiece);
        stream.next_out = reinterpret_cast<Bytef*>(out.data() + used);
        stream.avail_out = static_cast<uInt>(kPiece);
        status = deflate(&stream, Z_FINISH);
        out.resize(used + kPiece - stream.avail_out);
    }
    deflateEnd(&stream);
    if (status != Z_STREAM_END) {
        throw Failure(kEFail, "zlib could not deflate an archive entry");
    }
    return out.size() - start;
}

// An entry and its offset must fit the 32 bits of an archive without the ZIP64 extension.
std::uint32_t Within32Bits(std::size_t size, const std::string& what) {
    if (size > 0xFFFFFFFFu) {
        throw Failure(kEFail, what + " is too large for a workbook file (over 4 GB)");
    }
    return static_cast<std::uint32_t>(size);
}

constexpr std::uint32_t kVersion = 20;
constexpr std::uint32_t kStored = 0;
constexpr std::uint32_t kDeflated = 8;
constexpr std::uint32_t kUtf8Names = 0x0800;
// 1 January 2026, 00:00, in MS-DOS form: the same workbook makes the same bytes at any time.
constexpr std::uint32_t kDosTime = 0;
constexpr std::uint32_t kDosDate = ((2026 - 1980) << 9) | (1 << 5) | 1;

} // namespace

void ZipArchive::Add(const std::string& name, const std::string& content, Packing packing) {
    Entry entry;
    entry.name = name;
    entry.method = packing == Packing::Stored ? kStored : kDeflated;
    entry.size = Within32Bits(content.size(), name);
    entry.crc = static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(content.data()),
                                                 static_cast<uInt>(content.size())));
    entry.offset = Within32Bits(bytes_.size(), name);

    Put32(bytes_, 0x04034b50);
    Put16(bytes_, kVersion);
    Put16(bytes_, kUtf8Names);
    Put16(bytes_, entry.method);
    Put16(bytes_, kDosTime);
    Put16(bytes_, kDosDate);
    Put32(bytes_, entry.crc);
    const std::size_t compressedSizeAt = bytes_.size();
    Put32(bytes_, 0); // known once deflated
    Put32(bytes_, entry.size);
    Put16(bytes_, static_cast<std::uint32_t>(name.size()));
    Put16(bytes_, 0);
    bytes_ += name;
    if (packing == Packing::Stored) {
        bytes_ += content;
        entry.compressedSize = entry.size;
    } else {
        const int level = packing == Packing::DeflatedFast ? Z_BEST_SPEED : Z_DEFAULT_COMPRESSION;
        entry.compressedSize = Within32Bits(AppendDeflated(bytes_, content, level), name);
    }
    std::string size;
    Put32(size, entry.compressedSize);
    bytes_.replace(compressedSizeAt, size.size(), size);
    entries_.push_back(std::move(entry));
}

std::string ZipArchive::Finish() && {
    std::string out = std::move(bytes_);
    const auto directoryOffset = Within32Bits(out.size(), "the workbook");
    for (const Entry& entry : entries_) {
        Put32(out, 0x02014b50);
        Put16(out, kVersion);
        Put16(out, kVersion);
        Put16(out, kUtf8Names);
        Put16(out, entry.method);
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
    const auto directorySize = Within32Bits(out.size(), "the workbook") - directoryOffset;
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
