#pragma once
// The run journal's file: "lastrun.txt" in the folder of the settings file,
// written the way the settings file is (a new file, flushed, then moved over
// the old one), so that it is always either the old journal or the new one.
#include <string>
#include <string_view>

#include "core/run/run_journal.h"
#include "win32/settings/settings_file_io.h"

namespace qm::win32 {

// The journal beside `settingsPath`; empty when that is empty.
std::wstring JournalFilePath(const std::wstring& settingsPath);
// Where a journal that cannot be read is kept for a person to look at.
std::wstring AsideJournalPath(const std::wstring& journalPath);

enum class JournalFileRead { Read, Missing, Unreadable };
JournalFileRead ReadJournalFile(const std::wstring& path, FileBytes& bytes);

// 0 when the new journal is in place and on the disk, -1 otherwise.
int WriteJournalFile(const std::wstring& path, std::string_view bytes);
// The same, the journal made from `entries` piece by piece as it is written.
int WriteJournalFile(const std::wstring& path, const JournalHeader& header, std::span<const JournalEntry> entries);
// 0 when no journal is left at `path`.
int RemoveJournalFile(const std::wstring& path);
// Moves the journal to AsideJournalPath, replacing an older one kept there.
int KeepJournalAside(const std::wstring& path);

}  // namespace qm::win32
