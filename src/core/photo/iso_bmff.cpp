// ISO base media files (HEIF, AVIF, MP4, 3GP) and QuickTime movies: boxes of a
// 32-bit big-endian size (1: a 64-bit size follows; 0: up to the end of the
// parent) and a type. Only known paths are walked: meta → iinf, iloc, idat
// for HEIF's Exif item; moov → mvhd, moov → meta and moov → udta → meta for a
// movie. A box must lie inside its parent and hold at least its header, so
// every walk moves forward and ends. The walk of the file's own boxes ends at
// the movie box.
#include <algorithm>
#include <array>

#include "core/photo/readers.h"
#include "core/timestamp/calendar.h"
#include "core/timestamp/unix_time.h"

namespace qm {

namespace {

constexpr std::uint32_t Type(const char (&name)[5]) {
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(name[0])) << 24 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(name[1])) << 16 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(name[2])) << 8 |
           static_cast<std::uint8_t>(name[3]);
}

constexpr std::string_view kCreationKey = "com.apple.quicktime.creationdate";
constexpr std::size_t kMaxText = 64;

struct Box {
    std::uint64_t type = 0;
    std::uint64_t payload = 0;  // after the header
    std::uint64_t end = 0;
};

class BoxWalk {
public:
    BoxWalk(BoundedReader& reader, std::uint64_t begin, std::uint64_t end) : reader_(reader), at_(begin), end_(end) {}
    BoxWalk(BoundedReader& reader, const Box& parent) : BoxWalk(reader, parent.payload, parent.end) {}

    // None at the parent's end, after a malformed box, or after kMaxEntries
    // boxes. Reads the box's header alone: skipping its body costs nothing.
    std::optional<Box> Next() {
        if (steps_++ >= kMaxEntries || at_ >= end_) return std::nullopt;
        std::array<std::uint8_t, 16> header{};
        const std::size_t length = static_cast<std::size_t>(std::min<std::uint64_t>(header.size(), end_ - at_));
        if (length < 8 || !reader_.ReadHeader(at_, header.data(), length)) return std::nullopt;
        std::uint64_t size = LoadUnsigned(header.data(), 4, ByteOrder::Big);
        Box box;
        box.type = LoadUnsigned(header.data() + 4, 4, ByteOrder::Big);
        std::uint64_t headerSize = 8;
        if (size == 1) {
            if (length < 16) return std::nullopt;
            size = LoadUnsigned(header.data() + 8, 8, ByteOrder::Big);
            headerSize = 16;
        }
        if (size == 0) size = end_ - at_;
        if (size < headerSize || size > end_ - at_) return std::nullopt;
        box.payload = at_ + headerSize;
        box.end = at_ + size;
        at_ = box.end;
        return box;
    }

private:
    BoundedReader& reader_;
    std::uint64_t at_, end_;
    unsigned steps_ = 0;
};

// The first child of each of `types` (in that order in `found`).
template <std::size_t N>
std::array<std::optional<Box>, N> Children(BoxWalk walk, const std::uint32_t (&types)[N]) {
    std::array<std::optional<Box>, N> found;
    while (std::optional<Box> box = walk.Next()) {
        for (std::size_t i = 0; i < N; ++i)
            if (box->type == types[i] && !found[i]) found[i] = box;
    }
    return found;
}

// ISO's meta box has a version and flags before its children, QuickTime's has
// not; the first child of either is hdlr.
BoxWalk MetaChildren(BoundedReader& reader, const Box& meta) {
    using namespace std::string_view_literals;
    const bool quickTime = reader.Matches(meta.payload + 4, "hdlr"sv);
    return BoxWalk(reader, quickTime ? meta.payload : meta.payload + 4, meta.end);
}

