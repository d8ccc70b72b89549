#include "win32/files/journal_file.h"

#include <windows.h>

namespace qm::win32 {

namespace {

std::wstring Beside(const std::wstring& path, std::wstring_view name) {
    if (path.empty()) return {};
    const std::size_t slash = path.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
    return folder + std::wstring(name);
}

}  // namespace

std::wstring JournalFilePath(const std::wstring& settingsPath) { return Beside(settingsPath, L"lastrun.txt"); }

std::wstring AsideJournalPath(const std::wstring& journalPath) {
    return Beside(journalPath, L"lastrun-unreadable.txt");
}

JournalFileRead ReadJournalFile(const std::wstring& path, FileBytes& bytes) {
    if (path.empty()) return JournalFileRead::Missing;
    bool missing = false;
    if (ReadFileBytes(path, bytes, &missing) == 0) return JournalFileRead::Read;
    return missing ? JournalFileRead::Missing : JournalFileRead::Unreadable;
}

int WriteJournalFile(const std::wstring& path, std::string_view bytes) {
    return ReplaceFileContents(path, {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
}

int WriteJournalFile(const std::wstring& path, const JournalHeader& header, std::span<const JournalEntry> entries) {
    return ReplaceFileContents(path, [&](HANDLE file) {
        return FormatRunJournal(header, entries, [file](std::string_view piece) {
            return WriteAllFileBytes(file, {reinterpret_cast<const std::uint8_t*>(piece.data()), piece.size()});
        });
    });
}

int RemoveJournalFile(const std::wstring& path) {
    if (path.empty()) return -1;
    if (DeleteFileW(path.c_str())) return 0;
    return GetLastError() == ERROR_FILE_NOT_FOUND ? 0 : -1;
}

int KeepJournalAside(const std::wstring& path) {
    if (path.empty()) return -1;
    return MoveFileExW(path.c_str(), AsideJournalPath(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
               ? 0
               : -1;
}

}  // namespace qm::win32
