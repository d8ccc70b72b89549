#include "core/run/run_journal.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <optional>
#include <vector>

#include "core/run/progress_text.h"

namespace qm {

namespace {

constexpr std::string_view UnderWayMark = "under way";
constexpr std::string_view EndedMark = "ended";
constexpr std::string_view LineEnd = "\r\n";

// Bytes appended through a pointer into a buffer that is handed on whenever
// it holds a piece's worth: a journal of 100,000 rows is some 30 MB.
class ByteWriter {
public:
    ByteWriter(std::size_t pieceBytes, const JournalPieceWriter* write) : pieceBytes_(pieceBytes), write_(write) {
        bytes_.resize(pieceBytes + 4096);
    }
    void Append(std::string_view text) {
        char* at = Room(text.size());
        std::memcpy(at, text.data(), text.size());
        used_ += text.size();
    }
    void Append(char c) { *Room(1) = c, ++used_; }
    // UTF-16 units as UTF-8; a surrogate without its partner is written as
    // the three bytes of its own code, so that every name comes back unit for unit.
    void AppendText(std::u16string_view text) {
        char* const start = Room(text.size() * 3);
        // Mostly ASCII: copied unit for unit by a loop without branches, which
        // the compiler runs in blocks; written again when a unit was not ASCII.
        char16_t all = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            all |= text[i];
            start[i] = static_cast<char>(text[i]);
        }
        if (all < 0x80) {
            used_ += text.size();
            return;
        }
        char* out = start;
        for (std::size_t i = 0; i < text.size(); ++i) {
            std::uint32_t code = text[i];
            if (code < 0x80) {
                *out++ = static_cast<char>(code);
                continue;
            }
            if (code >= 0xD800 && code < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                text[i + 1] < 0xE000) {
                code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
                ++i;
            }
            if (code < 0x800) {
                *out++ = static_cast<char>(0xC0 | (code >> 6));
            } else if (code < 0x10000) {
                *out++ = static_cast<char>(0xE0 | (code >> 12));
                *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            } else {
                *out++ = static_cast<char>(0xF0 | (code >> 18));
                *out++ = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
                *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            }
            *out++ = static_cast<char>(0x80 | (code & 0x3F));
        }
        used_ += static_cast<std::size_t>(out - start);
    }
    // At the end of a line: hands the piece on once it is full enough.
    void EndOfLine() {
        if (used_ >= pieceBytes_) HandOn();
    }
    bool Finish() {
        HandOn();
        return ok_;
    }
    std::string Take() {
        bytes_.resize(used_);
        return std::move(bytes_);
    }

private:
    void HandOn() {
        if (!write_ || used_ == 0) return;
        ok_ = ok_ && (*write_)(std::string_view(bytes_.data(), used_));
        used_ = 0;
    }
    char* Room(std::size_t count) {
        if (used_ + count > bytes_.size()) bytes_.resize(std::max(bytes_.size() * 2, used_ + count));
        return bytes_.data() + used_;
    }
    std::size_t pieceBytes_;
    const JournalPieceWriter* write_;  // none: the text is kept whole
    std::string bytes_;
    std::size_t used_ = 0;
    bool ok_ = true;
};

// The reverse of ByteWriter::AppendText, into `units` (room for bytes.size()
// units); the number of units, or none for bytes it would never write and
// for the control characters, which no name or list text holds.
std::optional<std::size_t> DecodeInto(std::string_view bytes, char16_t* units) {
    char16_t* out = units;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            if (lead < 0x20) return std::nullopt;
            *out++ = lead;
            ++i;
            continue;
        }
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        if (length == 0 || lead > 0xF4 || i + length > bytes.size()) return std::nullopt;
        std::uint32_t code = lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            code = (code << 6) | (next & 0x3F);
        }
        const std::uint32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (code < smallest || code > 0x10FFFF) return std::nullopt;
        if (code >= 0x10000) {
            *out++ = static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            *out++ = static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            *out++ = static_cast<char16_t>(code);
        }
        i += length;
    }
    return static_cast<std::size_t>(out - units);
}

