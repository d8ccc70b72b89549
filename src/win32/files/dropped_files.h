#pragma once
// The paths of a drop of files, read in one pass.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace qm::win32 {

// Every path of the drop, in order. DragQueryFileW looks each path up from
// the start of the list, which makes a drop of ten thousand files slow; the
// drop's own list (DROPFILES) is read once instead. The drop is not released.
std::vector<std::wstring> DroppedPaths(HDROP drop);

}  // namespace qm::win32
