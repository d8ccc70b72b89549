// The date-taken reader against ExifTool on a few hundred photos and videos
// it dated, some laid out afterwards as editors, phones and cameras lay them
// out, and on small stored ones cut and corrupted: a broken field gives no
// date, never a crash, never a read past the end nor past the budget.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/photo/bounded_reader.h"
#include "core/photo/date_taken.h"
#include "core/photo/readers.h"
#include "core/text/name_text.h"
#include "core/timestamp/calendar.h"
#include "core/timestamp/unix_time.h"
#include "photo_digitized_jpg.h"
#include "photo_digitized_png.h"
#include "photo_digitized_webp.h"
#include "photo_header_mov.h"
#include "photo_keys_mp4.h"
#include "photo_original_heic.h"
#include "photo_original_tif.h"

namespace qm {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Notes any request that reaches past the bytes, and counts the reads.
class CheckedSource final : public ByteSource {
public:
    explicit CheckedSource(const Bytes& bytes) : inner_(bytes), size_(bytes.size()) {}
    std::uint64_t Size() override { return size_; }
    std::size_t ReadAt(std::uint64_t offset, void* into, std::size_t length) override {
        if (offset > size_ || length > size_ - offset) pastEnd = true;
        ++reads;
        bytesRead += length;
        return inner_.ReadAt(offset, into, length);
    }
    bool pastEnd = false;
    std::size_t reads = 0;
    std::uint64_t bytesRead = 0;

private:
    SpanByteSource inner_;
    std::uint64_t size_;
};

std::optional<DateTaken> Read(const Bytes& bytes, CheckedSource* counted = nullptr) {
    CheckedSource own(bytes);
    CheckedSource& source = counted ? *counted : own;
    const std::optional<DateTaken> taken = ReadDateTaken(source);
    EXPECT_FALSE(source.pastEnd);
    // What the budget allows, a fixed charge for each read included.
    EXPECT_LE(source.bytesRead + source.reads * BoundedReader::kReadCharge, BoundedReader::kBudgetBytes);
    return taken;
}

// ExifTool's "%s%f" (seconds since 1970, then the fraction's digits) as a
// file time to the millisecond; none for "-" or a date it did not convert.
std::optional<std::uint64_t> Instant(std::string_view text) {
    std::int64_t seconds = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    std::string_view fraction(end, static_cast<std::size_t>(text.data() + text.size() - end));
    if (error != std::errc{} || (!fraction.empty() && fraction[0] != '.')) return std::nullopt;
    std::int64_t ms = 0;
    for (std::size_t i = 1; i <= 3; ++i) ms = ms * 10 + (i < fraction.size() ? fraction[i] - '0' : 0);
    return static_cast<std::uint64_t>(seconds * 10'000'000 + ms * 10'000) + kUnixEpochAsFileTime;
}

// A raw date of ExifTool's, "YYYY:MM:DD hh:mm:ss" and whatever follows, to
// the second as a file time; none for "-".
std::optional<std::uint64_t> Clock(const std::string& raw) {
    CalendarFields fields;
    if (raw.size() < 19 || std::sscanf(raw.c_str(), "%4hu:%2hu:%2hu %2hu:%2hu:%2hu", &fields.year, &fields.month,
                                       &fields.day, &fields.hour, &fields.minute, &fields.second) != 6)
        return std::nullopt;
    return FileTimeFromCalendar(fields);
}

struct Expected {
    std::optional<std::uint64_t> utc;
    bool zone = false;
    std::optional<std::uint64_t> clock;  // the camera's wall clock, to the second
};

// Fields: name; DateTimeOriginal, its composite with sub-seconds and zone,
// OffsetTimeOriginal; the same three for DateTimeDigitized; the QuickTime
// creation-date key; the movie header's creation time; DateTimeOriginal,
// DateTimeDigitized and the creation-date key raw, as the camera wrote them.
Expected FromExifTool(const std::vector<std::string>& f, LocalOffset offset) {
    for (std::size_t date : {1, 4}) {
        if (auto utc = Instant(f[date + 1] != "-" ? f[date + 1] : f[date]))
            return {utc, f[date + 2] != "-", Clock(f[date == 1 ? 9 : 10])};
    }
    if (auto utc = Instant(f[7])) return {utc, true, Clock(f[11])};
    // ExifTool shows the header's time as stored, in UTC, so "%s" took it for
    // local time. The header names no clock: it shows in this computer's time.
    if (auto local = Instant(f[8])) {
        const std::uint64_t utc = *local + static_cast<std::uint64_t>(offset);
        return {utc, true, LocalFromUtc(utc, offset) / kTicksPerSecond * kTicksPerSecond};
    }
    return {};
}

Bytes FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), {});
}

