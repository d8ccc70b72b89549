#pragma once
// The controls of "Find and replace": the limits of their boxes, and the
// message when no name can be made.
#include <windows.h>

#include <string>

namespace qm {

// The length limits of the find and replace boxes, set while the window opens.
void SetUpNameOptions(HWND mainWindow);

// Shows why no name can be made; "Start" then touches no file.
void ShowNameProblem(HWND mainWindow, const std::u16string& message);

}  // namespace qm
