#include "core/settings_file/field_bytes.h"

namespace qm {

namespace {

void Store32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t Load32(const std::uint8_t* at) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(at[i]) << (8 * i);
    return value;
}

std::int32_t LoadSigned32(const std::uint8_t* at) { return static_cast<std::int32_t>(Load32(at)); }

}  // namespace

PlacementBytes ToBytes(const WindowPlacementRecord& p) {
    PlacementBytes bytes{};
    const std::uint32_t words[11] = {
        p.length,
        p.flags,
        p.showCmd,
        static_cast<std::uint32_t>(p.minX),
        static_cast<std::uint32_t>(p.minY),
        static_cast<std::uint32_t>(p.maxX),
        static_cast<std::uint32_t>(p.maxY),
        static_cast<std::uint32_t>(p.left),
        static_cast<std::uint32_t>(p.top),
        static_cast<std::uint32_t>(p.right),
        static_cast<std::uint32_t>(p.bottom),
    };
    for (int i = 0; i < 11; ++i) Store32(bytes.data() + 4 * i, words[i]);
    return bytes;
}

WindowPlacementRecord PlacementFromBytes(const PlacementBytes& bytes) {
    const std::uint8_t* b = bytes.data();
    WindowPlacementRecord p;
    p.length = Load32(b);
    p.flags = Load32(b + 4);
    p.showCmd = Load32(b + 8);
    p.minX = LoadSigned32(b + 12);
    p.minY = LoadSigned32(b + 16);
    p.maxX = LoadSigned32(b + 20);
    p.maxY = LoadSigned32(b + 24);
    p.left = LoadSigned32(b + 28);
    p.top = LoadSigned32(b + 32);
    p.right = LoadSigned32(b + 36);
    p.bottom = LoadSigned32(b + 40);
    return p;
}

PointBytes ToBytes(const PointRecord& point) {
    PointBytes bytes{};
    Store32(bytes.data(), static_cast<std::uint32_t>(point.x));
    Store32(bytes.data() + 4, static_cast<std::uint32_t>(point.y));
    return bytes;
}

PointRecord PointFromBytes(const PointBytes& bytes) {
    return PointRecord{LoadSigned32(bytes.data()), LoadSigned32(bytes.data() + 4)};
}

FileTimeBytes FileTimeToBytes(std::uint64_t fileTime) {
    FileTimeBytes bytes{};
    Store32(bytes.data(), static_cast<std::uint32_t>(fileTime));
    Store32(bytes.data() + 4, static_cast<std::uint32_t>(fileTime >> 32));
    return bytes;
}

std::uint64_t FileTimeFromBytes(const FileTimeBytes& bytes) {
    return Load32(bytes.data()) | (static_cast<std::uint64_t>(Load32(bytes.data() + 4)) << 32);
}

ColumnWidthBytes ToBytes(const FileListWidths& widths) {
    ColumnWidthBytes bytes{};
    for (std::size_t i = 0; i < widths.size(); ++i)
        Store32(bytes.data() + 4 * i, static_cast<std::uint32_t>(widths[i]));
    return bytes;
}

FileListWidths ColumnWidthsFromBytes(const ColumnWidthBytes& bytes) {
    FileListWidths widths{};
    for (std::size_t i = 0; i < widths.size(); ++i) widths[i] = LoadSigned32(bytes.data() + 4 * i);
    return widths;
}

}  // namespace qm