TEST(DateTaken, AgreesWithExifToolOnEveryFile) {
    const std::string folder = QM_DATE_TAKEN_FILES;
    std::ifstream list(folder + "/expected.txt");
    ASSERT_TRUE(list) << "no files in " << folder << ": the build makes them with exiftool (scripts/setup.sh)";
    std::string line;
    std::getline(list, line);
    const LocalOffset offset = std::stoll(line.substr(line.find(' ') + 1)) * 600'000'000;
    int compared = 0, dated = 0, zones = 0, layouts = 0;
    while (std::getline(list, line)) {
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '\t');) f.push_back(field);
        ASSERT_EQ(f.size(), 12u) << line;
        const Expected expected = FromExifTool(f, offset);
        const Bytes bytes = FileBytes(folder + "/" + f[0]);
        CheckedSource source(bytes);
        const std::optional<DateTaken> taken = Read(bytes, &source);
        // Skipping a chunk or box costs no read of its body, and the walk of a
        // movie ends at its moov box, whatever follows it.
        EXPECT_LE(source.bytesRead, 64u * 1024) << line;
        if (!f[0].ends_with(".png")) {
            EXPECT_LE(source.reads, 12u) << line;
        }
        ++compared;
        std::u16string upper(f[0].begin(), f[0].end());
        ToAsciiUpper(upper);
        EXPECT_TRUE(HasDateTakenExtension(upper)) << f[0];
        EXPECT_EQ(taken.has_value(), expected.utc.has_value()) << line;
        if (!taken || !expected.utc) continue;
        ++dated;
        EXPECT_EQ(TakenInstantUtc(*taken, offset), *expected.utc) << line;
        EXPECT_EQ(taken->hasZone, expected.zone) << line;
        // Shown as the camera's clock showed it, whatever zone it named.
        const std::uint64_t clock = LocalFromUtc(TakenInstantUtc(*taken, offset), TakenClockOffset(*taken, offset));
        EXPECT_EQ(clock / kTicksPerSecond * kTicksPerSecond, expected.clock) << line;
        zones += expected.zone && expected.clock;
        layouts += f[0].find("-last-") != std::string::npos || f[0].find("-after-") != std::string::npos;
    }
    EXPECT_GE(compared, 300);
    EXPECT_GE(dated, compared / 2);
    EXPECT_GE(zones, 50) << "dates with a zone tag";
    EXPECT_GE(layouts, 10) << "files laid out afterwards, dated";
    for (std::u16string_view name : {u"photo.jpg.txt", u"jpg", u"photo.jpgx", u"photo.", u"photo.j"})
        EXPECT_FALSE(HasDateTakenExtension(name)) << std::string(name.begin(), name.end());
}

std::size_t Find(const Bytes& b, std::string_view pattern) {
    const auto at = std::search(b.begin(), b.end(), pattern.begin(), pattern.end(),
                                [](std::uint8_t x, char y) { return x == static_cast<std::uint8_t>(y); });
    EXPECT_NE(at, b.end()) << pattern;
    return at == b.end() ? b.size() : static_cast<std::size_t>(at - b.begin());
}

std::uint64_t Get(const Bytes& b, std::size_t at, int width, bool little) {
    std::uint64_t value = 0;
    for (int i = 0; i < width; ++i) value = value << 8 | b.at(at + (little ? width - 1 - i : i));
    return value;
}

void Put(Bytes& b, std::size_t at, std::uint64_t value, int width, bool little = false) {
    for (int i = 0; i < width; ++i)
        b.at(at + (little ? i : width - 1 - i)) = static_cast<std::uint8_t>(value >> (8 * i));
}

// Where the corruptions below hit the TIFF structure of a seed.
struct Tiff {
    std::size_t start = 0, ifd0 = 0, pointer = 0, exifIfd = 0, date = 0;
    bool little = false;

