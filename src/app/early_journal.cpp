#include "app/early_journal.h"

#include <windows.h>

#include <future>
#include <mutex>

#include "win32/files/journal_file_store.h"
#include "win32/locale/clock.h"

namespace qm {

namespace {

struct EarlyRead {
    std::mutex lock;
    std::wstring path;
    std::future<StoredJournal> journal;
};

EarlyRead& TheEarlyRead() {
    static EarlyRead early;
    return early;
}

StoredJournal ReadJournal(const std::wstring& path) {
    win32::JournalFileStore store(path);
    StoredJournal journal = ReadStoredJournal(store, win32::LocalOffsetNow());
    JournalReading& reading = journal.reading;
    // Freed here, not on the window's thread.
    if (reading.problem == JournalProblem::None && !reading.header.underWay) {
        FileTable().swap(reading.rows);
        std::vector<std::u16string>().swap(reading.plannedNames);
    }
    return journal;
}

}  // namespace

void StartEarlyJournalRead(const std::wstring& path) {
    // No thread for a journal that is not there: the window finds that out itself at once.
    if (path.empty() || GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    EarlyRead& early = TheEarlyRead();
    const std::lock_guard hold(early.lock);
    early.path = path;
    try {
        early.journal = std::async(std::launch::async, ReadJournal, path);
    } catch (const std::system_error&) {
        early.path.clear();  // no thread to be had: the window reads the file itself
    }
}

std::optional<StoredJournal> TakeEarlyJournal(const std::wstring& path) {
    EarlyRead& early = TheEarlyRead();
    const std::lock_guard hold(early.lock);
    if (path.empty() || early.path != path || !early.journal.valid()) return std::nullopt;
    early.path.clear();
    return early.journal.get();
}

}  // namespace qm
