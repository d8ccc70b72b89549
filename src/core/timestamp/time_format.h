#pragma once
// The time format language: a format text with tokens between percent signs
// (%dd%, %Month%, %unix%, ...) expanded for one instant into the text of an
// automatic prefix or suffix.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/timestamp/local_time.h"

namespace qm {

// Expands `format` for `instant` (a UTC file time) into `out`.
//
// Calendar tokens show local time, the instant shifted by `localOffset` (the
// offset in force now), unless the format contains "%utc%" anywhere; "unix"
// and "win32" always print the instant itself. The format ends at its first
// zero unit, if any. When the calendar rejects the (shifted) instant, at 2^63
// and above, calendar tokens yield nothing.
//
// `out` receives at most `capacity` units including the terminating zero unit.
// A result that does not fit is cut between whole pieces: each piece (a run of
// plain text, one token's value, the "%" of "%%", the tail after a lone "%")
// is written whole or not at all, and the first piece that does not fit ends
// the text. A number is thus never cut into another number, and the same
// instant, format and capacity always give the same text, so a box filled from
// this result holds exactly what the preview showed.
//
// Returns the number of units written before the zero unit. With capacity 0
// nothing is written at all.
std::size_t ExpandTimeFormat(std::uint64_t instant, std::u16string_view format,
                             LocalOffset localOffset, char16_t* out, std::size_t capacity);

}  // namespace qm
