#include "win32/files/journal_file_store.h"

#include "win32/files/journal_file.h"

#include <algorithm>

namespace qm::win32 {

JournalStore::Found JournalFileStore::Read(std::vector<std::uint8_t>& bytes) {
    FileBytes read;
    switch (ReadJournalFile(path_, read)) {
        case JournalFileRead::Read: break;
        case JournalFileRead::Missing: return Found::Missing;
        case JournalFileRead::Unreadable: return Found::Unreadable;
    }
    bytes.assign(read.bytes().begin(), read.bytes().end());
    return Found::Read;
}

JournalStore::Found JournalFileStore::ReadJournal(JournalReading& reading, LocalOffset localOffset) {
    if (path_.empty()) return Found::Missing;
    const UniqueHandle file(CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid()) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? Found::Missing : Found::Unreadable;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return Found::Unreadable;
    bool failed = false;
    reading = ReadRunJournal(
        [&](char* into, std::size_t room) -> std::size_t {
            DWORD got = 0;
            const DWORD want = static_cast<DWORD>(std::min<std::size_t>(room, 1u << 30));
            if (failed || !ReadFile(file.get(), into, want, &got, nullptr)) {
                failed = true;
                return 0;
            }
            return got;  // 0: the end, or the file became shorter while being read
        },
        static_cast<std::size_t>(size.QuadPart), localOffset);
    if (failed) {
        reading = JournalReading{};
        return Found::Unreadable;
    }
    return Found::Read;
}

// The reason of a failed write is the last error the write left behind:
// the calls that tidy up after it succeed and leave it as it is.
bool JournalFileStore::Noted(int result) {
    failure_ = result == 0 ? 0 : GetLastError();
    return result == 0;
}

bool JournalFileStore::Write(const JournalHeader& header, std::span<const JournalEntry> entries) {
    append_.reset();  // the new file is moved over the old one
    SetLastError(0);
    return Noted(WriteJournalFile(path_, header, entries));
}

bool JournalFileStore::WriteBytes(std::span<const std::uint8_t> bytes) {
    append_.reset();
    SetLastError(0);
    return Noted(WriteJournalFile(path_, {reinterpret_cast<const char*>(bytes.data()), bytes.size()}));
}

bool JournalFileStore::Remove() {
    append_.reset();
    return RemoveJournalFile(path_) == 0;
}

bool JournalFileStore::Append(std::string_view line) {
    if (!append_.valid()) {
        append_ = UniqueHandle(CreateFileW(path_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!append_.valid()) return false;
    }
    return WriteAllFileBytes(append_.get(), {reinterpret_cast<const std::uint8_t*>(line.data()), line.size()});
}

std::wstring JournalFileStore::FailureText() const {
    if (failure_ == 0) return {};
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, failure_, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring reason(text ? text : L"", length);
    if (text) LocalFree(text);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' ' ||
                               reason.back() == L'.'))
        reason.pop_back();
    if (reason.empty()) reason = L"error " + std::to_wstring(failure_);
    return reason;
}

}  // namespace qm::win32
