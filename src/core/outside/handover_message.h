#pragma once
// What a second start hands to the running Quillmoth in WM_COPYDATA: the
// paths of its command line, in one form that the receiver checks strictly.
//
// The form id goes in dwData. The bytes are a count of entries and a flags
// word (both 32-bit little-endian), then exactly that many entries, each a
// non-empty UTF-16 little-endian text with its zero end mark, and nothing
// after the last. Flag bit 0 marks the last message of a hand-over; a long
// list goes in several messages so that none grows large.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace qm {

inline constexpr std::uint64_t HandoverForm = 0x514D'4831;  // "QMH1"
inline constexpr std::uint32_t HandoverLastFlag = 1;
// Far below what WM_COPYDATA can carry safely, and far above one command line.
inline constexpr std::size_t HandoverMessageBytes = 256 * 1024;

struct HandoverMessage {
    std::vector<std::u16string> entries;
    bool last = true;
};

// The messages that carry `entries` in order, each at most `maxBytes` long
// unless one entry alone is longer. At least one message, the last flagged;
// no entries at all make one empty message (which only asks for the window).
std::vector<std::vector<std::uint8_t>> EncodeHandover(const std::vector<std::u16string>& entries,
                                                      std::size_t maxBytes = HandoverMessageBytes);

// The message, or none when the form is not ours, the size does not add up,
// an entry is empty or lacks its end mark, or a flag is unknown.
std::optional<HandoverMessage> DecodeHandover(std::uint64_t form, std::span<const std::uint8_t> bytes);

// An entry is a full path, or "@" and the full path of a list file: a full
// path never starts with "@".
inline constexpr char16_t ListFileMark = u'@';

}  // namespace qm
