#pragma once
// Hand-written settings files for the tests: UTF-16 text built from literal
// lines, turned into little-endian bytes here (never by the code under test).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings/app_settings.h"
#include "core/settings/preset.h"

namespace qm::test {

// 2023-06-01 12:00:00 UTC as a file time: bytes 00 20 58 97 80 94 D9 01.
inline constexpr std::uint64_t FixtureFileTime = 0x01D9948097582000ull;
inline constexpr std::u16string_view FixtureFileTimeHex = u"002058978094D901";

inline std::vector<std::uint8_t> LittleEndian(std::u16string_view text) {
    std::vector<std::uint8_t> bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

inline std::vector<std::uint8_t> BigEndian(std::u16string_view text) {
    std::vector<std::uint8_t> bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    }
    return bytes;
}

// A file with byte-order mark whose lines are joined with CR LF.
inline std::vector<std::uint8_t> FileOfLines(std::initializer_list<std::u16string_view> lines) {
    std::u16string text = u"\uFEFF";
    for (std::u16string_view line : lines) {
        text.append(line);
        text.append(u"\r\n");
    }
    return LittleEndian(text);
}

inline AppSettings FixtureSettings() {
    return MakeDefaultAppSettings(RectRecord{0, 0, 1280, 1024}, FixtureFileTime);
}

inline PresetArray FixturePresets() { return MakeDefaultPresets(FixtureFileTime); }

inline std::u16string Repeated(char16_t unit, std::size_t count) {
    return std::u16string(count, unit);
}

}  // namespace qm::test
