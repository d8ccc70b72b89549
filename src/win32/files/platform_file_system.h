#pragma once
// The file layer on the platform's own calls: CreateFileW without sharing,
// GetFileTime and SetFileTime, GetFileAttributesW and SetFileAttributesW, and
// MoveFileW, which never replaces a file. One object serves one operation (an
// adding, a run, an undo) on one thread; it remembers what it learnt of each
// volume meanwhile.
#include <string>
#include <unordered_map>

#include "core/rows/file_system.h"

namespace qm::win32 {

class PlatformFileSystem : public FileSystem {
public:
    std::uint32_t GetAttributes(const std::u16string& path) override;
    bool SetAttributes(const std::u16string& path, std::uint32_t attributes) override;
    std::unique_ptr<OpenFile> OpenForRead(const std::u16string& path) override;
    std::unique_ptr<OpenFile> OpenForWrite(const std::u16string& path) override;
    FileIdentity ReadIdentity(const std::u16string& path) override;
    MoveOutcome Move(const std::u16string& from, const std::u16string& to) override;
    bool ListEntries(const std::u16string& folder, std::vector<FolderEntry>& entries) override;

    // What a volume tells of the identities of its files.
    struct Volume {
        enum class Ids : std::uint8_t {
            SizeAndCreation,  // FAT and exFAT, and where the volume cannot be asked
            Index,            // no 128-bit ids (Windows 7): the 64-bit index
            NarrowFileId,     // 128-bit ids whose high half is zero (NTFS, Wine's drives): read as the index
            WideFileId,       // 128-bit ids that need every bit (ReFS)
        };
        std::uint32_t serial = 0;
        std::uint64_t serial64 = 0;  // as the 128-bit ids name it
        Ids ids = Ids::SizeAndCreation;
    };
    // The volume that holds the file at `path`, asked once per folder, the
    // first file on a volume (open as `file`) telling what its ids are.
    const Volume& VolumeOf(const std::u16string& path, void* file);

private:
    std::unique_ptr<OpenFile> OpenExclusive(const std::u16string& path, unsigned long access);

    std::unordered_map<std::u16string, Volume> byFolder_;
    std::unordered_map<std::u16string, Volume> byRoot_;
};

// The identity of the file open as `file` on `volume`.
FileIdentity IdentityOfOpenFile(void* file, const PlatformFileSystem::Volume& volume);

}  // namespace qm::win32
