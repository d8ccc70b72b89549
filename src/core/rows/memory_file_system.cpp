#include "core/rows/memory_file_system.h"

#include "core/rows/attribute_letters.h"
#include "core/text/name_text.h"

namespace qm {

namespace {

constexpr std::uint32_t DirectoryAttribute = 0x10;

// Characters the platform refuses in a name (error 123).
bool IsInvalidNameUnit(char16_t unit) {
    return unit < 0x20 || std::u16string_view(u"<>:\"/|?*").find(unit) != std::u16string_view::npos;
}

std::u16string_view ParentOf(std::u16string_view resolved) {
    const std::size_t slash = resolved.rfind(u'\\');
    return slash == std::u16string_view::npos ? std::u16string_view() : resolved.substr(0, slash);
}

}  // namespace

class MemoryFileSystem::Handle : public OpenFile {
public:
    Handle(const MemoryFileSystem& files, Entry& entry, bool forWriting)
        : files_(files), entry_(entry), forWriting_(forWriting) {
        ++entry_.openCount;
    }
    ~Handle() override { --entry_.openCount; }
    FileTimes ReadTimes() override { return entry_.times; }
    void WriteTimes(const std::uint64_t* created, const std::uint64_t* accessed,
                    const std::uint64_t* written) override {
        if (created) entry_.times.created = files_.KeptCreationTime(*created);
        if (accessed) entry_.times.accessed = *accessed;
        if (written) entry_.times.written = *written;
        if (files_.afterWriteTimes) files_.afterWriteTimes();
    }
    FileIdentity ReadIdentity() override { return files_.IdentityOf(entry_); }
    std::uint32_t ReadAttributes() override { return entry_.attributes; }
    std::uint64_t Size() override { return forWriting_ ? 0 : entry_.bytes.size(); }
    std::size_t ReadAt(std::uint64_t offset, void* into, std::size_t length) override {
        if (forWriting_) return 0;
        return SpanByteSource({reinterpret_cast<const std::uint8_t*>(entry_.bytes.data()), entry_.bytes.size()})
            .ReadAt(offset, into, length);
    }

private:
    const MemoryFileSystem& files_;
    Entry& entry_;
    bool forWriting_;  // entries never move in the map while a handle lives: a move of an open file is refused
};

std::optional<std::u16string> MemoryFileSystem::Resolve(std::u16string_view path) {
    std::vector<std::u16string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find(u'\\', start), path.size());
        std::u16string part(path.substr(start, end - start));
        start = end + 1;
        if (part == u"." || (part.empty() && !parts.empty())) continue;
        if (part == u"..") {
            if (parts.size() > 1) parts.pop_back();  // the drive is as high as it goes
            continue;
        }
        while (!part.empty() && (part.back() == u'.' || part.back() == u' ')) part.pop_back();
        if (part.empty()) return std::nullopt;
        parts.push_back(std::move(part));
    }
    if (parts.empty()) return std::nullopt;
    std::u16string resolved = parts.front();
    for (std::size_t i = 1; i < parts.size(); ++i) resolved.append(u"\\").append(parts[i]);
    return resolved;
}

std::u16string MemoryFileSystem::Key(std::u16string_view resolved) {
    std::u16string key(resolved);
    ToAsciiLower(key);
    return key;
}

void MemoryFileSystem::AddFolder(std::u16string_view path) {
    const auto resolved = Resolve(path);
    if (!resolved) return;
    const std::u16string_view parent = ParentOf(*resolved);
    if (!parent.empty()) AddFolder(parent);
    Entry& entry = entries_[Key(*resolved)];
    entry.path = *resolved;
    entry.folder = true;
    entry.attributes = DirectoryAttribute;
}

MemoryFileSystem::Entry& MemoryFileSystem::AddFile(std::u16string_view path, const FileTimes& times,
                                                   std::uint32_t attributes, std::u16string_view content) {
    const std::u16string resolved = Resolve(path).value_or(std::u16string(path));
    const std::u16string_view parent = ParentOf(resolved);
    if (!parent.empty()) AddFolder(parent);
    if (Find(resolved)) Remove(resolved);  // a file made again at once, as an editor saves
    Entry& entry = entries_[Key(resolved)];
    entry = Entry{};
    entry.path = resolved;
    entry.attributes = attributes;
    entry.times = times;
    entry.times.created = KeptCreationTime(times.created);
    entry.content = content;
    entry.index = NewIndex();
    return entry;
}

void MemoryFileSystem::Remove(std::u16string_view path) {
    const Entry* entry = Find(path);
    if (!entry || entry->openCount > 0) return;
    if (entry->folder) {
        std::vector<FolderEntry> inside;
        if (!ListEntries(entry->path, inside) || !inside.empty()) return;
    } else {
        freedIndexes_.push_back(entry->index);
    }
    entries_.erase(Key(entry->path));
}

std::uint64_t MemoryFileSystem::NewIndex() {
    if (reuseIndexes && !freedIndexes_.empty()) {
        const std::uint64_t index = freedIndexes_.back();
        freedIndexes_.pop_back();
        return index;
    }
    return nextIndex_++;
}

