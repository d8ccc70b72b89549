#pragma once
// The rename options as the main window's controls show them right now.
#include <windows.h>

#include "core/files/rename_run.h"
#include "core/settings/app_settings.h"

namespace qm {

bool IsChecked(HWND window, int controlId);

RenameOptions ReadRenameOptions(HWND window, const AppSettings& settings);

}  // namespace qm
