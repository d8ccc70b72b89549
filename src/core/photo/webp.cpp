// WebP: a RIFF file of chunks (type, little-endian size, data padded to an
// even length); the Exif block is the EXIF chunk.
#include <algorithm>
#include <array>

#include "core/photo/readers.h"

namespace qm {

std::optional<DateTaken> DateFromWebp(BoundedReader& reader) {
    using namespace std::string_view_literals;
    Cursor riff(reader, 4, reader.size(), ByteOrder::Little);
    const std::uint64_t end = std::min(reader.size(), 8 + riff.Number(4));
    if (riff.failed() || !reader.Matches(8, "WEBP"sv)) return std::nullopt;
    std::uint64_t at = 12;
    for (unsigned step = 0; step < kMaxEntries; ++step) {
        Cursor chunk(reader, at, end, ByteOrder::Little);
        std::array<char, 4> type{};
        chunk.Bytes(type.data(), type.size());
        const std::uint64_t size = chunk.Number(4);
        if (chunk.failed() || size > chunk.left()) return std::nullopt;
        if (std::string_view(type.data(), type.size()) == "EXIF") return DateFromExifBlock(reader, at + 8, size);
        at += 8 + size + size % 2;
    }
    return std::nullopt;
}

}  // namespace qm
