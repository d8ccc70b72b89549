#pragma once
// Private WM_COMMAND identifiers, posted with lParam 0.

namespace qm {

inline constexpr unsigned CmdRefresh = 15000;  // main window: refresh the status line
inline constexpr unsigned CmdStartUi = 15002;  // hidden window: start the user-interface thread
inline constexpr unsigned CmdUiEnded = 15005;  // hidden window: the main window has ended
inline constexpr unsigned CmdTakeOutsidePaths = 15010;  // main window: paths from outside wait
inline constexpr unsigned CmdSelectionChanged = 15006;  // main window: show the file list's selected count
inline constexpr unsigned CmdDatesTaken = 15021;  // main window: dates taken were read
inline constexpr unsigned CmdFinishOpening = 15022;  // main window: painted, what could wait (the tips)

}  // namespace qm