// Copies printable ASCII unit for unit into `units`, the common case, in a
// loop without branches that the compiler runs in blocks; false when a byte
// was not printable ASCII, and the bytes must be decoded.
bool CopyPlainAscii(std::string_view bytes, char16_t* units) {
    unsigned char lowest = 0xFF, all = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        all |= byte;
        lowest = std::min(lowest, byte);
        units[i] = byte;
    }
    return all < 0x80 && lowest >= 0x20;
}

std::optional<std::u16string> DecodeText(std::string_view bytes) {
    std::u16string text(bytes.size(), u'\0');
    if (CopyPlainAscii(bytes, text.data())) return text;
    const std::optional<std::size_t> length = DecodeInto(bytes, text.data());
    if (!length) return std::nullopt;
    text.resize(*length);
    return text;
}

// Six numbers a line of 100,000: the library's conversions, which go two
// digits at a time and check the range without a division.
void AppendNumber(std::string& out, std::uint64_t value) {
    char digits[24];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, end.ptr);
}

std::optional<std::uint64_t> ReadNumber(std::string_view text) {
    if (text.empty() || text.size() > 20) return std::nullopt;
    std::uint64_t value = 0;
    const std::from_chars_result end = std::from_chars(text.data(), text.data() + text.size(), value);
    if (end.ec != std::errc() || end.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

// The fields of a line, split at each separator; at most `Most`, and one
// more to tell that there were too many.
template <std::size_t Most>
struct LineFields {
    std::array<std::string_view, Most + 1> fields;
    std::size_t count = 0;

    explicit LineFields(std::string_view line) {
        std::size_t start = 0;
        while (count <= Most) {
            const std::size_t end = line.find(JournalFieldSeparator, start);
            if (end == std::string_view::npos) {
                fields[count++] = line.substr(start);
                return;
            }
            fields[count++] = line.substr(start, end - start);
            start = end + 1;
        }
    }
};

std::string FirstLine(int version = JournalVersion) {
    std::string line(JournalFormatName);
    line.push_back(' ');
    AppendNumber(line, static_cast<std::uint64_t>(version));
    return line;
}

void AppendHex(std::string& out, std::uint64_t value, int digits) {
    char text[16];
    for (int k = digits - 1; k >= 0; --k, value >>= 4) text[k] = "0123456789ABCDEF"[value & 0xF];
    out.append(text, static_cast<std::size_t>(digits));
}

std::optional<std::uint64_t> ReadHex(std::string_view text, std::size_t digits) {
    if (text.size() != digits) return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : text) {
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (digit < 0) return std::nullopt;
        value = value << 4 | static_cast<std::uint64_t>(digit);
    }
    return value;
}

void AppendIdentity(std::string& out, const FileIdentity& identity) {
    switch (identity.kind) {
    case FileIdentity::Kind::Unknown: return;
    case FileIdentity::Kind::FileId:
        out += "F:";
        AppendHex(out, identity.volume, 16);
        out.push_back(':');
        AppendHex(out, identity.idHigh, 16);
        AppendHex(out, identity.id, 16);
        break;
    case FileIdentity::Kind::Index:
        out += "I:";
        AppendHex(out, identity.volume, 8);
        out.push_back(':');
        AppendHex(out, identity.id, 16);
        break;
    case FileIdentity::Kind::SizeAndCreation:
        out += "S:";
        AppendHex(out, identity.volume, 8);
        out.push_back(':');
        AppendNumber(out, identity.id);
        break;
    case FileIdentity::Kind::NotAFile:  // never a row's; kept as a row that is left alone
    case FileIdentity::Kind::Undecided:
        out.push_back('U');
        return;
    }
    out.push_back(':');
    AppendNumber(out, identity.created);
}

// The reverse of AppendIdentity; none for a text it would never write.
// Version 2 wrote an index without the creation time.
std::optional<FileIdentity> ParseIdentity(std::string_view text, int version) {
    FileIdentity identity;
    if (text.empty()) return identity;
    if (text == "U" && version >= 3) {
        identity.kind = FileIdentity::Kind::Undecided;
        return identity;
    }
    std::string_view parts[5];
    std::size_t count = 0;
    for (std::size_t start = 0; count < 5;) {
        const std::size_t colon = text.find(':', start);
        parts[count++] = text.substr(start, colon == std::string_view::npos ? colon : colon - start);
        if (colon == std::string_view::npos) break;
        start = colon + 1;
    }
    const bool wide = parts[0] == "F" && version >= 3;
    const std::optional<std::uint64_t> volume = count >= 2 ? ReadHex(parts[1], wide ? 16 : 8) : std::nullopt;
    if (!volume) return std::nullopt;
    identity.volume = *volume;
    if (parts[0] == "S" && count == 4) {
        const std::optional<std::uint64_t> size = ReadNumber(parts[2]);
        const std::optional<std::uint64_t> created = ReadNumber(parts[3]);
        if (!size || !created) return std::nullopt;
        identity.kind = FileIdentity::Kind::SizeAndCreation;
        identity.id = *size;
        identity.created = *created;
        return identity;
    }
    const bool withCreation = version >= 3;
    if (count != (withCreation ? 4u : 3u)) return std::nullopt;
    if (withCreation) {
        const std::optional<std::uint64_t> created = ReadNumber(parts[3]);
        if (!created) return std::nullopt;
        identity.created = *created;
    } else {
        identity.creationKnown = false;
    }
    if (wide) {
        const std::optional<std::uint64_t> high = parts[2].size() == 32 ? ReadHex(parts[2].substr(0, 16), 16) : std::nullopt;
        const std::optional<std::uint64_t> low = parts[2].size() == 32 ? ReadHex(parts[2].substr(16), 16) : std::nullopt;
        if (!high || !low) return std::nullopt;
        identity.kind = FileIdentity::Kind::FileId;
        identity.idHigh = *high;
        identity.id = *low;
        return identity;
    }
    if (parts[0] != "I") return std::nullopt;
    const std::optional<std::uint64_t> index = ReadHex(parts[2], 16);
    if (!index) return std::nullopt;
    identity.kind = FileIdentity::Kind::Index;
    identity.id = *index;
    return identity;
}

constexpr std::string_view StepNames[] = {"reached", "moved", "kept", "aside", "at"};

// Lines of the file, each without its CR LF; reports a last line without one.
// The bytes come from `source` a block at a time into one buffer that only
// grows for a line longer than it: the journal is never held whole. A line
// stays valid until the next call.
class LineReader {
public:
    explicit LineReader(const JournalByteSource& source) : source_(source), buffer_(BlockBytes) {
        while (size_ < 3 && Fill()) {
        }
        if (std::string_view(buffer_.data(), size_).starts_with("\xEF\xBB\xBF")) position_ = 3;  // a mark that an editor may have added
    }
    bool atEnd() { return position_ >= size_ && !Fill(); }
    std::size_t number() const { return number_; }
    // False when the line has no end: the file was cut inside it.
    bool next(std::string_view& line) {
        ++number_;
        std::size_t searched = 0;  // bytes of this line looked through already
        for (;;) {
            const char* start = buffer_.data() + position_;
            const void* end = std::memchr(start + searched, '\n', size_ - position_ - searched);
            if (end) {
                const std::size_t length = static_cast<std::size_t>(static_cast<const char*>(end) - start);
                line = std::string_view(start, length);
                position_ += length + 1;
                if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
                return true;
            }
            searched = size_ - position_;
            if (!Fill()) {
                line = std::string_view(buffer_.data() + position_, size_ - position_);
                position_ = size_;
                return false;
            }
        }
    }

private:
    static constexpr std::size_t BlockBytes = std::size_t{1} << 16;

    // Moves what is left to the front and reads on; false at the end.
    bool Fill() {
        if (ended_) return false;
        if (position_ > 0) {
            std::memmove(buffer_.data(), buffer_.data() + position_, size_ - position_);
            size_ -= position_;
            position_ = 0;
        }
        if (buffer_.size() - size_ < BlockBytes / 2) buffer_.resize(buffer_.size() * 2);
        const std::size_t got = source_(buffer_.data() + size_, buffer_.size() - size_);
        if (got == 0) {
            ended_ = true;
            return false;
        }
        size_ += got;
        return true;
    }

    const JournalByteSource& source_;
    std::vector<char> buffer_;
    std::size_t position_ = 0, size_ = 0;
    std::size_t number_ = 0;
    bool ended_ = false;
};

JournalReading Problem(JournalProblem problem, std::size_t line) {
    JournalReading reading;
    reading.problem = problem;
    reading.line = line;
    return reading;
}

// A name that a run could have given, which stays inside its folder: undo
// moves files by these names. Not empty once the trailing dots and blanks
// that the file system drops are gone (so neither "." nor ".."), and without
// a separator or another unit that no name may hold.
bool IsFileName(std::u16string_view name) {
    while (!name.empty() && (name.back() == u'.' || name.back() == u' ')) name.remove_suffix(1);
    if (name.empty()) return false;
    // One bit for each of \ / : * ? " < > |, by the unit's place below 128.
    constexpr std::uint64_t low = 1ull << '/' | 1ull << ':' | 1ull << '*' | 1ull << '?' | 1ull << '"' | 1ull << '<' |
                                  1ull << '>';
    constexpr std::uint64_t high = 1ull << ('\\' - 64) | 1ull << ('|' - 64);
    bool bad = false;
    for (const char16_t unit : name)
        bad |= unit < 64 ? (low >> unit & 1) != 0 : unit < 128 && (high >> (unit - 64) & 1) != 0;
    return !bad;
}

// A full path, as the list keeps folders: a drive ("C:" or "C:\..."), or a
// share ("\\server\...").
bool IsFullFolder(std::u16string_view folder) {
    if (folder.size() >= 2 && folder[1] == u':' && ((folder[0] | 0x20) >= u'a' && (folder[0] | 0x20) <= u'z'))
        return folder.size() == 2 || folder[2] == u'\\';
    return folder.size() > 2 && folder[0] == u'\\' && folder[1] == u'\\' && folder[2] != u'\\';
}

template <typename Fixed>
bool AssignFixed(Fixed& field, std::string_view bytes) {
    if (bytes.size() <= Fixed::capacity && CopyPlainAscii(bytes, field.units.data())) {
        field.units[bytes.size()] = u'\0';
        return true;
    }
    if (bytes.size() > Fixed::capacity * 3) return false;
    char16_t units[Fixed::capacity * 3];
    const std::optional<std::size_t> length = DecodeInto(bytes, units);
    if (!length || *length > Fixed::capacity) return false;
    field = std::u16string_view(units, *length);
    return true;
}

// From version 4 a time is its UTC file time in decimal (empty for none),
// which reads back to the 100 ns whatever time zone is in force; attributes
// stay their letters. Names and folders are texts.
void AppendRowField(ByteWriter& out, std::string& number, const FileRow& row, int column) {
    const std::uint64_t* time = ColumnTime(row, column);
    if (!time) {
        out.AppendText(ColumnText(row, column, 0).view());
        return;
    }
    if (*time == NoTime) return;
    number.clear();
    AppendNumber(number, *time);
    out.Append(number);
}

bool ReadTime(std::uint64_t& time, std::string_view field) {
    if (field.empty()) {
        time = NoTime;
        return true;
    }
    const std::optional<std::uint64_t> number = ReadNumber(field);
    if (!number || *number == NoTime) return false;
    time = *number;
    return true;
}

// A date that does not read as one is kept as no time, as undo always took it.
bool ReadLocalDate(std::uint64_t& time, std::string_view field, LocalOffset localOffset) {
    ListDateText text;
    if (!AssignFixed(text, field)) return false;
    time = ParseDateText(text.view(), localOffset).value_or(NoTime);
    return true;
}

bool ReadAttributes(std::uint32_t& attributes, std::string_view field) {
    AttributeLetters letters;
    if (!AssignFixed(letters, field)) return false;
    attributes = ParseAttributeLetters(letters.view());
    return true;
}

// One row's line, with its end: the only place that writes a row.
void EncodeJournalRow(const JournalEntry& entry, ByteWriter& out, std::string& scratch) {
    for (int column = 0; column < FileColumn::Count; ++column) {
        AppendRowField(out, scratch, *entry.row, column);
        out.Append(JournalFieldSeparator);
    }
    out.AppendText(entry.plannedName);
    out.Append(JournalFieldSeparator);
    scratch.clear();
    AppendIdentity(scratch, entry.row->identity);
    scratch.push_back(JournalFieldSeparator);
    if (entry.createdGiven != 0) AppendNumber(scratch, entry.createdGiven);
    out.Append(scratch);
    out.Append(LineEnd);
}

// The folder of the row read last, shared by the rows of one folder as rows
// added together share it.
struct LastFolder {
    FolderText text;
    std::string bytes;
};

// One row from the fields of its line (as many as its version has): the only
// place that reads a row.
JournalProblem DecodeJournalRow(const std::array<std::string_view, JournalRowFields + 1>& fields, int version,
                                std::uint64_t createdSet, LastFolder& folder, FileRow& row, std::u16string& planned,
                                std::uint64_t& given, LocalOffset localOffset) {
    std::optional<std::u16string> rowName = DecodeText(fields[FileColumn::Name]);
    std::optional<std::u16string> originalName = DecodeText(fields[FileColumn::OriginalName]);
    std::optional<std::u16string> plannedName = DecodeText(fields[FileColumn::Count]);
    if (!rowName || !originalName || !plannedName) return JournalProblem::BadText;
    if (!IsFileName(*rowName) || !IsFileName(*originalName) || (!plannedName->empty() && !IsFileName(*plannedName)))
        return JournalProblem::NotAName;
    if (!folder.text || fields[FileColumn::Folder] != folder.bytes) {
        const std::optional<std::u16string> folderText = DecodeText(fields[FileColumn::Folder]);
        if (!folderText) return JournalProblem::BadText;
        if (!IsFullFolder(*folderText)) return JournalProblem::NotAFolder;
        folder.text = std::make_shared<const std::u16string>(*folderText);
        folder.bytes.assign(fields[FileColumn::Folder]);
    }
    const auto time = [&](std::uint64_t& kept, int column) {
        return version >= 4 ? ReadTime(kept, fields[column]) : ReadLocalDate(kept, fields[column], localOffset);
    };
    const bool fixedOk = time(row.created, FileColumn::Created) && time(row.modified, FileColumn::Modified) &&
                         time(row.accessed, FileColumn::Accessed) &&
                         ReadAttributes(row.attributes, fields[FileColumn::Attributes]) &&
                         time(row.originallyCreated, FileColumn::OriginallyCreated) &&
                         time(row.originallyModified, FileColumn::OriginallyModified) &&
                         time(row.originallyAccessed, FileColumn::OriginallyAccessed) &&
                         ReadAttributes(row.originalAttributes, fields[FileColumn::OriginalAttributes]);
    if (!fixedOk) return JournalProblem::BadText;
    given = createdSet;
    if (version > 1) {
        const std::optional<FileIdentity> identity = ParseIdentity(fields[FileColumn::Count + 1], version);
        if (!identity) return JournalProblem::BadText;
        row.identity = *identity;
    }
    if (version > 2 && !fields[FileColumn::Count + 2].empty()) {
        const std::optional<std::uint64_t> created = ReadNumber(fields[FileColumn::Count + 2]);
        if (!created) return JournalProblem::BadText;
        given = *created;
    }
    row.name = std::move(*rowName);
    row.folder = folder.text;
    row.originalName = std::move(*originalName);
    planned = std::move(*plannedName);
    return JournalProblem::None;
}

void MakeJournal(const JournalHeader& header, std::span<const JournalEntry> entries, ByteWriter& out) {
    out.Append(FirstLine());
    out.Append(LineEnd);
    out.Append(header.underWay ? UnderWayMark : EndedMark);
    out.Append(JournalFieldSeparator);
    std::string numbers;
    AppendNumber(numbers, header.startedAt);
    numbers.push_back(JournalFieldSeparator);
    AppendNumber(numbers, entries.size());
    out.Append(numbers);
    out.Append(LineEnd);
    std::string scratch;  // one text for every row, so that it is made without allocating
    for (const JournalEntry& entry : entries) {
        EncodeJournalRow(entry, out, scratch);
        out.EndOfLine();
    }
}

}  // namespace

