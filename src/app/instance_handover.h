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

// Lets the running Quillmoth come to the front and hands it the batch. False
// when no running Quillmoth took it within `waitMs` (it may still be starting).
bool HandOverToRunningInstance(const OutsideBatch& batch, DWORD waitMs = 10000);

// The hidden window's WM_COPYDATA: TRUE when it was a hand-over in the one
// form that is accepted; anything else is ignored and answered with FALSE.
LRESULT ReceiveHandover(const COPYDATASTRUCT* data);

}  // namespace qm
