#pragma once
// "Add Folder": the platform's folder picker with the "Files" box and its
// history, and the choices "Include subfolders" and "Include hidden and system
// files", then every file of the folder or of its tree that the box names into
// the list.
#include <windows.h>

#include <string>

#include "core/outside/folder_walk.h"

namespace qm {

// Shows the picker and adds what it gives; nothing when it is cancelled.
void AddFilesFromFolder(HWND mainWindow);

// Adds the files of `folder` (of its tree with `subfolders`), showing progress
// in cell 1085 on large trees; Esc stops. Hidden and system files and folders
// are left out unless the picker's choice, kept in the settings, adds them.
// One message at the end counts what could not be opened, the links that
// were not followed and what was left out.
FolderWalkResult AddFolderToList(HWND mainWindow, const std::u16string& folder, bool subfolders);

// The text of that message; empty when there is nothing to say.
std::u16string FolderWalkMessage(const FolderWalkResult& result);

}  // namespace qm
