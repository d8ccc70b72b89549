#pragma once
// The run journal kept in its file, "lastrun.txt" beside the settings file,
// for the core's keeping of the journal around runs and undos.
#include <windows.h>

#include <string>

#include "core/run/journal_keeping.h"
#include "win32/unique_handle.h"

namespace qm::win32 {

class JournalFileStore : public JournalStore {
public:
    explicit JournalFileStore(std::wstring path) : path_(std::move(path)) {}
    const std::wstring& path() const { return path_; }

    Found Read(std::vector<std::uint8_t>& bytes) override;
    // Read a block at a time: never the whole file in memory beside its rows.
    Found ReadJournal(JournalReading& reading, LocalOffset localOffset) override;
    bool Write(const JournalHeader& header, std::span<const JournalEntry> entries) override;
    bool WriteBytes(std::span<const std::uint8_t> bytes) override;
    bool Remove() override;
    // Through one handle kept open for appending until the journal is next
    // written whole (the steps of a run, one short write each).
    bool Append(std::string_view line) override;

    // Why the last write failed, in the system's words; empty when it gave none.
    std::wstring FailureText() const;

private:
    bool Noted(int result);

    std::wstring path_;
    DWORD failure_ = 0;
    UniqueHandle append_;
};

}  // namespace qm::win32
