// PNG: chunks of length, type, data and CRC; the Exif block is the data of
// the eXIf chunk, which may come before or after the image data.
#include <array>

#include "core/photo/readers.h"

namespace qm {

std::optional<DateTaken> DateFromPng(BoundedReader& reader) {
    std::uint64_t at = 8;  // after the signature
    for (unsigned step = 0; step < kMaxEntries; ++step) {
        Cursor chunk(reader, at, reader.size());
        const std::uint64_t length = chunk.Number(4);
        std::array<char, 4> type{};
        chunk.Bytes(type.data(), type.size());
        // PNG's own limit; a chunk with its CRC must lie inside the file.
        if (chunk.failed() || length > 0x7FFFFFFF || length + 4 > chunk.left()) return std::nullopt;
        const std::string_view name(type.data(), type.size());
        if (name == "IEND") return std::nullopt;
        if (name == "eXIf") return DateFromExifBlock(reader, at + 8, length);
        at += 12 + length;
    }
    return std::nullopt;
}

}  // namespace qm
