#pragma once
// The timestamp engine with the time-zone offset in force now, so that the
// program's callers need not fetch it.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/timestamp/list_date.h"

namespace qm::win32 {

// qm::ExpandTimeFormat with the local offset in force now.
std::size_t ExpandTimeFormat(std::uint64_t instant, std::u16string_view format, char16_t* out,
                             std::size_t capacity);

// qm::FormatListDate with the local offset in force now.
ListDateText FormatListDate(std::uint64_t instant);

// qm::ParseDateText with the local offset in force now.
std::optional<std::uint64_t> ParseDateText(std::u16string_view text);

}  // namespace qm::win32
