#include "core/outside/handover_message.h"

namespace qm {

namespace {

constexpr std::size_t HeaderBytes = 8;

void PutWord(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (int k = 0; k < 4; ++k) bytes[at + k] = static_cast<std::uint8_t>(value >> (8 * k));
}

std::uint32_t Word(std::span<const std::uint8_t> bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int k = 0; k < 4; ++k) value |= static_cast<std::uint32_t>(bytes[at + k]) << (8 * k);
    return value;
}

std::size_t EntryBytes(const std::u16string& entry) { return (entry.size() + 1) * 2; }

}  // namespace

std::vector<std::vector<std::uint8_t>> EncodeHandover(const std::vector<std::u16string>& entries,
                                                      std::size_t maxBytes) {
    std::vector<std::vector<std::uint8_t>> messages;
    std::size_t next = 0;
    do {
        std::vector<std::uint8_t> bytes(HeaderBytes, 0);
        std::uint32_t count = 0;
        while (next < entries.size() &&
               (count == 0 || bytes.size() + EntryBytes(entries[next]) <= maxBytes)) {
            for (char16_t unit : entries[next]) {
                bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
                bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
            }
            bytes.push_back(0);
            bytes.push_back(0);
            ++count;
            ++next;
        }
        PutWord(bytes, 0, count);
        PutWord(bytes, 4, next == entries.size() ? HandoverLastFlag : 0);
        messages.push_back(std::move(bytes));
    } while (next < entries.size());
    return messages;
}

std::optional<HandoverMessage> DecodeHandover(std::uint64_t form, std::span<const std::uint8_t> bytes) {
    if (form != HandoverForm || bytes.size() < HeaderBytes || bytes.size() % 2 != 0) return std::nullopt;
    const std::uint32_t count = Word(bytes, 0);
    const std::uint32_t flags = Word(bytes, 4);
    if ((flags & ~HandoverLastFlag) != 0) return std::nullopt;
    // Each entry takes at least four bytes: one unit and its end mark.
    if (count > (bytes.size() - HeaderBytes) / 4) return std::nullopt;

    HandoverMessage message;
    message.last = (flags & HandoverLastFlag) != 0;
    message.entries.reserve(count);
    std::u16string entry;
    for (std::size_t at = HeaderBytes; at < bytes.size(); at += 2) {
        const char16_t unit = static_cast<char16_t>(bytes[at] | (bytes[at + 1] << 8));
        if (unit != 0) {
            entry += unit;
            continue;
        }
        if (entry.empty() || message.entries.size() == count) return std::nullopt;
        message.entries.push_back(std::move(entry));
        entry.clear();
    }
    if (!entry.empty() || message.entries.size() != count) return std::nullopt;
    return message;
}

}  // namespace qm
