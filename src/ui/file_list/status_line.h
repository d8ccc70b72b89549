#pragma once
// The three status cells under the file list: the number of rows, the number
// of selected rows and the preview of the next run. The same refresh writes
// the time stamp into an automatic prefix or suffix box.
#include <windows.h>

#include <cstddef>
#include <string>

#include "core/settings/app_settings.h"

namespace qm {

void RefreshStatus(HWND mainWindow);

// The row that the preview shows: the first selected row, or the first row
// (0 also for an empty list).
std::size_t PreviewRow(HWND mainWindow, std::size_t rowCount);

// The time stamp of the source chosen with the radio buttons "Unix", "Win32",
// "Current", "Preset" and "Taken" (the first taking-part row's); empty when
// none is chosen.
std::u16string MakeTimeStamp(HWND mainWindow, const AppSettings& settings);

}  // namespace qm
