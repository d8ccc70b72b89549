#pragma once
// The file layer on the platform's own calls: CreateFileW without sharing,
// GetFileTime and SetFileTime, GetFileAttributesW and SetFileAttributesW, and
// MoveFileW, which never replaces a file.
#include "core/rows/file_system.h"

namespace qm::win32 {

class PlatformFileSystem : public FileSystem {
public:
    std::uint32_t GetAttributes(const std::u16string& path) override;
    bool SetAttributes(const std::u16string& path, std::uint32_t attributes) override;
    std::unique_ptr<OpenFile> OpenForRead(const std::u16string& path) override;
    std::unique_ptr<OpenFile> OpenForWrite(const std::u16string& path) override;
    MoveOutcome Move(const std::u16string& from, const std::u16string& to) override;
    bool ListEntries(const std::u16string& folder, std::vector<FolderEntry>& entries) override;
};

}  // namespace qm::win32
