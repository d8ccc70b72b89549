#include "win32/files/platform_file_system.h"

#include <windows.h>
#include <winternl.h>

#include <algorithm>
#include <cstring>

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

// The 64-bit file index that GetFileInformationByHandle reports, asked for
// alone: GetFileInformationByHandle also asks the volume for its serial
// number with every call, which takes Wine some 5 ms a file; the index alone
// takes it 12 us. 0 when the file system keeps none.
std::uint64_t FileIndex(HANDLE file) {
    using Query = LONG(NTAPI*)(HANDLE, IO_STATUS_BLOCK*, void*, ULONG, int);
    static const auto query =
        reinterpret_cast<Query>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationFile")));
    constexpr int FileInternalInformation = 6;
    IO_STATUS_BLOCK status{};
    LARGE_INTEGER index{};
    if (!query || query(file, &status, &index, sizeof(index), FileInternalInformation) < 0) return 0;
    return static_cast<std::uint64_t>(index.QuadPart);
}

// FAT and exFAT give a file a new index when it is renamed.
bool KeepsIndex(const wchar_t* fileSystem) {
    return CompareStringOrdinal(fileSystem, 3, L"FAT", 3, TRUE) != CSTR_EQUAL &&
           CompareStringOrdinal(fileSystem, -1, L"exFAT", -1, TRUE) != CSTR_EQUAL;
}

// The 128-bit id (FileIdInfo, FILE_ID_INFO), named here because the headers
// offer it only to programs for Windows 8 and later; Windows 7 refuses the
// class, and its volumes are then known by the index.
constexpr auto FileIdInfoClass = static_cast<FILE_INFO_BY_HANDLE_CLASS>(18);
struct WideFileId {
    ULONGLONG volumeSerial;
    BYTE id[16];
};

bool ReadWideFileId(HANDLE file, WideFileId& wide) {
    return GetFileInformationByHandleEx(file, FileIdInfoClass, &wide, sizeof(wide)) != FALSE;
}

// What the first file of a volume shows of its 128-bit ids. Asking for the
// 128-bit id takes Wine some 0.5 ms a file, the index alone 12 us: where the
// volume's ids fit in 64 bits (NTFS documents its high half as zero), the
// index is read instead, as the id's low half.
PlatformFileSystem::Volume::Ids IdsOfVolume(HANDLE file, const wchar_t* fileSystem, std::uint64_t& serial64) {
    using Ids = PlatformFileSystem::Volume::Ids;
    if (!KeepsIndex(fileSystem)) return Ids::SizeAndCreation;
    WideFileId wide{};
    if (!ReadWideFileId(file, wide)) return Ids::Index;
    serial64 = wide.volumeSerial;
    std::uint64_t low = 0, high = 0;
    std::memcpy(&low, wide.id, 8);
    std::memcpy(&high, wide.id + 8, 8);
    const bool refs = CompareStringOrdinal(fileSystem, -1, L"ReFS", -1, TRUE) == CSTR_EQUAL;
    return !refs && high == 0 && low == FileIndex(file) ? Ids::NarrowFileId : Ids::WideFileId;
}

class PlatformFile : public OpenFile {
public:
    PlatformFile(UniqueHandle handle, PlatformFileSystem& files, const std::u16string& path)
        : handle_(std::move(handle)), files_(files), path_(path) {}

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

    FileIdentity ReadIdentity() override {
        return IdentityOfOpenFile(handle_.get(), files_.VolumeOf(path_, handle_.get()));
    }
    // From the handle, which Wine answers in some 1 us; by the path it takes 5 us.
    std::uint32_t ReadAttributes() override {
        FILE_BASIC_INFO basic{};
        if (GetFileInformationByHandleEx(handle_.get(), FileBasicInfo, &basic, sizeof(basic)))
            return basic.FileAttributes;
        return GetFileAttributesW(Wide(path_));
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
    PlatformFileSystem& files_;
    std::u16string path_;
};

}  // namespace

