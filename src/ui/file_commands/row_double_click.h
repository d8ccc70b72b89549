#pragma once
// A double-click on a file row: rename that one file (and advance "Offset"),
// or copy its name into the prefix or suffix box, as the settings choose.
#include <windows.h>

#include <string>
#include <string_view>

namespace qm {

void RowDoubleClick(HWND mainWindow, long row);

// A file name cut at its last "." (the "." and what follows go).
std::u16string NameBeforeLastDot(std::u16string_view name);

}  // namespace qm
