#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pw::workbook {

// How an entry is kept: deflated with zlib; deflated at zlib's fastest, for large parts that
// repeat one pattern (a drawing of 20,000 anchors shrinks as well either way); or stored as it is
// (what is already compressed, as a PNG image is, gains nothing from deflating again).
enum class Packing { Deflated, DeflatedFast, Stored };

// A ZIP archive built in memory.
class ZipArchive {
public:
    void Add(const std::string& name, const std::string& content,
             Packing packing = Packing::Deflated);
    // The archive's bytes, central directory included; the archive is spent.
    std::string Finish() &&;

private:
    struct Entry {
        std::string name;
        std::uint32_t crc = 0;
        std::uint32_t compressedSize = 0;
        std::uint32_t size = 0;
        std::uint32_t offset = 0;
        std::uint32_t method = 0;
    };
    std::string bytes_;
    std::vector<Entry> entries_;
};

} // namespace pw::workbook
