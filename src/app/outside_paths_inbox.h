#pragma once
// Paths from outside (the command line, a second start) wait here until the
// main window, on the user-interface thread, takes them. They arrive on the
// main thread, whose hidden window must never wait for the main window.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace qm {

// One hand-over: full paths, and "@" with the full path of a list file. An
// empty batch only asks for the window to come to the front.
using OutsideBatch = std::vector<std::u16string>;

// Queues a batch and, if the main window is open, posts it CmdTakeOutsidePaths.
// False, and nothing queued, once the main window has closed the inbox: no
// one would take the batch any more.
bool PutOutsideBatch(OutsideBatch batch);

// The main window takes batches from now on (it is told of any that wait),
// or no longer: it closes the inbox when it starts to close.
void OpenOutsideInbox(HWND mainWindow);
void CloseOutsideInbox();

// The oldest waiting batch, or none.
std::optional<OutsideBatch> TakeOutsideBatch();

}  // namespace qm
