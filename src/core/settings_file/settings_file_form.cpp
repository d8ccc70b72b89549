#include "core/settings_file/settings_file_form.h"

#include <algorithm>
#include <string>

#include "core/text/utf8_text.h"

namespace qm {

namespace {

bool ValidUtf8(std::span<const std::uint8_t> bytes) {
    std::size_t invalid = 0;
    DecodeUtf8(bytes, &invalid);
    return invalid == 0;
}

// Whole 16-bit units with line breaks among them, each high surrogate
// followed by a low one and no low one alone. Random bytes almost never are,
// nor is text in a one-byte code page, which has no zero byte for the LF unit.
bool Utf16Lines(std::span<const std::uint8_t> bytes) {
    if (bytes.size() % 2 != 0) return false;
    bool expectLow = false, lineBreak = false;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const unsigned unit = bytes[i] | (bytes[i + 1] << 8);
        const bool high = unit >= 0xD800 && unit <= 0xDBFF;
        const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
        if (low != expectLow) return false;
        expectLow = high;
        lineBreak = lineBreak || unit == u'\n';
    }
    return !expectLow && lineBreak;
}

}  // namespace

SettingsFileForm FormOfSettingsFile(std::span<const std::uint8_t> bytes) {
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) return SettingsFileForm::Utf16;
    if (bytes.size() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) return SettingsFileForm::Neither;
    if (StartsWithUtf8Mark(bytes)) return ValidUtf8(bytes.subspan(3)) ? SettingsFileForm::Utf8 : SettingsFileForm::Neither;
    if (std::find(bytes.begin(), bytes.end(), 0) == bytes.end() && ValidUtf8(bytes)) return SettingsFileForm::Utf8;
    return Utf16Lines(bytes) ? SettingsFileForm::Utf16 : SettingsFileForm::Neither;
}

std::vector<std::uint8_t> Utf16BytesOfUtf8File(std::span<const std::uint8_t> bytes) {
    const std::u16string text = DecodeUtf8(StartsWithUtf8Mark(bytes) ? bytes.subspan(3) : bytes);
    std::vector<std::uint8_t> out;
    out.reserve(2 + text.size() * 2);
    out.push_back(0xFF);
    out.push_back(0xFE);
    for (const char16_t unit : text) {
        out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        out.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return out;
}

}  // namespace qm
