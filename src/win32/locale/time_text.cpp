#include "win32/locale/time_text.h"

#include "core/timestamp/time_format.h"
#include "win32/locale/clock.h"

namespace qm::win32 {

std::size_t ExpandTimeFormat(std::uint64_t instant, std::u16string_view format, char16_t* out,
                             std::size_t capacity) {
    return qm::ExpandTimeFormat(instant, format, LocalOffsetNow(), out, capacity);
}

ListDateText FormatListDate(std::uint64_t instant) { return qm::FormatListDate(instant, LocalOffsetNow()); }

std::optional<std::uint64_t> ParseDateText(std::u16string_view text) {
    return qm::ParseDateText(text, LocalOffsetNow());
}

}  // namespace qm::win32
