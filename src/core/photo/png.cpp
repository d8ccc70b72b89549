// PNG: chunks of length, type, data and CRC; the Exif block is the data of
// the eXIf chunk, which may come before or after the image data. The image
// data may come in hundreds of IDAT chunks: each costs the read of its
// header, never of its body.
#include <array>

#include "core/photo/readers.h"

namespace qm {

std::optional<DateTaken> DateFromPng(BoundedReader& reader) {
    std::uint64_t at = 8;  // after the signature
    for (unsigned step = 0; step < kMaxEntries; ++step) {
        std::array<std::uint8_t, 8> header{};
        if (!reader.ReadHeader(at, header.data(), header.size())) return std::nullopt;
        const std::uint64_t length = LoadUnsigned(header.data(), 4, ByteOrder::Big);
        // PNG's own limit; a chunk with its CRC must lie inside the file.
        if (length > 0x7FFFFFFF || length + 12 > reader.size() - at) return std::nullopt;
        const std::string_view name(reinterpret_cast<const char*>(header.data() + 4), 4);
        if (name == "IEND") return std::nullopt;
        if (name == "eXIf") return DateFromExifBlock(reader, at + 8, length);
        at += 12 + length;
    }
    return std::nullopt;
}

}  // namespace qm
