// Which reader a file gets: by its first bytes, since extensions lie (a JPEG
// named .png, a movie named .mp4 that is QuickTime). The extension only
// decides whether a file is worth opening.
#include "core/photo/date_taken.h"

#include <algorithm>
#include <array>

#include "core/text/name_text.h"
#include "core/photo/readers.h"

namespace qm {

namespace {

using namespace std::string_view_literals;

struct Signature {
    std::size_t at;
    std::string_view bytes;
    std::optional<DateTaken> (*read)(BoundedReader&);
};

std::optional<DateTaken> DateFromTiffFile(BoundedReader& reader) { return DateFromTiff(reader, 0, reader.size()); }

constexpr Signature kSignatures[] = {
    {0, "\xFF\xD8\xFF"sv, DateFromJpeg},
    {0, "II*\0"sv, DateFromTiffFile},  // TIFF, DNG, CR2, NEF, ARW, PEF
    {0, "MM\0*"sv, DateFromTiffFile},
    {0, "IIRO"sv, DateFromTiffFile},  // ORF
    {0, "IIRS"sv, DateFromTiffFile},
    {0, "MMOR"sv, DateFromTiffFile},
    {0, "IIU\0"sv, DateFromTiffFile},  // RW2
    {0, "\x89PNG\r\n\x1A\n"sv, DateFromPng},
    {0, "RIFF"sv, DateFromWebp},
    // ISO files start with ftyp; old QuickTime movies with any of their top-level atoms.
    {4, "ftyp"sv, DateFromIsoBmff},
    {4, "moov"sv, DateFromIsoBmff},
    {4, "mdat"sv, DateFromIsoBmff},
    {4, "wide"sv, DateFromIsoBmff},
    {4, "free"sv, DateFromIsoBmff},
    {4, "skip"sv, DateFromIsoBmff},
};

constexpr std::string_view kExtensions[] = {"jpg", "jpeg", "jpe", "tif",  "tiff", "dng", "cr2",
                                            "nef", "arw",  "orf", "pef",  "rw2",  "png", "webp",
                                            "heic", "heif", "avif", "mp4", "mov", "m4v", "3gp"};

}  // namespace

bool HasDateTakenExtension(std::u16string_view fileName) {
    std::u16string_view extension = SplitExtension(fileName).extension;
    if (extension.empty()) return false;
    extension.remove_prefix(1);
    return std::any_of(std::begin(kExtensions), std::end(kExtensions), [&](std::string_view known) {
        return known.size() == extension.size() &&
               std::equal(known.begin(), known.end(), extension.begin(),
                          [](char k, char16_t unit) { return AsciiLower(unit) == static_cast<char16_t>(k); });
    });
}

std::optional<DateTaken> ReadDateTaken(ByteSource& source) {
    BoundedReader reader(source);
    std::array<char, 12> head{};
    const std::size_t size = static_cast<std::size_t>(std::min<std::uint64_t>(reader.size(), head.size()));
    if (!reader.Read(0, head.data(), size)) return std::nullopt;
    const std::string_view first(head.data(), size);
    for (const Signature& signature : kSignatures) {
        if (first.substr(std::min(signature.at, size)).starts_with(signature.bytes)) return signature.read(reader);
    }
    return std::nullopt;
}

}  // namespace qm
