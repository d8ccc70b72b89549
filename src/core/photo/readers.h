#pragma once
// The pieces of ReadDateTaken: one reader per container, each given the
// bounded reader of the whole file, and the parsers of the date texts.
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/photo/bounded_reader.h"
#include "core/photo/date_taken.h"

namespace qm {

// Caps on what one file may make a reader walk; real files stay far below.
constexpr unsigned kMaxEntries = 1000;  // IFD entries, segments, chunks, boxes, keys, items

// The Exif dates of a TIFF structure of `length` bytes at `base` (offsets in
// it count from `base`): IFD0, then the Exif IFD it points to.
std::optional<DateTaken> DateFromTiff(BoundedReader& reader, std::uint64_t base, std::uint64_t length);

// The same for an Exif block that some writers start with "Exif\0\0".
std::optional<DateTaken> DateFromExifBlock(BoundedReader& reader, std::uint64_t at, std::uint64_t length);

// The Exif block of a JPEG (APP1), PNG (eXIf) or WebP (EXIF) file.
std::optional<DateTaken> DateFromJpeg(BoundedReader& reader);
std::optional<DateTaken> DateFromPng(BoundedReader& reader);
std::optional<DateTaken> DateFromWebp(BoundedReader& reader);

// HEIF/AVIF (the Exif item of the top-level meta box), then MP4/QuickTime
// (the creation-date key, else the movie header).
std::optional<DateTaken> DateFromIsoBmff(BoundedReader& reader);

// Exif's "YYYY:MM:DD hh:mm:ss", its sub-second digits and its "+hh:mm" zone;
// an absent or unreadable zone leaves the date local.
std::optional<DateTaken> DateFromExifText(std::string_view dateTime, std::string_view subSecond,
                                          std::string_view zone);

// ISO 8601 "YYYY-MM-DDThh:mm:ss[.fff][Z|+hh:mm|+hhmm]".
std::optional<DateTaken> DateFromIsoText(std::string_view text);


}  // namespace qm
