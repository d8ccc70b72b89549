#pragma once
// The file list's "New Name" column: the name "Start" would give each taking-
// part row, in red where the run would fail (or, after a run, did fail), with
// the reason in a tip and the count of clashes in the header.
#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <string>
#include <vector>

#include "core/run/rename_run.h"

namespace qm {

inline constexpr int NewNameColumn = 11;
inline constexpr UINT_PTR NewNameTimer = 0x4E4E;     // the clash pass of a long list, once typing pauses
inline constexpr UINT NewNameRowsMessage = WM_APP + 14;  // a selection change, followed once

enum class NewNamesChange {
    Options,    // something in the window changed; followed only if the names do
    Selection,  // the taking-part rows
    List,       // rows added, removed or moved
    Files,      // the files on disk as well: the folders are listed again
    Activated,  // the window is active again: files may have changed meanwhile
    DatesTaken, // rows got their dates taken; followed only by "Taken" stamps
};

// Adds the column after the eleven others and shows it after "File Name".
void SetUpNewNameColumn(HWND list, int width);

// The column's tip window, made once the window has been painted.
void MakeNewNameTip(HWND list);

// Per row of the table, the name the column shows for it, the full pass made
// first where it is waiting; empty for a row that takes no part.
std::vector<std::u16string> NewNamesOfRows(HWND window);

// Brings the column up to date after `change`.
void FollowNewNames(HWND mainWindow, NewNamesChange change);

// What a command of the main window may have changed.
NewNamesChange ChangeOfCommand(int id);

// Keeps the failures of the run that has just ended as marks until the next
// change of the options or the list.
void NoteRunOutcomes(HWND mainWindow, const std::vector<std::size_t>& rows,
                     const std::vector<RunRowOutcome>& outcomes);

void OnNewNamesTimer(HWND mainWindow);

// The column's text for LVN_GETDISPINFO.
void FillNewNameText(HWND mainWindow, NMLVDISPINFOW& info);

// NM_CUSTOMDRAW of the file list: the red texts.
LRESULT DrawNewNames(HWND mainWindow, NMLVCUSTOMDRAW& draw);

// The tip of a row's new name: why it fails, or else that a "Taken" stamp
// found no date taken; empty otherwise.
std::u16string NewNameTip(HWND mainWindow, std::size_t row);

}  // namespace qm