FileIdentity IdentityOfOpenFile(void* file, const PlatformFileSystem::Volume& volume) {
    using Ids = PlatformFileSystem::Volume::Ids;
    FileIdentity identity;
    // The creation time and the attributes in one call, which costs Wine 1 us.
    // A device gives none, and stays unknown. (GetFileType is not asked: under
    // Wine it moves the file's access time.)
    FILE_BASIC_INFO basic{};
    if (!GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof(basic))) return identity;
    constexpr DWORD NotAFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
    if ((basic.FileAttributes & NotAFile) != 0) {
        identity.kind = FileIdentity::Kind::NotAFile;
        return identity;
    }
    identity.created = static_cast<std::uint64_t>(basic.CreationTime.QuadPart);
    if (volume.ids == Ids::WideFileId) {
        WideFileId wide{};
        if (ReadWideFileId(file, wide)) {
            identity.kind = FileIdentity::Kind::FileId;
            identity.volume = wide.volumeSerial;
            std::memcpy(&identity.id, wide.id, 8);
            std::memcpy(&identity.idHigh, wide.id + 8, 8);
            return identity;
        }
    } else if (volume.ids != Ids::SizeAndCreation) {
        if (const std::uint64_t index = FileIndex(file); index != 0) {
            const bool narrow = volume.ids == Ids::NarrowFileId;
            identity.kind = narrow ? FileIdentity::Kind::FileId : FileIdentity::Kind::Index;
            identity.volume = narrow ? volume.serial64 : volume.serial;
            identity.id = index;
            return identity;
        }
    }
    // FAT, exFAT and shares without an index: the size and the creation time.
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size)) return {};
    identity.kind = FileIdentity::Kind::SizeAndCreation;
    identity.volume = volume.serial;
    identity.id = static_cast<std::uint64_t>(size.QuadPart);
    return identity;
}

const PlatformFileSystem::Volume& PlatformFileSystem::VolumeOf(const std::u16string& path, void* file) {
    const std::size_t slash = path.rfind(u'\\');
    std::u16string folder = path.substr(0, slash == std::u16string::npos ? 0 : slash);
    const auto known = byFolder_.find(folder);
    if (known != byFolder_.end()) return known->second;

    // A file lies on the volume of its folder; the root that names the
    // volume is asked for once (it takes Wine some 50 ms).
    Volume volume;
    wchar_t root[MAX_PATH + 1] = {};
    if (GetVolumePathNameW(Wide(path), root, MAX_PATH + 1)) {
        const std::u16string rootKey(reinterpret_cast<const char16_t*>(root));
        const auto asked = byRoot_.find(rootKey);
        if (asked != byRoot_.end()) {
            volume = asked->second;
        } else {
            wchar_t fileSystem[MAX_PATH + 1] = {};
            DWORD serial = 0;
            if (GetVolumeInformationW(root, nullptr, 0, &serial, nullptr, nullptr, fileSystem, MAX_PATH + 1)) {
                volume.serial = serial;
                volume.serial64 = serial;
                volume.ids = IdsOfVolume(file, fileSystem, volume.serial64);
            }
            byRoot_.emplace(rootKey, volume);
        }
    }
    return byFolder_.emplace(std::move(folder), volume).first->second;
}

std::uint32_t PlatformFileSystem::GetAttributes(const std::u16string& path) {
    return GetFileAttributesW(Wide(path));
}

bool PlatformFileSystem::SetAttributes(const std::u16string& path, std::uint32_t attributes) {
    return SetFileAttributesW(Wide(path), attributes) != FALSE;
}

std::unique_ptr<OpenFile> PlatformFileSystem::OpenExclusive(const std::u16string& path, unsigned long access) {
    UniqueHandle handle(CreateFileW(Wide(path), access, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.valid()) return nullptr;
    return std::make_unique<PlatformFile>(std::move(handle), *this, path);
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

FileIdentity PlatformFileSystem::ReadIdentity(const std::u16string& path) {
    // Asking for the attributes alone shares with everyone: a file that
    // another program holds open can still be told apart. A folder opens only
    // with backup semantics, and a link is opened itself, not what it leads
    // to, so that either is seen as what it is.
    const UniqueHandle file(CreateFileW(Wide(path), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                        nullptr));
    if (!file.valid()) return {};
    return IdentityOfOpenFile(file.get(), VolumeOf(path, file.get()));
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