    explicit Tiff(const Bytes& b) {
        using namespace std::string_view_literals;
        const auto found = std::min(std::search(b.begin(), b.end(), "II*\0"sv.begin(), "II*\0"sv.end()),
                                    std::search(b.begin(), b.end(), "MM\0*"sv.begin(), "MM\0*"sv.end()));
        start = static_cast<std::size_t>(found - b.begin());
        little = b.at(start) == 'I';
        ifd0 = Get(b, start + 4, 4, little);
        pointer = Entry(b, ifd0, 0x8769);
        exifIfd = Get(b, pointer + 8, 4, little);
        date = Entry(b, exifIfd, 0x9003);
        if (date == 0) date = Entry(b, exifIfd, 0x9004);
    }
    std::size_t Entry(const Bytes& b, std::size_t ifd, std::uint64_t tag) const {
        for (std::size_t i = 0, count = Get(b, start + ifd, 2, little); i < count; ++i) {
            if (Get(b, start + ifd + 2 + 12 * i, 2, little) == tag) return start + ifd + 2 + 12 * i;
        }
        return 0;
    }
};

using Change = std::function<void(Bytes&)>;

TEST(DateTaken, MalformedInputGivesNoDate) {
    const Bytes &jpg = test::digitized_jpg, &tif = test::original_tif, &png = test::digitized_png,
                &webp = test::digitized_webp, &heic = test::original_heic, &mp4 = test::keys_mp4,
                &mov = test::header_mov;
    const std::vector<std::pair<const char*, std::function<void(Bytes&, const Tiff&)>>> tiffDamage = {
        {"byte-order mark", [](Bytes& b, const Tiff& t) { b[t.start + 1] = 'X'; }},
        {"magic number", [](Bytes& b, const Tiff& t) { Put(b, t.start + 2, 43, 2, t.little); }},
        {"IFD0 past the end", [](Bytes& b, const Tiff& t) { Put(b, t.start + 4, 0xFFFFFF00, 4, t.little); }},
        {"IFD0 in the header", [](Bytes& b, const Tiff& t) { Put(b, t.start + 4, 4, 4, t.little); }},
        {"IFD0 count enormous", [](Bytes& b, const Tiff& t) { Put(b, t.start + t.ifd0, 0xFFFF, 2, t.little); }},
        {"Exif IFD at IFD0", [](Bytes& b, const Tiff& t) { Put(b, t.pointer + 8, t.ifd0, 4, t.little); }},
        {"Exif IFD in IFD0's table", [](Bytes& b, const Tiff& t) { Put(b, t.pointer + 8, t.ifd0 + 2, 4, t.little); }},
        {"Exif IFD past the end", [](Bytes& b, const Tiff& t) { Put(b, t.pointer + 8, 0xFFFFFF00, 4, t.little); }},
        {"Exif IFD pointer a short", [](Bytes& b, const Tiff& t) { Put(b, t.pointer + 2, 3, 2, t.little); }},
        {"Exif IFD count enormous", [](Bytes& b, const Tiff& t) { Put(b, t.start + t.exifIfd, 0xFFFF, 2, t.little); }},
        {"date past the end", [](Bytes& b, const Tiff& t) { Put(b, t.date + 8, 0xFFFFFF00, 4, t.little); }},
        {"date cut to its day", [](Bytes& b, const Tiff& t) { Put(b, t.date + 4, 10, 4, t.little); }},
        {"date a short", [](Bytes& b, const Tiff& t) { Put(b, t.date + 2, 3, 2, t.little); }},
    };
    std::vector<std::tuple<const Bytes*, std::string, Change>> cases = {
        {&tif, "Exif IFD's table running into IFD0's", [](Bytes& b) {
             // IFD0 moved to the end behind a count of one, which the Exif
             // pointer names: that table would read IFD0's first entry.
             const Tiff t(b);
             const std::size_t size = 2 + 12 * Get(b, t.ifd0, 2, t.little) + 4;
             const std::size_t at = b.size() + b.size() % 2;
             b.resize(at);
             b.insert(b.end(), {0, 0});
             Put(b, at, 1, 2, t.little);
             Put(b, 4, at + 2, 4, t.little);
             const Bytes table(b.begin() + t.ifd0, b.begin() + t.ifd0 + size);
             b.insert(b.end(), table.begin(), table.end());
             Put(b, Tiff(b).pointer + 8, at, 4, t.little);
         }},
        {&jpg, "date past its APP1 segment, though inside the file", [](Bytes& b) {
             const Tiff t(b);
             const std::string date = "2001:02:03 04:05:06";
             const std::size_t text = b.size();
             b.insert(b.end(), date.begin(), date.end() + 1);
             Put(b, t.date + 4, date.size() + 1, 4, t.little);
             Put(b, t.date + 8, text - t.start, 4, t.little);
         }},
        {&jpg, "APP1 length 0", [](Bytes& b) { Put(b, Find(b, "\xFF\xE1") + 2, 0, 2); }},
        {&jpg, "APP1 past the end", [](Bytes& b) { Put(b, Find(b, "\xFF\xE1") + 2, 0xFFFF, 2); }},
        {&jpg, "no marker after the start", [](Bytes& b) { b[2] = 0; }},
        {&png, "eXIf past the end", [](Bytes& b) { Put(b, Find(b, "eXIf") - 4, 0x7FFFFFF0, 4); }},
        {&png, "eXIf above PNG's limit", [](Bytes& b) { Put(b, Find(b, "eXIf") - 4, 0xFFFFFFF0, 4); }},
        {&webp, "EXIF past the end", [](Bytes& b) { Put(b, Find(b, "EXIF") + 4, 0x7FFFFFF0, 4, true); }},
        {&webp, "RIFF ending before EXIF", [](Bytes& b) { Put(b, 4, 4, 4, true); }},
        {&heic, "Exif item of another type", [](Bytes& b) { b[Find(b, "Exif") + 3] = 'v'; }},
        {&heic, "iloc version 3", [](Bytes& b) { b[Find(b, "iloc") + 4] = 3; }},
        {&heic, "iloc field size 3", [](Bytes& b) { b[Find(b, "iloc") + 8] = 0x33; }},
        {&heic, "meta below its header", [](Bytes& b) { Put(b, Find(b, "meta") - 4, 7, 4); }},
        {&heic, "meta past the end", [](Bytes& b) { Put(b, Find(b, "meta") - 4, 0x7FFFFFF0, 4); }},
        {&heic, "meta's 64-bit size below its header", [](Bytes& b) {
             Put(b, Find(b, "meta") - 4, 1, 4);
             Put(b, Find(b, "meta") + 4, 12, 8);
         }},
        {&mp4, "key renamed", [](Bytes& b) { b[Find(b, "creationdate") + 11] = 'f'; }},
        {&mp4, "key below its header", [](Bytes& b) { Put(b, Find(b, "mdtacom") - 4, 4, 4); }},
        {&mp4, "key past keys", [](Bytes& b) { Put(b, Find(b, "mdtacom") - 4, 0x7FFFFFF0, 4); }},
        {&mp4, "value not UTF-8", [](Bytes& b) { Put(b, Find(b, "data") + 4, 21, 4); }},
        {&mp4, "value of month 13", [](Bytes& b) { Put(b, Find(b, "data") + 17, '1' << 8 | '3', 2); }},
        {&mp4, "item of another key", [](Bytes& b) { Put(b, Find(b, "data") - 8, 2, 4); }},
        {&mp4, "mvhd of size 0 over the keys", [](Bytes& b) { Put(b, Find(b, "mvhd") - 4, 0, 4); }},
        {&mov, "mvhd version 2", [](Bytes& b) { b[Find(b, "mvhd") + 4] = 2; }},
        {&mov, "creation time 0", [](Bytes& b) { Put(b, Find(b, "mvhd") + 8, 0, 8); }},
        {&mov, "mvhd below its header", [](Bytes& b) { Put(b, Find(b, "mvhd") - 4, 7, 4); }},
        {&mov, "mvhd past moov", [](Bytes& b) { Put(b, Find(b, "mvhd") - 4, 0x7FFFFFF0, 4); }},
        {&mov, "mvhd's 64-bit size past moov", [](Bytes& b) { Put(b, Find(b, "mvhd") - 4, 1, 4); }},
        {&mov, "moov past the end", [](Bytes& b) { Put(b, Find(b, "moov") - 4, 0x7FFFFFF0, 4); }},
        {&mov, "more boxes than walked", [](Bytes& b) {
             for (int i = 0; i < 2000; ++i) b.insert(b.begin(), {0, 0, 0, 8, 'f', 'r', 'e', 'e'});
         }},
        {&mov, "moov of metas nested 20000 deep", [](Bytes& b) {
             const std::size_t at = Find(b, "moov") - 4, depth = 20000;
             b.resize(at);
             for (std::size_t i = 0; i <= depth; ++i) {
                 b.insert(b.end(), {0, 0, 0, 0, 'm', 'e', 't', 'a'});
                 Put(b, b.size() - 8, 8 * (depth + 1 - i), 4);
             }
             std::copy_n("moov", 4, b.begin() + static_cast<std::ptrdiff_t>(at) + 4);
         }},
    };
    for (const Bytes* seed : {&jpg, &tif, &png, &webp, &heic}) {
        for (const auto& [what, damage] : tiffDamage)
            cases.emplace_back(seed, what, [&damage](Bytes& b) { damage(b, Tiff(b)); });
    }
    for (const auto& [seed, what, change] : cases) {
        ASSERT_TRUE(Read(*seed)) << what << ": the seed itself has a date";
        Bytes bytes = *seed;
        change(bytes);
        EXPECT_FALSE(Read(bytes)) << what;
    }
    // Any cut of a file reads as the whole file or as no date.
    for (const Bytes* seed : {&jpg, &tif, &png, &webp, &heic, &mp4, &mov}) {
        const std::optional<DateTaken> whole = Read(*seed);
        for (std::size_t size = 0; size < seed->size(); ++size) {
            const std::optional<DateTaken> cut = Read(Bytes(seed->begin(), seed->begin() + size));
            EXPECT_TRUE(!cut || cut == whole) << size << " of " << seed->size();
        }
    }
}

