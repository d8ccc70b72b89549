#pragma once
// What tells a file apart from every other whatever its name, and whatever
// file later takes its name or its index. A file is the same only when its id
// and its creation time both match: volumes hand a freed index to the next new
// file (Linux file systems under Wine and Samba at once), but the new file has
// a new creation time.
//  - FileId: the volume's 64-bit serial number and the file's 128-bit id, which
//    a move within the volume keeps (ReFS needs all 128 bits; on NTFS the high
//    half is zero);
//  - Index: the volume's 32-bit serial number and the 64-bit index, where no
//    128-bit id is to be had (Windows 7);
//  - SizeAndCreation: FAT and exFAT, which give a file a new index when it is
//    renamed, and shares that report none: weaker, but never a file of another
//    size and creation time.
#include <cstdint>

namespace qm {

struct FileIdentity {
    enum class Kind : std::uint8_t {
        Unknown,  // not known (a row of a version-1 journal, or nothing readable at a path): nothing can be checked
        FileId,
        Index,
        SizeAndCreation,
        NotAFile,   // a folder, a link or a device: never a row's file
        Undecided,  // two files fitted the row after a crash: it is never acted on
    };
    Kind kind = Kind::Unknown;
    // False only for rows of a version-2 journal, which kept an index without
    // the creation time.
    bool creationKnown = true;
    std::uint64_t volume = 0;
    std::uint64_t idHigh = 0;  // FileId: the high half of the 128-bit id
    // FileId: the low half; Index: the index; SizeAndCreation: the size (one
    // field for the three: a row's identity then takes 40 bytes, not 48).
    std::uint64_t id = 0;
    std::uint64_t created = 0;  // UTC file time, for every kind of a file

    bool known() const { return kind != Kind::Unknown; }
    bool regularFile() const {
        return kind == Kind::FileId || kind == Kind::Index || kind == Kind::SizeAndCreation;
    }
    bool operator==(const FileIdentity&) const = default;
};

// Whether `found`, read from a file now, has the id of `kept` (the same
// volume and id, or size), whatever its creation time.
inline bool HasSameId(const FileIdentity& kept, const FileIdentity& found) {
    if (!kept.regularFile() || found.kind != kept.kind || found.volume != kept.volume) return false;
    return found.id == kept.id && found.idHigh == kept.idHigh;
}

// Whether `found`, read from a file now, is the file that `kept` was read
// from: the same id and the same creation time. False when `kept` is not a
// regular file's identity.
inline bool IsSameFile(const FileIdentity& kept, const FileIdentity& found) {
    return HasSameId(kept, found) && (!kept.creationKnown || found.created == kept.created);
}

}  // namespace qm
