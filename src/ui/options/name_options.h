#pragma once
// The controls of "Keep Name", "No Number" and "Find and replace": their limits
// and tips, what they say now, and the find and replace histories.
#include <windows.h>

#include <string>

#include "core/naming/find_replace.h"

namespace qm {

// The length limits of the find and replace boxes, set while the window opens.
void SetUpNameOptions(HWND mainWindow);

// "Find and replace" as the boxes show it now.
FindReplace ReadFindReplace(HWND mainWindow);

// At the start of a run, as the prefix and suffix: both texts to the top of
// their histories.
void AddFindReplaceToHistories(HWND mainWindow);

// The name of the row that the status line previews: the first selected
// row, or the first row; empty without rows.
std::u16string FirstTakingPartName(HWND mainWindow);

// Shows why no name can be made; "Start" then touches no file.
void ShowNameProblem(HWND mainWindow, const std::u16string& message);

}  // namespace qm
