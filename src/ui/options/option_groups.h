#pragma once
// The option groups of the main window: each "Main Control" box enables the
// controls of its group; the "Auto" boxes and the upper/lower case pairs.
#include <windows.h>

namespace qm {

// Group 1 stands for all; 2 "File Names", 3 "Extensions", 4 "Date",
// 5 "Attributes", and FindReplaceGroup, which "Keep Name" or "From List"
// governs inside group 2 (so it follows group 2 as well).
inline constexpr int FindReplaceGroup = 6;
void EnableOptionGroups(HWND window, int group);

// A click on an "Auto" box (1022, 1027 or 1049). These clicks change the
// options: the caller refreshes the preview after them.
void OnAutoBoxClicked(HWND window, int autoBoxId);

// A click on a "Folder" box (prefix or suffix): "Auto" of its side is
// turned off, as a click on it would. A click on "Auto" that turns it on
// unchecks "Folder" of its side in turn.
void OnFolderBoxClicked(HWND window, int folderBoxId);

// A click on an "Uppercase" or "Lowercase" box, or on "Keep Name" or "From
// List": the other box of its pair is unchecked.
void OnCaseBoxClicked(HWND window, int caseBoxId);

}  // namespace qm
