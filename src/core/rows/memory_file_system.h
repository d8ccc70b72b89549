#pragma once
// Files held in memory, with the platform's rules that renaming depends on:
// names compare without regard to ASCII case, "." and ".." in a path are
// resolved, a file opened without sharing cannot be opened or moved by anyone
// else, a read-only file cannot be opened for writing, and a move never
// replaces a file. Tests use it to simulate files in use, existing targets and
// refusals; benchmarks use it to measure the engine without the disk. Each
// file gets an index of its own, which a move keeps, as on NTFS; with
// `reuseIndexes` a freed index goes to the next new file, as ext4 hands it on.
// A volume marked `fat` gives a new index with every move, identities of size
// and creation time, and keeps creation times to 2 seconds, as FAT drivers
// that ignore its hundredths do (which Wine, on its Unix file systems, cannot
// show).
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/rows/file_system.h"

namespace qm {

class MemoryFileSystem : public FileSystem {
public:
    struct Entry {
        std::u16string path;  // as created or last renamed, resolved
        bool folder = false;
        std::uint32_t attributes = 0;
        FileTimes times;
        std::u16string content;
        std::string bytes;  // what reading the file's bytes gives
        int openCount = 0;
        bool heldElsewhere = false;  // open in another program, without sharing
        bool refuseMoves = false;
        bool refuseListing = false;  // a folder that cannot be read
        std::uint64_t index = 0;
    };

    std::uint64_t volumeSerial = 0x51A7E001;
    bool fat = false;
    // Identities by the 64-bit index alone, as a system without 128-bit ids
    // gives them; otherwise 128-bit ids that use both halves, as ReFS's do.
    bool indexOnly = false;
    bool reuseIndexes = false;
    // Called before every move is tried, after every move done, and after
    // times are written; tests end a run there as a kill would.
    std::function<void()> beforeMove;
    std::function<void()> afterMove;
    std::function<void()> afterWriteTimes;
    std::size_t moves = 0;  // moves done

    // Makes the folder and every folder above it.
    void AddFolder(std::u16string_view path);
    // Makes the file (and its folders); an existing one is replaced.
    Entry& AddFile(std::u16string_view path, const FileTimes& times = {},
                   std::uint32_t attributes = 0x20, std::u16string_view content = {});
    // Deletes the file, or the folder when it is empty; its index is free again.
    void Remove(std::u16string_view path);

    const Entry* Find(std::u16string_view path) const;
    Entry* Find(std::u16string_view path);
    bool Exists(std::u16string_view path) const { return Find(path) != nullptr; }
    // Every file (not folder), in no particular order.
    std::vector<const Entry*> Files() const;

    std::uint32_t GetAttributes(const std::u16string& path) override;
    bool SetAttributes(const std::u16string& path, std::uint32_t attributes) override;
    std::unique_ptr<OpenFile> OpenForRead(const std::u16string& path) override;
    std::unique_ptr<OpenFile> OpenForWrite(const std::u16string& path) override;
    FileIdentity ReadIdentity(const std::u16string& path) override;
    MoveOutcome Move(const std::u16string& from, const std::u16string& to) override;
    bool ListEntries(const std::u16string& folder, std::vector<FolderEntry>& entries) override;

    // A path as the platform resolves it: "." and ".." taken out, trailing
    // dots and blanks of each component dropped, ".." stopping at the drive.
    // None for an empty path or an empty component.
    static std::optional<std::u16string> Resolve(std::u16string_view path);

private:
    class Handle;
    std::unique_ptr<OpenFile> Open(const std::u16string& path, bool forWriting);
    static std::u16string Key(std::u16string_view resolved);

    FileIdentity IdentityOf(const Entry& entry) const;
    std::uint64_t NewIndex();
    std::uint64_t KeptCreationTime(std::uint64_t time) const;

    std::unordered_map<std::u16string, Entry> entries_;
    std::uint64_t nextIndex_ = 0x1000;
    std::vector<std::uint64_t> freedIndexes_;
};

}  // namespace qm
