#pragma once
// The drop-down history of a prefix or suffix box (a combo box with an edit field).
#include <windows.h>

#include <span>
#include <string>
#include <string_view>

namespace qm {

// Puts `text` at the top of the box's list and into its edit field; 0 when done
// (also for an empty text, which changes nothing).
int AddToHistory(HWND comboBox, std::u16string_view text);

// A history box of the main window and the "Auto" box that fills it with a
// time stamp instead (0: none).
struct HistoryBoxOfRun {
    int boxId;
    int autoBoxId;
};

// At the start of a run: the text of each box to the top of its history,
// except where its "Auto" box is ticked.
void AddTypedTextsToHistories(HWND window, std::span<const HistoryBoxOfRun> boxes);

// Entry `index` of the box's list; empty when there is none.
std::u16string HistoryEntry(HWND comboBox, std::size_t index);

// The box's edit text, at most 1023 units.
std::u16string BoxText(HWND comboBox);
void SetBoxText(HWND comboBox, std::u16string_view text);

}  // namespace qm
