#pragma once
// The one place that reads the rename options off the main window's controls:
// a run, the preview and the "New Name" column each take them in one call and
// hand the record on.
#include <windows.h>

#include "core/naming/rename_options.h"
#include "core/naming/status_preview.h"
#include "core/settings/app_settings.h"

namespace qm {

// Every option a run uses, the extension table included.
RenameOptions ReadRunOptions(HWND window, const AppSettings& settings);

// What "Start" takes from the window, in the order of a run's first steps: the
// typed prefix, suffix, find and replace texts go to the top of their
// histories; when there are rows to run and "Auto" of the date is ticked, the
// date becomes now (kept in `settings` and shown in the picker); then every
// option as ReadRunOptions reads it.
RenameOptions TakeRunOptions(HWND window, AppSettings& settings, bool rowsToRun);

// The options of the preview: those of a run without the extension table
// (a refresh would otherwise read every row of it), the "Auto" boxes and the
// ticked attributes. The time stamp and the first name are the caller's.
PreviewOptions ReadPreviewOptions(HWND window, const AppSettings& settings);

}  // namespace qm
