// Exif dates in a TIFF structure. IFD0 names the Exif IFD (tag 0x8769), which
// holds the dates; no other IFD is read. The Exif IFD may lie anywhere, before
// IFD0 too (editors that rewrite a TIFF put IFD0 last), but not in IFD0's own
// table: no table is read twice.
#include <algorithm>
#include <array>
#include <iterator>

#include "core/photo/readers.h"

namespace qm {

namespace {

constexpr std::uint16_t kExifIfdTag = 0x8769;
constexpr std::size_t kMaxText = 64;

// Classic TIFF, and the raw formats that only change the magic number:
// ORF ("IIRO", "IIRS", "MMOR") and RW2 ("IIU\0").
constexpr std::uint16_t kMagics[] = {0x002A, 0x4F52, 0x5352, 0x0055};

enum Slot { OriginalDate, OriginalSubSecond, OriginalZone, DigitizedDate, DigitizedSubSecond, DigitizedZone, kSlots };

// The date, its sub-second digits and its zone, once as taken and once as
// digitized; the digitized ones count only when the original date does not.
struct DateTag {
    std::uint16_t tag;
    Slot slot;
};
constexpr DateTag kDateTags[] = {
    {0x9003, OriginalDate},  {0x9291, OriginalSubSecond},  {0x9011, OriginalZone},
    {0x9004, DigitizedDate}, {0x9292, DigitizedSubSecond}, {0x9012, DigitizedZone},
};

// Bytes of one value of the field types 1..13; 0 for a type TIFF does not define.
constexpr std::uint8_t kTypeBytes[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8, 4};

struct Entry {
    std::uint64_t tag, type, count;
    std::uint64_t valueField;  // the entry's last four bytes: the value, or where it lies
};

struct Text {
    std::array<char, kMaxText> bytes{};
    std::size_t size = 0;
    std::string_view view() const { return {bytes.data(), size}; }
};

class Tiff {
public:
    Tiff(BoundedReader& reader, std::uint64_t base, std::uint64_t length, ByteOrder order)
        : reader_(reader), base_(base), length_(length), order_(order) {}

    Cursor At(std::uint64_t offset) const { return Cursor(reader_, base_ + offset, base_ + length_, order_); }

    // The end of the table of the IFD at `offset`, or none when the table is
    // cut or longer than any real one.
    std::optional<std::uint64_t> TableEnd(std::uint64_t offset) const {
        if (offset > length_) return std::nullopt;
        Cursor cursor = At(offset);
        const std::uint64_t count = cursor.Number(2);
        if (cursor.failed() || count > kMaxEntries || count * 12 > cursor.left()) return std::nullopt;
        return offset + 2 + count * 12;
    }

    // Visits each entry of the IFD at `offset`; the end of its table, or none
    // as TableEnd.
    template <class Visit>
    std::optional<std::uint64_t> Entries(std::uint64_t offset, Visit&& visit) const {
        const std::optional<std::uint64_t> end = TableEnd(offset);
        if (!end) return std::nullopt;
        Cursor cursor = At(offset + 2);
        const std::uint64_t count = (*end - offset - 2) / 12;
        for (std::uint64_t i = 0; i < count; ++i) {
            Entry entry;
            entry.tag = cursor.Number(2);
            entry.type = cursor.Number(2);
            entry.count = cursor.Number(4);
            entry.valueField = cursor.at() - base_;
            cursor.Skip(4);
            visit(entry);
        }
        return end;
    }

    // The text of a field of one-byte values, cut to kMaxText; empty for a
    // field of another type, none when the text lies outside the block.
    std::optional<Text> ReadText(const Entry& entry) const {
        Text text;
        if (entry.type >= std::size(kTypeBytes) || kTypeBytes[entry.type] != 1) return text;
        const std::size_t size = static_cast<std::size_t>(std::min<std::uint64_t>(entry.count, kMaxText));
        const std::uint64_t at = entry.count > 4 ? At(entry.valueField).Number(4) : entry.valueField;
        if (at > length_ || !At(at).Bytes(text.bytes.data(), size)) return std::nullopt;
        text.size = size;
        return text;
    }

    std::optional<std::uint64_t> Pointer(const Entry& entry) const {
        if ((entry.type != 4 && entry.type != 13) || entry.count != 1) return std::nullopt;
        Cursor cursor = At(entry.valueField);
        const std::uint64_t value = cursor.Number(4);
        if (cursor.failed()) return std::nullopt;
        return value;
    }

private:
    BoundedReader& reader_;
    std::uint64_t base_, length_;
    ByteOrder order_;
};

}  // namespace

std::optional<DateTaken> DateFromTiff(BoundedReader& reader, std::uint64_t base, std::uint64_t length) {
    if (base > reader.size()) return std::nullopt;
    length = std::min(length, reader.size() - base);
    std::array<std::uint8_t, 8> header{};
    if (length < header.size() || !reader.Read(base, header.data(), header.size())) return std::nullopt;
    ByteOrder order;
    if (header[0] == 'I' && header[1] == 'I') {
        order = ByteOrder::Little;
    } else if (header[0] == 'M' && header[1] == 'M') {
        order = ByteOrder::Big;
    } else {
        return std::nullopt;
    }
    const std::uint64_t magic = LoadUnsigned(&header[2], 2, order);
    if (std::find(std::begin(kMagics), std::end(kMagics), magic) == std::end(kMagics)) return std::nullopt;
    const std::uint64_t ifd0 = LoadUnsigned(&header[4], 4, order);
    if (ifd0 < header.size()) return std::nullopt;

    const Tiff tiff(reader, base, length, order);
    std::optional<std::uint64_t> exifIfd;
    const std::optional<std::uint64_t> ifd0End = tiff.Entries(ifd0, [&](const Entry& entry) {
        if (entry.tag == kExifIfdTag && !exifIfd) exifIfd = tiff.Pointer(entry);
    });
    if (!ifd0End || !exifIfd) return std::nullopt;
    const std::optional<std::uint64_t> exifEnd = tiff.TableEnd(*exifIfd);
    if (!exifEnd || (*exifIfd < *ifd0End && *exifEnd > ifd0)) return std::nullopt;  // the two tables overlap

    // A date whose parts lie outside the block is not read at all: a cut
    // zone must not turn a UTC time into a local one.
    std::array<Text, kSlots> texts;
    bool broken = false;
    const bool read = tiff.Entries(*exifIfd, [&](const Entry& entry) {
        for (const DateTag& date : kDateTags) {
            if (entry.tag != date.tag) continue;
            const std::optional<Text> text = tiff.ReadText(entry);
            broken = broken || !text;
            if (text) texts[date.slot] = *text;
        }
    }).has_value();
    if (!read || broken) return std::nullopt;
    for (Slot date : {OriginalDate, DigitizedDate}) {
        if (auto taken = DateFromExifText(texts[date].view(), texts[date + 1].view(), texts[date + 2].view()))
            return taken;
    }
    return std::nullopt;
}

std::optional<DateTaken> DateFromExifBlock(BoundedReader& reader, std::uint64_t at, std::uint64_t length) {
    using namespace std::string_view_literals;
    if (length >= 6 && reader.Matches(at, "Exif\0\0"sv)) return DateFromTiff(reader, at + 6, length - 6);
    return DateFromTiff(reader, at, length);
}

}  // namespace qm