// The id of the first item of type Exif.
std::optional<std::uint64_t> ExifItem(BoundedReader& reader, const Box& iinf) {
    Cursor cursor(reader, iinf.payload, iinf.end);
    const std::uint64_t version = cursor.Number(1);
    cursor.Skip(3 + (version == 0 ? 2 : 4));  // flags and the entry count: the box bounds the walk
    if (cursor.failed()) return std::nullopt;
    BoxWalk entries(reader, cursor.at(), iinf.end);
    while (std::optional<Box> entry = entries.Next()) {
        if (entry->type != Type("infe")) continue;
        Cursor infe(reader, entry->payload, entry->end);
        const std::uint64_t entryVersion = infe.Number(1);
        if (entryVersion < 2) continue;  // older entries carry no item type
        infe.Skip(3);
        const std::uint64_t id = infe.Number(entryVersion == 2 ? 2 : 4);
        infe.Skip(2);  // protection index
        if (infe.Number(4) == Type("Exif") && !infe.failed()) return id;
    }
    return std::nullopt;
}

struct Extent {
    std::uint64_t start, length;
};

// The first extent of item `id` by iloc: in the file (construction method 0)
// or in the meta box's idat (1).
std::optional<Extent> ItemExtent(BoundedReader& reader, const Box& iloc, std::uint64_t id,
                                 const std::optional<Box>& idat) {
    Cursor cursor(reader, iloc.payload, iloc.end);
    const std::uint64_t version = cursor.Number(1);
    cursor.Skip(3);
    const std::uint64_t sizes = cursor.Number(1), moreSizes = cursor.Number(1);
    const std::size_t offsetSize = sizes >> 4, lengthSize = sizes & 15, baseSize = moreSizes >> 4;
    const std::size_t indexSize = version >= 1 ? moreSizes & 15 : 0;
    for (std::size_t size : {offsetSize, lengthSize, baseSize, indexSize})
        if (size != 0 && size != 4 && size != 8) return std::nullopt;
    if (version > 2) return std::nullopt;
    const std::size_t idSize = version < 2 ? 2 : 4;
    const std::uint64_t count = cursor.Number(idSize);
    for (std::uint64_t i = 0; i < count && i < kMaxEntries && !cursor.failed(); ++i) {
        const std::uint64_t itemId = cursor.Number(idSize);
        const std::uint64_t method = version >= 1 ? cursor.Number(2) & 15 : 0;
        cursor.Skip(2);  // data reference index
        const std::uint64_t base = cursor.Number(baseSize);
        const std::uint64_t extents = cursor.Number(2);
        if (itemId != id) {
            cursor.Skip(extents * (indexSize + offsetSize + lengthSize));
            continue;
        }
        cursor.Skip(indexSize);
        const std::uint64_t offset = cursor.Number(offsetSize), length = cursor.Number(lengthSize);
        if (cursor.failed() || extents == 0) return std::nullopt;
        std::uint64_t origin = 0, limit = reader.size();
        if (method == 1 && idat) {
            origin = idat->payload, limit = idat->end;
        } else if (method != 0) {
            return std::nullopt;
        }
        if (base > limit - origin || offset > limit - origin - base) return std::nullopt;
        const std::uint64_t start = origin + base + offset, room = limit - start;
        if (length > room) return std::nullopt;
        return Extent{start, length == 0 ? room : length};  // 0: all that follows
    }
    return std::nullopt;
}

std::optional<DateTaken> DateFromHeif(BoundedReader& reader, const Box& meta) {
    const auto [iinf, iloc, idat] = Children(MetaChildren(reader, meta), {Type("iinf"), Type("iloc"), Type("idat")});
    if (!iinf || !iloc) return std::nullopt;
    const std::optional<std::uint64_t> id = ExifItem(reader, *iinf);
    if (!id) return std::nullopt;
    const std::optional<Extent> extent = ItemExtent(reader, *iloc, *id, idat);
    if (!extent) return std::nullopt;
    // The item starts with the distance from the end of this field to the TIFF header.
    Cursor item(reader, extent->start, extent->start + extent->length);
    item.Skip(item.Number(4));
    if (item.failed()) return std::nullopt;
    return DateFromExifBlock(reader, item.at(), item.left());
}