std::string FormatJournalStep(JournalStep step, std::size_t row, const FileIdentity& identity) {
    std::string line(StepNames[static_cast<int>(step)]);
    line.push_back(JournalFieldSeparator);
    AppendNumber(line, row + 1);
    line.push_back(JournalFieldSeparator);
    AppendIdentity(line, identity);
    line.append(LineEnd);
    return line;
}

std::string FormatJournalStep(JournalStep step, std::size_t row, std::u16string_view name) {
    std::string line(StepNames[static_cast<int>(step)]);
    line.push_back(JournalFieldSeparator);
    AppendNumber(line, row + 1);
    line.push_back(JournalFieldSeparator);
    ByteWriter text(name.size() * 3, nullptr);
    text.AppendText(name);
    line += text.Take();
    line.append(LineEnd);
    return line;
}

std::string FormatRunJournal(const JournalHeader& header, std::span<const JournalEntry> entries) {
    // Most texts are ASCII: dates of 28 units, names and folders of a few dozen.
    ByteWriter out(64 + entries.size() * 300, nullptr);
    MakeJournal(header, entries, out);
    return out.Take();
}

bool FormatRunJournal(const JournalHeader& header, std::span<const JournalEntry> entries,
                      const JournalPieceWriter& write, std::size_t pieceBytes) {
    ByteWriter out(pieceBytes, &write);
    MakeJournal(header, entries, out);
    return out.Finish();
}

