#include "core/settings_file/settings_line_reader.h"

namespace qm {

namespace {

constexpr char16_t ByteOrderMark = 0xFEFF;

std::size_t UnitsLeft(const SettingsLineReader& reader) {
    return (reader.bytes.size() - reader.position) / 2;
}

char16_t UnitAt(const SettingsLineReader& reader, std::size_t bytePosition) {
    return static_cast<char16_t>(reader.bytes[bytePosition] |
                                 (reader.bytes[bytePosition + 1] << 8));
}

}  // namespace

SettingsLineReader OpenSettingsLines(std::span<const std::uint8_t> bytes) {
    SettingsLineReader reader{bytes, 0};
    if (UnitsLeft(reader) >= 1 && UnitAt(reader, 0) == ByteOrderMark) reader.position = 2;
    return reader;
}

bool ReadSettingsLine(SettingsLineReader& reader, SettingsLine& line) {
    line.length = 0;
    std::size_t available = UnitsLeft(reader);
    if (available == 0) return false;
    if (available > SettingsLineMaxUnits) available = SettingsLineMaxUnits;
    while (line.length < available) {
        const char16_t unit = UnitAt(reader, reader.position);
        reader.position += 2;
        line.units[line.length++] = unit;
        if (unit == u'\n') break;
    }
    line.units[line.length] = u'\0';
    return true;
}

std::u16string_view CutSettingsLine(const SettingsLine& line) {
    std::size_t end = 0;
    while (end < line.length) {
        const char16_t unit = line.units[end];
        if (unit == u'\r' || unit == u'\n' || unit == u'\0') break;
        ++end;
    }
    return {line.units.data(), end};
}

bool IsEmptySettingsLine(const SettingsLine& line) {
    const std::u16string_view raw = line.raw();
    return raw == u"\r\n" || raw == u"\n";
}

bool StartsWithLineBreak(const SettingsLine& line) {
    return line.length > 0 && (line.units[0] == u'\r' || line.units[0] == u'\n');
}

}  // namespace qm