// The seed TIFF with its Exif IFD replaced by one of `entries` entries, the
// date the last of them; the others of a tag that holds no date.
Bytes WithExifEntries(std::size_t entries) {
    Bytes b = test::original_tif;
    const Tiff t(b);
    const std::size_t at = b.size() + b.size() % 2;
    b.resize(at + 2);
    Put(b, at, entries, 2, t.little);
    for (std::size_t i = 1; i < entries; ++i) b.insert(b.end(), {1, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0});
    const Bytes date(b.begin() + t.date, b.begin() + t.date + 12);
    b.insert(b.end(), date.begin(), date.end());
    b.insert(b.end(), {0, 0, 0, 0});
    Put(b, t.pointer + 8, at, 4, t.little);
    return b;
}

// A movie whose moov holds `boxes` udta boxes, each with a body larger than
// a window, before the movie header: every one costs reads of its own.
Bytes MovieWithBoxesBeforeHeader(std::size_t boxes) {
    const Bytes& seed = test::header_mov;
    const std::size_t mvhd = Find(seed, "mvhd") - 4;
    Bytes moov;
    for (std::size_t i = 0; i < boxes; ++i) {
        const std::size_t body = 5000;
        Bytes udta(16 + body);
        Put(udta, 0, udta.size(), 4);
        std::copy_n("udtafree", 8, udta.begin() + 4);
        Put(udta, 8, 8 + body, 4);
        moov.insert(moov.end(), udta.begin(), udta.end());
    }
    moov.insert(moov.end(), seed.begin() + mvhd, seed.begin() + mvhd + Get(seed, mvhd, 4, false));
    Bytes file(8 + moov.size());
    Put(file, 0, file.size(), 4);
    std::copy_n("moov", 4, file.begin() + 4);
    std::copy(moov.begin(), moov.end(), file.begin() + 8);
    return file;
}

// The caps that bound what a file may make the reader do, each exactly where
// it stands: entries of one IFD, and the budget of bytes and reads per file.
TEST(DateTaken, CapsHoldExactlyWhereTheyStand) {
    EXPECT_TRUE(Read(WithExifEntries(kMaxEntries))) << "as many entries as walked";
    EXPECT_FALSE(Read(WithExifEntries(kMaxEntries + 1))) << "one more than walked, though it fits in the file";

    EXPECT_TRUE(Read(MovieWithBoxesBeforeHeader(300))) << "within the budget";
    const Bytes past = MovieWithBoxesBeforeHeader(700);
    CheckedSource spent(past);
    EXPECT_FALSE(Read(past, &spent)) << "the budget gave out before the header";
    EXPECT_GT(spent.reads, 300u) << "ended by the budget, not by a walk's cap";
}

}  // namespace
}  // namespace qm
