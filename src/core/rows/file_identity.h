#pragma once
// What tells a file apart from every other whatever its name: the volume's
// serial number and the file's index on it, which a move within the volume
// keeps. Where the file system does not keep the index across a rename (FAT
// and exFAT) or reports none (some network shares), the file's size and
// creation time stand in for it: weaker, but never a stranger of another
// size and time.
#include <cstdint>

namespace qm {

struct FileIdentity {
    enum class Kind : std::uint8_t {
        Unknown,          // not known (a row of an older journal): nothing can be checked
        Index,            // volume and index
        SizeAndCreation,  // volume, size and creation time
    };
    Kind kind = Kind::Unknown;
    std::uint32_t volume = 0;
    std::uint64_t index = 0;
    std::uint64_t size = 0;
    std::uint64_t created = 0;  // UTC file time

    bool known() const { return kind != Kind::Unknown; }
    bool operator==(const FileIdentity&) const = default;
};

// Whether `found`, read from a file now, is the file that `kept` was read
// from, judged as `kept` was taken. False when `kept` is unknown.
inline bool IsSameFile(const FileIdentity& kept, const FileIdentity& found) {
    if (kept.volume != found.volume) return false;
    switch (kept.kind) {
        case FileIdentity::Kind::Index: return found.kind == FileIdentity::Kind::Index && found.index == kept.index;
        case FileIdentity::Kind::SizeAndCreation: return found.size == kept.size && found.created == kept.created;
        case FileIdentity::Kind::Unknown: break;
    }
    return false;
}

}  // namespace qm