std::uint64_t MemoryFileSystem::KeptCreationTime(std::uint64_t time) const {
    constexpr std::uint64_t TwoSeconds = 20'000'000;
    return fat ? time - time % TwoSeconds : time;
}

FileIdentity MemoryFileSystem::IdentityOf(const Entry& entry) const {
    FileIdentity identity;
    identity.volume = volumeSerial;
    identity.created = entry.times.created;
    if (fat) {
        identity.kind = FileIdentity::Kind::SizeAndCreation;
        identity.id = entry.content.size();
    } else if (indexOnly) {
        identity.kind = FileIdentity::Kind::Index;
        identity.id = entry.index;
    } else {
        identity.kind = FileIdentity::Kind::FileId;
        identity.id = entry.index;
        identity.idHigh = entry.index * 0x9E3779B97F4A7C15ull;
    }
    return identity;
}

FileIdentity MemoryFileSystem::ReadIdentity(const std::u16string& path) {
    const Entry* entry = Find(path);
    if (!entry) return {};
    if (!entry->folder) return IdentityOf(*entry);
    FileIdentity folder;
    folder.kind = FileIdentity::Kind::NotAFile;
    return folder;
}

const MemoryFileSystem::Entry* MemoryFileSystem::Find(std::u16string_view path) const {
    const auto resolved = Resolve(path);
    if (!resolved) return nullptr;
    const auto found = entries_.find(Key(*resolved));
    return found == entries_.end() ? nullptr : &found->second;
}

MemoryFileSystem::Entry* MemoryFileSystem::Find(std::u16string_view path) {
    return const_cast<Entry*>(static_cast<const MemoryFileSystem*>(this)->Find(path));
}

std::vector<const MemoryFileSystem::Entry*> MemoryFileSystem::Files() const {
    std::vector<const Entry*> files;
    for (const auto& [key, entry] : entries_)
        if (!entry.folder) files.push_back(&entry);
    return files;
}

std::uint32_t MemoryFileSystem::GetAttributes(const std::u16string& path) {
    const Entry* entry = Find(path);
    return entry ? entry->attributes : FileAttribute::Invalid;
}

bool MemoryFileSystem::SetAttributes(const std::u16string& path, std::uint32_t attributes) {
    Entry* entry = Find(path);
    if (!entry || entry->folder) return false;
    // As on the platform: "normal" alone means none of the others.
    entry->attributes = attributes == FileAttribute::Normal ? 0 : attributes & ~FileAttribute::Normal;
    return true;
}

std::unique_ptr<OpenFile> MemoryFileSystem::Open(const std::u16string& path, bool forWriting) {
    Entry* entry = Find(path);
    if (!entry || entry->folder || entry->heldElsewhere || entry->openCount > 0) return nullptr;
    if (forWriting && (entry->attributes & FileAttribute::ReadOnly)) return nullptr;
    return std::make_unique<Handle>(*this, *entry, forWriting);
}

std::unique_ptr<OpenFile> MemoryFileSystem::OpenForRead(const std::u16string& path) { return Open(path, false); }
std::unique_ptr<OpenFile> MemoryFileSystem::OpenForWrite(const std::u16string& path) { return Open(path, true); }

MoveOutcome MemoryFileSystem::Move(const std::u16string& from, const std::u16string& to) {
    if (beforeMove) beforeMove();
    Entry* source = Find(from);
    const auto target = Resolve(to);
    if (!source || !target) return MoveOutcome::Refused;
    if (source->heldElsewhere || source->openCount > 0 || source->refuseMoves) return MoveOutcome::Refused;
    const std::u16string_view name = std::u16string_view(*target).substr(ParentOf(*target).size() + 1);
    for (char16_t unit : name)
        if (IsInvalidNameUnit(unit)) return MoveOutcome::Refused;
    const Entry* folder = Find(ParentOf(*target));
    if (!folder || !folder->folder) return MoveOutcome::Refused;
    const Entry* existing = Find(*target);
    if (existing && existing != source) return MoveOutcome::TargetExists;

    Entry moved = std::move(*source);
    entries_.erase(Key(moved.path));
    moved.path = *target;
    if (fat) moved.index = NewIndex();  // FAT keeps no index across a rename
    entries_[Key(*target)] = std::move(moved);
    ++moves;
    if (afterMove) afterMove();
    return MoveOutcome::Moved;
}

bool MemoryFileSystem::ListEntries(const std::u16string& folder, std::vector<FolderEntry>& entries) {
    entries.clear();
    const auto resolved = Resolve(folder);
    if (!resolved) return false;
    const Entry* self = Find(*resolved);
    if (!self || !self->folder || self->refuseListing) return false;
    const std::u16string key = Key(*resolved);
    for (const auto& [entryKey, entry] : entries_) {
        if (entryKey.size() <= key.size() + 1 || entryKey.compare(0, key.size(), key) != 0) continue;
        if (entryKey[key.size()] != u'\\' || entryKey.find(u'\\', key.size() + 1) != std::u16string::npos) continue;
        entries.push_back({entry.path.substr(entry.path.rfind(u'\\') + 1), entry.attributes});
    }
    return true;
}

}  // namespace qm
