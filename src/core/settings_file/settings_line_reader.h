#pragma once
// Reads the settings file line by line, as the program always has: UTF-16
// little-endian units, an optional byte-order mark, and a line buffer of 1024
// units. One read takes at most 1023 units and stops after the first LF, which
// it keeps; a longer line therefore arrives in several pieces, and each piece
// counts as a line of its own.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace qm {

inline constexpr std::size_t SettingsLineBufferUnits = 1024;
inline constexpr std::size_t SettingsLineMaxUnits = SettingsLineBufferUnits - 1;

struct SettingsLineReader {
    std::span<const std::uint8_t> bytes;
    std::size_t position = 0;  // byte offset of the next unit
};

// One piece as read, line break included.
struct SettingsLine {
    std::array<char16_t, SettingsLineBufferUnits> units{};
    std::size_t length = 0;

    std::u16string_view raw() const { return {units.data(), length}; }
};

// Starts reading `bytes`; a leading byte-order mark is skipped, anything else
// (a big-endian mark included) is read as text from the first byte.
SettingsLineReader OpenSettingsLines(std::span<const std::uint8_t> bytes);

// Reads the next piece into `line`; false at the end of the data. A last odd
// byte cannot form a unit and is never read.
bool ReadSettingsLine(SettingsLineReader& reader, SettingsLine& line);

// The line ended at its first CR or LF. A zero unit ends it too, since the
// line was always handled as a zero-terminated text.
std::u16string_view CutSettingsLine(const SettingsLine& line);

// A list or preset section ends at a line that is exactly CR LF or exactly LF.
bool IsEmptySettingsLine(const SettingsLine& line);

// The "[SETTINGS]" section ends at a line whose first unit is CR or LF.
bool StartsWithLineBreak(const SettingsLine& line);

}  // namespace qm
