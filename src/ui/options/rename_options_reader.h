#pragma once
// The rename options as the main window's controls show them right now.
#include <windows.h>

#include "core/run/rename_run.h"
#include "core/settings/app_settings.h"

namespace qm {

bool IsChecked(HWND window, int controlId);

// Everything but the extension table, which only a run needs (a refresh would
// otherwise read every row of it).
RenameOptions ReadRenameOptions(HWND window, const AppSettings& settings);

// The rows of the extension list 1082, for a run.
std::vector<ExtensionMapping> ReadExtensionMap(HWND window);

}  // namespace qm
