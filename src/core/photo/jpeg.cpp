// JPEG: the segments before the image data, each a marker and a length; the
// first APP1 segment that starts "Exif\0\0" and holds a date.
#include <array>

#include "core/photo/readers.h"

namespace qm {

namespace {

constexpr std::uint8_t kApp1 = 0xE1;
constexpr std::uint8_t kStartOfScan = 0xDA;
constexpr std::uint8_t kEndOfImage = 0xD9;

// Markers without a length: TEM and the restart markers.
bool Standalone(std::uint8_t marker) { return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7); }

}  // namespace

std::optional<DateTaken> DateFromJpeg(BoundedReader& reader) {
    std::uint64_t at = 2;  // after the start-of-image marker
    for (unsigned step = 0; step < kMaxEntries; ++step) {
        std::array<std::uint8_t, 4> head{};
        if (!reader.Read(at, head.data(), 2) || head[0] != 0xFF) return std::nullopt;
        const std::uint8_t marker = head[1];
        if (marker == 0xFF) {  // fill byte before a marker
            ++at;
            continue;
        }
        if (marker == kStartOfScan || marker == kEndOfImage) return std::nullopt;
        if (Standalone(marker)) {
            at += 2;
            continue;
        }
        if (!reader.Read(at + 2, &head[2], 2)) return std::nullopt;
        const std::uint64_t length = LoadUnsigned(&head[2], 2, ByteOrder::Big);  // counts itself, not the marker
        if (length < 2 || at + 2 + length > reader.size()) return std::nullopt;  // a cut segment
        using namespace std::string_view_literals;
        if (marker == kApp1 && length >= 8 && reader.Matches(at + 4, "Exif\0\0"sv)) {
            if (auto taken = DateFromTiff(reader, at + 10, length - 8)) return taken;
        }
        at += 2 + length;
    }
    return std::nullopt;
}

}  // namespace qm
