#pragma once
// Real files for the benchmarks and the stress program, and their timing.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "../timing.h"

namespace qm::bench {

struct FileRecord {
    std::wstring name;
    std::uint64_t hash = 0;
    std::uint64_t accessed = 0, written = 0;
    DWORD attributes = 0;  // read-only, hidden and system only
};

std::uint64_t ContentHash(const std::wstring& path);   // FNV-1a of the file's bytes
std::uint64_t ContentHash(const std::string& content);
void WriteFile(const std::wstring& path, const std::string& content);
void SetTimes(const std::wstring& path, std::uint64_t accessed, std::uint64_t written);
// What the stress check compares: content, the two times the platform keeps, R, H, S.
// The times are read before the contents, whose reading may move the access time.
FileRecord Record(const std::wstring& folder, const std::wstring& name);
// The names in a folder, sorted.
std::vector<std::wstring> NamesIn(const std::wstring& folder);

}  // namespace qm::bench
