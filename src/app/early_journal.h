#pragma once
// The run journal read on a thread of its own from the moment the process
// has its hidden window, while the main window is made, so that a long
// journal does not keep the window from the screen. The window takes what was
// read where it would have read the file itself.
#include <optional>
#include <string>

#include "core/run/journal_keeping.h"

namespace qm {

// Starts reading the journal at `path`.
void StartEarlyJournalRead(const std::wstring& path);

// What the early read found, waiting for it if need be, when it was started
// for `path` and not taken yet; none otherwise. The rows of a run that ended
// are left out: nothing is done with them when the window opens.
std::optional<StoredJournal> TakeEarlyJournal(const std::wstring& path);

}  // namespace qm
