#pragma once
// The forms in which settings.ini is read. The program writes UTF-16
// little-endian with its byte-order mark; a text editor that saves the file
// again most often makes it UTF-8, with or without a mark.
#include <cstdint>
#include <span>
#include <vector>

namespace qm {

enum class SettingsFileForm : unsigned char {
    Utf16,    // the bytes go to the readers as they are
    Utf8,     // converted first (Utf16BytesOfUtf8File)
    Neither,  // not the user's settings in a form we know: never read, never written over
};

// UTF-16 when the file starts with FF FE; UTF-8 when it starts with EF BB BF
// and is valid UTF-8 throughout. Without a mark: UTF-8 when the bytes are
// valid UTF-8 and hold no zero byte (UTF-16 of any Latin text holds many),
// else UTF-16 when they are whole units, hold a line break and pair every
// surrogate. A file that starts with FE FF (big-endian), or fits none of these
// (random bytes, a one-byte code page), is in neither form.
SettingsFileForm FormOfSettingsFile(std::span<const std::uint8_t> bytes);

// A UTF-8 file (its mark, if any, dropped) as the UTF-16 little-endian bytes,
// mark first, that the readers take.
std::vector<std::uint8_t> Utf16BytesOfUtf8File(std::span<const std::uint8_t> bytes);

}  // namespace qm