JournalReading ReadRunJournal(std::span<const std::uint8_t> bytes, LocalOffset localOffset) {
    std::size_t at = 0;
    return ReadRunJournal(
        [&](char* into, std::size_t room) {
            const std::size_t count = std::min(room, bytes.size() - at);
            std::memcpy(into, bytes.data() + at, count);
            at += count;
            return count;
        },
        bytes.size(), localOffset);
}

JournalReading ReadRunJournal(const JournalByteSource& source, std::size_t sizeHint, LocalOffset localOffset) {
    LineReader lines(source);
    std::string_view line;

    const bool firstEnded = lines.next(line);
    const std::string_view name = JournalFormatName;
    if (!line.starts_with(name) || line.size() == name.size() || line[name.size()] != ' ')
        return Problem(JournalProblem::NotAJournal, 1);
    int version = 0;
    for (int known = 1; known <= JournalVersion; ++known)
        if (line == FirstLine(known)) version = known;
    if (version == 0) return Problem(JournalProblem::UnknownVersion, 1);
    // Version 1 rows end with the planned name; version 2 adds the identity,
    // version 3 the creation time given.
    const std::size_t rowFields = JournalRowFields - (version == 1 ? 2 : version == 2 ? 1 : 0);
    if (!firstEnded) return Problem(JournalProblem::CutShort, 1);

    if (!lines.next(line)) return Problem(JournalProblem::CutShort, 2);
    const LineFields<4> headFields(line);
    const auto& head = headFields.fields;
    // Version 2 ends the line with one creation time for the whole run.
    const std::size_t headCount = version == 2 ? 4 : 3;
    if (headFields.count != headCount || (head[0] != UnderWayMark && head[0] != EndedMark))
        return Problem(JournalProblem::BadHeader, 2);
    const std::optional<std::uint64_t> startedAt = ReadNumber(head[1]);
    const std::optional<std::uint64_t> count = ReadNumber(head[2]);
    const std::optional<std::uint64_t> createdSet = version == 2 ? ReadNumber(head[3]) : std::optional<std::uint64_t>(0);
    if (!startedAt || !count || !createdSet) return Problem(JournalProblem::BadHeader, 2);

    JournalReading reading;
    reading.version = version;
    reading.header = {head[0] == UnderWayMark, *startedAt};
    // The announced count is only a hint for the room: a cut file says too much.
    const std::size_t expected = static_cast<std::size_t>(*count);
    const std::size_t room = std::min<std::size_t>(expected, sizeHint / (2 * JournalRowFields) + 1);
    reading.rows.reserve(room);
    reading.plannedNames.reserve(room);
    reading.createdGiven.reserve(room);
    LastFolder folder;
    while (!lines.atEnd()) {
        const bool ended = lines.next(line);
        const std::size_t number = lines.number();
        if (reading.rows.size() == expected) {
            // The steps of the run, after its rows. The last one may have been
            // cut by a kill while it was written: it was not taken.
            if (!ended) break;
            if (line.empty() && lines.atEnd()) break;
            const LineFields<3> step(line);
            const auto* name = std::find(std::begin(StepNames), std::end(StepNames), step.fields[0]);
            if (version < 3 || name == std::end(StepNames)) return Problem(JournalProblem::TooManyFields, number);
            const auto kind = static_cast<JournalStep>(name - std::begin(StepNames));
            const std::optional<std::uint64_t> row = step.count == 3 ? ReadNumber(step.fields[1]) : std::nullopt;
            if (!row || *row == 0 || *row > expected) return Problem(JournalProblem::BadStep, number);
            const std::size_t at = static_cast<std::size_t>(*row - 1);
            if (kind == JournalStep::Aside || kind == JournalStep::At) {
                std::optional<std::u16string> temporary = DecodeText(step.fields[2]);
                if (!temporary || !IsFileName(*temporary)) return Problem(JournalProblem::BadStep, number);
                if (kind == JournalStep::At) {
                    reading.rows[at].name = std::move(*temporary);
                    reading.asideNames[at].clear();
                    reading.progress[at] = RowProgress::Kept;
                } else {
                    reading.asideNames[at] = std::move(*temporary);
                    reading.progress[at] = RowProgress::InHand;
                }
                continue;
            }
            const std::optional<FileIdentity> identity = ParseIdentity(step.fields[2], version);
            if (!identity) return Problem(JournalProblem::BadStep, number);
            reading.progress[at] = kind == JournalStep::Reached ? RowProgress::InHand
                                   : kind == JournalStep::Moved ? RowProgress::Moved
                                                                : RowProgress::Kept;
            reading.asideNames[at].clear();
            reading.rows[at].identity = *identity;
            continue;
        }
        if (!ended) return Problem(JournalProblem::CutShort, number);
        if (line.empty() && lines.atEnd()) break;  // an empty last line does no harm
        const LineFields<JournalRowFields> split(line);
        const auto& fields = split.fields;
        if (split.count < rowFields) return Problem(JournalProblem::TooFewFields, number);
        if (split.count > rowFields) return Problem(JournalProblem::TooManyFields, number);

        FileRow& row = reading.rows.emplace_back();
        std::u16string planned;
        std::uint64_t given = 0;
        const JournalProblem problem = DecodeJournalRow(fields, version, *createdSet, folder, row, planned, given, localOffset);
        if (problem != JournalProblem::None) return Problem(problem, number);
        reading.plannedNames.push_back(std::move(planned));
        reading.createdGiven.push_back(given);
        if (reading.rows.size() == expected) {
            reading.progress.assign(expected, RowProgress::NotReached);
            reading.asideNames.assign(expected, std::u16string());
        }
    }
    if (reading.rows.size() != expected) return Problem(JournalProblem::MissingRows, lines.number());
    reading.progress.resize(expected, RowProgress::NotReached);  // a journal without rows
    reading.asideNames.resize(expected);
    return reading;
}

std::u16string JournalProblemText(const JournalReading& reading) {
    const std::u16string line = u"line " + GroupedNumber(reading.line);
    switch (reading.problem) {
    case JournalProblem::None: return {};
    case JournalProblem::NotAJournal: return u"it is not a Quillmoth run journal";
    case JournalProblem::UnknownVersion: return u"it was written in a version of the journal this program does not know";
    case JournalProblem::BadHeader: return line + u" is not understood";
    case JournalProblem::CutShort: return line + u" is cut short";
    case JournalProblem::TooFewFields: return line + u" has too few fields";
    case JournalProblem::TooManyFields: return line + u" has too many fields or rows";
    case JournalProblem::BadText: return line + u" holds a text that no file can have";
    case JournalProblem::NotAName: return line + u" holds a name that no run could have given";
    case JournalProblem::NotAFolder: return line + u" holds a folder that is not a full path";
    case JournalProblem::MissingRows: return u"it ends before its last row";
    case JournalProblem::BadStep: return line + u" holds a step of the run that names no row";
    }
    return {};
}

}  // namespace qm