// The creation-date key of a meta box of handler mdta: its 1-based index in
// keys names the item of ilst whose data box holds the date as UTF-8 text.
std::optional<DateTaken> KeyedDate(BoundedReader& reader, const Box& meta) {
    const auto [keys, ilst] = Children(MetaChildren(reader, meta), {Type("keys"), Type("ilst")});
    if (!keys || !ilst) return std::nullopt;
    Cursor cursor(reader, keys->payload, keys->end);
    cursor.Skip(4);
    const std::uint64_t count = cursor.Number(4);
    std::uint64_t index = 0;
    for (std::uint64_t i = 1; i <= count && i <= kMaxEntries && index == 0; ++i) {
        const std::uint64_t size = cursor.Number(4);
        cursor.Skip(4);  // namespace
        if (cursor.failed() || size < 8 || size - 8 > cursor.left()) return std::nullopt;
        if (size - 8 == kCreationKey.size() && reader.Matches(cursor.at(), kCreationKey)) index = i;
        cursor.Skip(size - 8);
    }
    if (index == 0) return std::nullopt;
    BoxWalk items(reader, *ilst);
    while (std::optional<Box> item = items.Next()) {
        if (item->type != index) continue;
        BoxWalk values(reader, *item);
        while (std::optional<Box> value = values.Next()) {
            if (value->type != Type("data")) continue;
            Cursor data(reader, value->payload, value->end);
            const std::uint64_t kind = data.Number(4);  // 1: UTF-8
            data.Skip(4);                               // locale
            std::array<char, kMaxText> text{};
            const std::size_t size = static_cast<std::size_t>(std::min<std::uint64_t>(data.left(), kMaxText));
            if ((kind & 0xFFFFFF) == 1 && data.Bytes(text.data(), size)) return DateFromIsoText({text.data(), size});
        }
    }
    return std::nullopt;
}

// mvhd's creation time: seconds since 1904-01-01 UTC, 0 when not set.
std::optional<DateTaken> HeaderDate(BoundedReader& reader, const Box& mvhd) {
    Cursor cursor(reader, mvhd.payload, mvhd.end);
    const std::uint64_t version = cursor.Number(1);
    cursor.Skip(3);
    if (version > 1) return std::nullopt;
    const std::uint64_t seconds = cursor.Number(version == 1 ? 8 : 4);
    if (cursor.failed() || seconds == 0) return std::nullopt;
    static const std::uint64_t epoch = *FileTimeFromCalendar({1904, 1, 0, 1});
    if (seconds > ((std::uint64_t{1} << 63) - 1 - epoch) / kTicksPerSecond) return std::nullopt;
    return DateTaken{epoch + seconds * kTicksPerSecond, true, std::nullopt};  // UTC, and no clock of the camera
}

// The creation-date key wins over the movie header: it carries the zone and
// is what the camera meant, where the header may be the time of encoding.
std::optional<DateTaken> DateFromMovie(BoundedReader& reader, const Box& moov) {
    std::optional<DateTaken> header, keyed;
    BoxWalk children(reader, moov);
    while (std::optional<Box> child = children.Next()) {
        if (child->type == Type("mvhd") && !header) header = HeaderDate(reader, *child);
        if (child->type == Type("meta") && !keyed) keyed = KeyedDate(reader, *child);
        if (child->type == Type("udta")) {
            BoxWalk user(reader, *child);
            while (std::optional<Box> box = user.Next())
                if (box->type == Type("meta") && !keyed) keyed = KeyedDate(reader, *box);
        }
    }
    return keyed ? keyed : header;
}

}  // namespace

std::optional<DateTaken> DateFromIsoBmff(BoundedReader& reader) {
    // In file order, and no further than the movie box: a phone's or action
    // camera's movie may be followed by hundreds of fragments.
    BoxWalk top(reader, 0, reader.size());
    bool heifTried = false;
    while (std::optional<Box> box = top.Next()) {
        if (box->type == Type("meta") && !heifTried) {
            heifTried = true;
            if (std::optional<DateTaken> taken = DateFromHeif(reader, *box)) return taken;
        }
        if (box->type == Type("moov")) return DateFromMovie(reader, *box);
    }
    return std::nullopt;
}

}  // namespace qm
