#pragma once
// Paths from the command line, and how a second start hands them to the
// Quillmoth that runs already: WM_COPYDATA to its hidden window, whose class
// "MainWindow" finds it (the single-instance mutex only tells that it runs).
#include <windows.h>

#include <string>
#include <vector>

#include "app/outside_paths_inbox.h"

namespace qm {

// "@LIST" becomes "@" and the full path of the list file, any other word the
// full path that it names, taken from the current folder; empty words go.
OutsideBatch EntriesOfArguments(const std::vector<std::u16string>& arguments);

// The entries of this process's own command line.
OutsideBatch CommandLineEntries();

enum class HandoverOutcome {
    Taken,      // the running Quillmoth has the batch and comes to the front
    TookOver,   // none was left to take it, and this process is now the one
    NotTaken,   // one runs but did not take it within the wait
};

// Lets the running Quillmoth come to the front and hands it the batch. While
// none takes it (it may still be starting, be closing, or hang), asks
// `becomeTheOne` whether this process can take its place, until `waitMs` have
// passed.
HandoverOutcome HandOverToRunningInstance(const OutsideBatch& batch, bool (*becomeTheOne)(),
                                          DWORD waitMs = 10000);

// The text of the message of a second start whose paths no Quillmoth took.
std::wstring PathsNotAddedText(std::size_t count);

// The hidden window's WM_COPYDATA: TRUE when it was a hand-over in the one
// form that is accepted; anything else is ignored and answered with FALSE.
LRESULT ReceiveHandover(const COPYDATASTRUCT* data);

}  // namespace qm
