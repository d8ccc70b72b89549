#include "bench_files.h"

#include "win32/temporary_folder.h"

#include <algorithm>
#include <chrono>

namespace qm::bench {

namespace {
std::uint64_t Value(const FILETIME& f) { return (static_cast<std::uint64_t>(f.dwHighDateTime) << 32) | f.dwLowDateTime; }
FILETIME Time(std::uint64_t v) { return {static_cast<DWORD>(v), static_cast<DWORD>(v >> 32)}; }
}  // namespace

std::uint64_t ContentHash(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    std::string content;
    char chunk[65536];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) content.append(chunk, got);
    CloseHandle(file);
    return ContentHash(content);
}

void WriteFile(const std::wstring& path, const std::string& content) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD wrote = 0;
    ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &wrote, nullptr);
    CloseHandle(file);
}

void SetTimes(const std::wstring& path, std::uint64_t accessed, std::uint64_t written) {
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const FILETIME a = Time(accessed), w = Time(written);
    SetFileTime(file, nullptr, &a, &w);
    CloseHandle(file);
}

FileRecord Record(const std::wstring& folder, const std::wstring& name) {
    const std::wstring path = folder + L"\\" + name;
    FileRecord record;
    record.name = name;
    // Times first: reading the contents may move the access time.
    HANDLE file = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    FILETIME c{}, a{}, w{};
    GetFileTime(file, &c, &a, &w);
    CloseHandle(file);
    record.accessed = Value(a);
    record.written = Value(w);
    record.attributes = GetFileAttributesW(path.c_str()) &
                        (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    record.hash = ContentHash(path);
    return record;
}

std::uint64_t ContentHash(const std::string& content) {
    std::uint64_t hash = 1469598103934665603ull;
    for (unsigned char c : content) hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

std::vector<std::wstring> NamesIn(const std::wstring& folder) { return test::TemporaryFolder::NamesIn(folder); }

}  // namespace qm::bench
