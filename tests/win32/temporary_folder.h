#pragma once
// A temporary folder that goes away with its files, and whole-file reads and
// writes, for the tests that work on real files.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace qm::test {

// A new empty folder under the temporary folder, removed with its files.
class TemporaryFolder {
public:
    TemporaryFolder() {
        wchar_t base[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, base);
        for (unsigned n = GetTickCount() ^ GetCurrentProcessId();; ++n) {
            path_ = std::wstring(base) + L"quillmoth-test-" + std::to_wstring(n);
            if (CreateDirectoryW(path_.c_str(), nullptr)) break;
        }
    }
    ~TemporaryFolder() { Remove(path_); }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::wstring& path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

    std::vector<std::wstring> Names() const { return NamesIn(path_); }

    // The names in any folder, sorted.
    static std::vector<std::wstring> NamesIn(const std::wstring& folder) {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..") names.push_back(name);
        } while (FindNextFileW(search, &found));
        FindClose(search);
        std::sort(names.begin(), names.end());
        return names;
    }

    // Any folder with all it holds.
    static void Remove(const std::wstring& folder) {
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name == L"." || name == L"..") continue;
                const std::wstring full = folder + L"\\" + name;
                SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    Remove(full);
                else
                    DeleteFileW(full.c_str());
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(folder.c_str());
    }

private:
    std::wstring path_;
};

inline std::vector<std::uint8_t> FileContent(const std::wstring& path) {
    std::vector<std::uint8_t> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    std::uint8_t chunk[65536];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0)
        bytes.insert(bytes.end(), chunk, chunk + got);
    CloseHandle(file);
    return bytes;
}

inline bool PutFileContent(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD wrote = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
    CloseHandle(file);
    return ok && wrote == bytes.size();
}

}  // namespace qm::test
