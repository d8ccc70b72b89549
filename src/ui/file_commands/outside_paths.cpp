#include "ui/file_commands/outside_paths.h"

#include <iterator>
#include <optional>

#include "core/outside/handover_message.h"
#include "core/outside/outside_paths.h"
#include "ui/file_commands/file_work.h"
#include "ui/file_list/file_list_view.h"
#include "ui/file_list/main_window_state.h"
#include "ui/file_list/status_line.h"
#include "resource_ids.h"
#include "win32/locale/clock.h"
#include "win32/files/outside_path_names.h"
#include "win32/files/platform_file_system.h"
#include "win32/controls/dialog_items.h"

namespace qm {

namespace {

// The window that the user meets: a window opened over the main window (the
// settings, a message) when there is one.
void BringToFront(HWND mainWindow) {
    if (IsIconic(mainWindow)) ShowWindow(mainWindow, SW_RESTORE);
    HWND front = GetLastActivePopup(mainWindow);
    SetForegroundWindow(front ? front : mainWindow);
}

// The paths of the batch, the lines of its list files in their place.
std::vector<std::u16string> ExpandListFiles(const OutsideBatch& batch, OutsideAddResult& result) {
    std::vector<std::u16string> paths;
    for (const std::u16string& entry : batch) {
        if (entry.empty() || entry.front() != ListFileMark) {
            paths.push_back(entry);
            continue;
        }
        const std::u16string listFile = entry.substr(1);
        std::optional<std::vector<std::u16string>> listed = win32::ReadPathListFile(listFile);
        if (!listed) {
            result.Skip(listFile);
            continue;
        }
        if (paths.empty()) {
            paths = std::move(*listed);
        } else {
            paths.insert(paths.end(), std::make_move_iterator(listed->begin()), std::make_move_iterator(listed->end()));
        }
    }
    return paths;
}

// Each batch is taken whole before the next: a second batch that arrives
// while the message about the first is open waits for it.
bool taking = false;

}  // namespace

std::size_t AddOutsideBatch(HWND mainWindow, const OutsideBatch& batch) {
    MainWindowState& state = StateOf(mainWindow);
    OutsideAddResult result;
    RunFileWork(mainWindow, AddingFiles, batch.size(), [&](FileTable& rows, StatusProgress& progress) {
        const std::vector<std::u16string> paths = ExpandListFiles(batch, result);
        win32::PlatformFileSystem files;
        AddOutsidePaths(rows, paths, files, result, &progress);
    });
    ShowRowCount(win32::DialogItem(mainWindow, IDC_FILE_LIST), state.files.size());
    RefreshStatus(mainWindow);
    const std::u16string message = SkippedPathsMessage(result);
    if (!message.empty())
        MessageBoxW(mainWindow, reinterpret_cast<const wchar_t*>(message.c_str()), L"Error", MB_ICONERROR);
    return result.skipped;
}

void TakeOutsidePaths(HWND mainWindow) {
    if (taking) return;
    taking = true;
    while (std::optional<OutsideBatch> batch = TakeOutsideBatch()) {
        BringToFront(mainWindow);
        if (!batch->empty()) AddOutsideBatch(mainWindow, *batch);
    }
    taking = false;
}

}  // namespace qm
