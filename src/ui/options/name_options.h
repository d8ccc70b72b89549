#pragma once
// The controls of the Name group: "Find and replace", "Case" and "From List"
// with its file; and the message when no name can be made.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "core/naming/name_list.h"
#include "core/settings/app_settings.h"

namespace qm {

// The limits of the find and replace boxes and the choices of "Case" with
// the stored one chosen, set while the window opens.
void SetUpNameOptions(HWND mainWindow);

// The tip of "From List", made with the other tips once the window is on
// screen: it may have to read the list's file.
void MakeNameListTip(HWND mainWindow);

// "Case" as its stored number (NameCase), and choosing one.
std::uint32_t ChosenNameCase(HWND mainWindow);
void ChooseNameCase(HWND mainWindow, std::uint32_t number);

// The list in the file `settings.NameList` names: the one read before while
// the file is unchanged, read again when it has changed or with `reread`.
std::shared_ptr<const NameList> CurrentNameList(const AppSettings& settings, bool reread = false);

// A click on "From List": ticked while no file is chosen, it lets the user
// pick one, and is unticked again when none is picked. The list is read anew.
void OnFromListClicked(HWND mainWindow);

// The button beside "From List": picks the file and ticks the box.
void PickNameList(HWND mainWindow);

// The tip of "From List": what it does, its file and how many names it holds.
void ShowNameListTip(HWND mainWindow);

// Shows why no name can be made; "Start" then touches no file.
void ShowNameProblem(HWND mainWindow, const std::u16string& message);

}  // namespace qm
