// Arbitrary instant, local offset, capacity and format text: the expander must
// stay inside the caller's buffer, always end the text with a zero unit, and
// cut an over-long result only between whole pieces, so that a smaller buffer
// holds a prefix of what a larger one holds. The list date of the same instant
// must keep its layout and read back to the instant.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "core/timestamp/calendar.h"
#include "core/timestamp/list_date.h"
#include "core/timestamp/time_format.h"

namespace {

template <typename T>
T Take(const std::uint8_t*& data, std::size_t& size) {
    T value{};
    const std::size_t n = size < sizeof value ? size : sizeof value;
    if (n > 0) std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckListDate(std::uint64_t instant, qm::LocalOffset offset) {
    const qm::ListDateText text = qm::FormatListDate(instant, offset);
    const auto local = qm::CalendarFromFileTime(qm::LocalFromUtc(instant, offset));
    if (!local) {
        Check(text.empty());
        return;
    }
    Check(text.size() == (local->year > 9999 ? 29u : 28u));
    const std::optional<std::uint64_t> parsed = qm::ParseDateText(text.view(), offset);
    // Whole-millisecond offsets keep the dropped sub-millisecond part exactly
    // the instant's own, and CheckDate ends the readable years at 10000.
    if (offset % 10'000 == 0 && instant < (std::uint64_t{1} << 63) && local->year <= 10000) {
        Check(parsed == instant - instant % 10'000);
    }
    if (local->year > 10000) Check(!parsed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto instant = Take<std::uint64_t>(data, size);
    const auto offset = Take<std::int64_t>(data, size);
    const std::size_t capacity = Take<std::uint16_t>(data, size) % 3100;
    std::vector<char16_t> format(size / 2);
    if (!format.empty()) std::memcpy(format.data(), data, format.size() * 2);
    const std::u16string_view formatText(format.data(), format.size());

    // Exactly `capacity` units, so any write past them is an overrun the sanitizer sees.
    std::vector<char16_t> small(capacity);
    const std::size_t smallLength = qm::ExpandTimeFormat(instant, formatText, offset, small.data(), capacity);

    // Each format unit yields at most 20 output units.
    std::vector<char16_t> large(format.size() * 20 + 2);
    const std::size_t largeLength = qm::ExpandTimeFormat(instant, formatText, offset, large.data(), large.size());
    Check(largeLength < large.size() - 1 && large[largeLength] == u'\0');

    if (capacity == 0) {
        Check(smallLength == 0);
    } else {
        Check(smallLength < capacity && small[smallLength] == u'\0');
        Check(smallLength <= largeLength);
        Check(std::u16string_view(small.data(), smallLength) == std::u16string_view(large.data(), smallLength));
        if (largeLength < capacity) Check(smallLength == largeLength);
    }

    CheckListDate(instant, offset);
    return 0;
}
