#include "win32/platform_file_system.h"

#include <windows.h>

#include <algorithm>

#include "win32/unique_handle.h"

namespace qm::win32 {

namespace {

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

FILETIME ToFileTime(std::uint64_t value) {
    return {static_cast<DWORD>(value & 0xFFFFFFFFu), static_cast<DWORD>(value >> 32)};
}

std::uint64_t FromFileTime(const FILETIME& value) {
    return (static_cast<std::uint64_t>(value.dwHighDateTime) << 32) | value.dwLowDateTime;
}

class PlatformFile : public OpenFile {
public:
    explicit PlatformFile(UniqueHandle handle) : handle_(std::move(handle)) {}

    FileTimes ReadTimes() override {
        FILETIME created{}, accessed{}, written{};
        GetFileTime(handle_.get(), &created, &accessed, &written);
        return {FromFileTime(created), FromFileTime(accessed), FromFileTime(written)};
    }

    void WriteTimes(const std::uint64_t* created, const std::uint64_t* accessed,
                    const std::uint64_t* written) override {
        const FILETIME c = ToFileTime(created ? *created : 0);
        const FILETIME a = ToFileTime(accessed ? *accessed : 0);
        const FILETIME w = ToFileTime(written ? *written : 0);
        SetFileTime(handle_.get(), created ? &c : nullptr, accessed ? &a : nullptr, written ? &w : nullptr);
    }

    std::uint64_t Size() override {
        LARGE_INTEGER size{};
        return GetFileSizeEx(handle_.get(), &size) ? static_cast<std::uint64_t>(size.QuadPart) : 0;
    }

    // At an offset, without moving the file pointer: the handle is synchronous,
    // so the offset in OVERLAPPED is only where the read starts.
    std::size_t ReadAt(std::uint64_t offset, void* into, std::size_t length) override {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD got = 0;
        const auto asked = static_cast<DWORD>(std::min<std::size_t>(length, 0x7FFFFFFF));
        return ReadFile(handle_.get(), into, asked, &got, &at) ? got : 0;
    }

private:
    UniqueHandle handle_;
};

std::unique_ptr<OpenFile> OpenExclusive(const std::u16string& path, DWORD access) {
    UniqueHandle handle(CreateFileW(Wide(path), access, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.valid()) return nullptr;
    return std::make_unique<PlatformFile>(std::move(handle));
}

}  // namespace

std::uint32_t PlatformFileSystem::GetAttributes(const std::u16string& path) {
    return GetFileAttributesW(Wide(path));
}

bool PlatformFileSystem::SetAttributes(const std::u16string& path, std::uint32_t attributes) {
    return SetFileAttributesW(Wide(path), attributes) != FALSE;
}

std::unique_ptr<OpenFile> PlatformFileSystem::OpenForRead(const std::u16string& path) {
    // With the right to set its times, so that reading a photo's date can
    // put back the access time that the read moved; without, where that is denied.
    if (std::unique_ptr<OpenFile> file = OpenExclusive(path, GENERIC_READ | FILE_WRITE_ATTRIBUTES)) return file;
    if (GetLastError() != ERROR_ACCESS_DENIED) return nullptr;
    return OpenExclusive(path, GENERIC_READ);
}

std::unique_ptr<OpenFile> PlatformFileSystem::OpenForWrite(const std::u16string& path) {
    return OpenExclusive(path, GENERIC_WRITE);
}

MoveOutcome PlatformFileSystem::Move(const std::u16string& from, const std::u16string& to) {
    if (MoveFileW(Wide(from), Wide(to))) return MoveOutcome::Moved;
    const DWORD error = GetLastError();
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? MoveOutcome::TargetExists
                                                                       : MoveOutcome::Refused;
}

bool PlatformFileSystem::ListEntries(const std::u16string& folder, std::vector<FolderEntry>& entries) {
    entries.clear();
    const std::u16string pattern = folder + u"\\*";
    WIN32_FIND_DATAW found{};
    // The basic level skips the short names; large fetches cut the round trips on big folders.
    const HANDLE search = FindFirstFileExW(Wide(pattern), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                           FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) return false;
    do {
        const std::u16string_view name(reinterpret_cast<const char16_t*>(found.cFileName));
        if (name != u"." && name != u"..") entries.push_back({std::u16string(name), found.dwFileAttributes});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return true;
}

}  // namespace qm::win32
