#pragma once
// The date a photo or video was taken, read from the file's own metadata:
// Exif (DateTimeOriginal, else DateTimeDigitized) in JPEG, TIFF and the raw
// formats built on TIFF, PNG, WebP and HEIF/AVIF; the movie header or the
// QuickTime creation-date key in MP4 and QuickTime files. Nothing else (not
// the file's own times) counts as the date taken.
#include <cstdint>
#include <optional>
#include <string_view>

#include "core/photo/byte_source.h"
#include "core/timestamp/local_time.h"

namespace qm {

struct DateTaken {
    // 100 ns units since 1601-01-01, milliseconds included: UTC when the file
    // named its zone (or the format is UTC by definition, as movie headers
    // are), else the camera's clock read as local time of this computer.
    std::uint64_t fileTime = 0;
    bool hasZone = false;
    // With a zone tag, the camera's clock minus UTC in minutes: the clock
    // showed fileTime shifted by it. None for a time that is UTC by definition
    // and names no clock (a movie header's).
    std::optional<std::int16_t> clockZoneMinutes;

    friend bool operator==(const DateTaken&, const DateTaken&) = default;
};

// Whether the name's extension (ASCII case ignored) is one of the formats
// read: jpg jpeg jpe tif tiff dng cr2 nef arw orf pef rw2 png webp heic heif
// avif mp4 mov m4v 3gp. Only these are worth opening for the date; which
// reader runs is then chosen by the file's first bytes.
bool HasDateTakenExtension(std::u16string_view fileName);

// The date taken, or none when the file has none or is malformed. Reads a
// first piece, then only the pieces its offsets name, never past the end and
// never more than a fixed budget per file.
std::optional<DateTaken> ReadDateTaken(ByteSource& source);

// The UTC instant: a date without a zone is taken as local time with `offset`
// (as the platform shows it), wrapping as UtcFromLocal does. File times set
// from the date taken are this instant.
constexpr std::uint64_t TakenInstantUtc(const DateTaken& taken, LocalOffset offset) {
    return taken.hasZone ? taken.fileTime : UtcFromLocal(taken.fileTime, offset);
}

// The offset by which the instant shows the time as the camera wrote it, its
// own wall clock whatever zone it named: the zone's for a date with a zone
// tag, `offset` (this computer's) for one without, which is the camera's
// clock taken as it stands, and for a time that names no clock.
constexpr LocalOffset TakenClockOffset(const DateTaken& taken, LocalOffset offset) {
    constexpr LocalOffset kTicksPerMinute = 600'000'000;
    return taken.hasZone && taken.clockZoneMinutes ? *taken.clockZoneMinutes * kTicksPerMinute : offset;
}

}  // namespace qm
