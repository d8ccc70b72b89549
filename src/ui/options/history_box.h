#pragma once
// The drop-down history of a prefix or suffix box (a combo box with an edit field).
#include <windows.h>

#include <string>
#include <string_view>

namespace qm {

// Puts `text` at the top of the box's list and into its edit field; 0 when done
// (also for an empty text, which changes nothing).
int AddToHistory(HWND comboBox, std::u16string_view text);

// Entry `index` of the box's list; empty when there is none.
std::u16string HistoryEntry(HWND comboBox, std::size_t index);

// The box's edit text, at most 1023 units.
std::u16string BoxText(HWND comboBox);
void SetBoxText(HWND comboBox, std::u16string_view text);

}  // namespace qm
