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
        std::uint32_t serial = 0;
        bool keepsIndex = false;  // false on FAT and exFAT, and where the volume cannot be asked
    };
    // The volume that holds the file at `path`, asked once per folder.
    const Volume& VolumeOf(const std::u16string& path);

private:
    std::unique_ptr<OpenFile> OpenExclusive(const std::u16string& path, unsigned long access);

    std::unordered_map<std::u16string, Volume> byFolder_;
    std::unordered_map<std::u16string, Volume> byRoot_;
};

// The identity of the file open as `file` on `volume`.
FileIdentity IdentityOfOpenFile(void* file, const PlatformFileSystem::Volume& volume);

}  // namespace qm::win32
