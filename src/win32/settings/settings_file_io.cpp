#include "win32/settings/settings_file_io.h"

#include <algorithm>
#include <new>

namespace qm::win32 {

namespace {

constexpr DWORD LargestChunk = 1u << 30;

struct HandleCloser {
    HANDLE handle;
    ~HandleCloser() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};

}  // namespace

int ReadFileBytes(const std::wstring& path, FileBytes& out, bool* missing) {
    out = FileBytes{};
    if (missing) *missing = false;
    HandleCloser file{CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (missing) *missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return -1;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.handle, &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > SIZE_MAX)
        return -1;
    const std::size_t total = static_cast<std::size_t>(size.QuadPart);
    std::unique_ptr<std::uint8_t[]> data(new (std::nothrow) std::uint8_t[total == 0 ? 1 : total]);
    if (!data) return -1;
    std::size_t done = 0;
    while (done < total) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(total - done, LargestChunk));
        DWORD got = 0;
        if (!ReadFile(file.handle, data.get() + done, want, &got, nullptr)) return -1;
        if (got == 0) break;  // the file became shorter while being read
        done += got;
    }
    out.data = std::move(data);
    out.size = done;
    return 0;
}

bool WriteAllFileBytes(HANDLE file, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, LargestChunk));
        DWORD wrote = 0;
        if (!WriteFile(file, bytes.data() + done, want, &wrote, nullptr) || wrote == 0) return false;
        done += wrote;
    }
    return true;
}

std::wstring ReplacementFilePath(const std::wstring& path) { return path + L".tmp"; }

int ReplaceFileContents(const std::wstring& path, std::span<const std::uint8_t> bytes,
                        FileBytesWriter write) {
    return ReplaceFileContents(path, [&](HANDLE file) { return write(file, bytes); });
}

int ReplaceFileContents(const std::wstring& path, const FileContentFiller& fill) {
    // Without a path the new file would be ".tmp" in the current folder, which may be someone's.
    if (path.empty()) return -1;
    const std::wstring replacement = ReplacementFilePath(path);
    // Left over from an earlier failure, if at all; a read-only mark must not keep it.
    SetFileAttributesW(replacement.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(replacement.c_str());

    // Never the old file itself: a kill or a full disk midway would leave it
    // cut. Without a new file (a leftover one held by a scanner, a folder
    // where files may be written but none made) the write fails.
    HANDLE file = CreateFileW(replacement.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return -1;
    bool complete = fill(file) && FlushFileBuffers(file);
    complete = CloseHandle(file) && complete;
    if (!complete) {
        DeleteFileW(replacement.c_str());
        return -1;
    }

    const DWORD oldAttributes = GetFileAttributesW(path.c_str());
    if (oldAttributes != INVALID_FILE_ATTRIBUTES) {
        const DWORD marks = oldAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        if (marks != 0) SetFileAttributesW(replacement.c_str(), marks);
    }
    if (!MoveFileExW(replacement.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        SetFileAttributesW(replacement.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(replacement.c_str());
        return -1;
    }
    return 0;
}

}  // namespace qm::win32
