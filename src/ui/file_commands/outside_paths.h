#pragma once
// The main window takes the paths that came from outside: from its own
// command line, or handed over by a second start.
#include <windows.h>

#include "app/outside_paths_inbox.h"

namespace qm {

// CmdTakeOutsidePaths: every waiting batch in turn. The window comes to the
// front, the rows are added as for a drop (a path that cannot be added is
// skipped), and one message per batch names what was skipped. The automatic
// rename after a drop never runs for them.
void TakeOutsidePaths(HWND mainWindow);

// One batch; the number of paths that could not be added.
std::size_t AddOutsideBatch(HWND mainWindow, const OutsideBatch& batch);

}  // namespace qm
