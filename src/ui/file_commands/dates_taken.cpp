#include "ui/file_commands/dates_taken.h"

#include <algorithm>
#include <chrono>
#include <memory>

#include "app/private_commands.h"
#include "core/rows/date_taken_reading.h"
#include "core/run/progress_text.h"
#include "resource_ids.h"
#include "ui/file_commands/file_work.h"
#include "ui/file_list/main_window_state.h"
#include "ui/file_list/status_line.h"
#include "ui/support/dialog_support.h"
#include "win32/locale/clock.h"
#include "win32/files/platform_file_system.h"
#include "win32/controls/dialog_items.h"

namespace qm {

namespace {

std::vector<std::size_t> TakeInto(HWND mainWindow, MainWindowState& state) {
    std::vector<std::size_t> applied = state.dates->Apply(state.files);
    // Only the rows in view are asked for their texts again.
    if (!applied.empty()) InvalidateRect(win32::DialogItem(mainWindow, IDC_FILE_LIST), nullptr, FALSE);
    return applied;
}

}  // namespace

void ScheduleDatesTaken(HWND mainWindow) {
    MainWindowState& state = StateOf(mainWindow);
    if (!state.dates) {
        // The thread is made with the first photo, not with the window.
        const bool waiting = std::any_of(state.files.begin(), state.files.end(),
                                         [](const FileRow& row) { return row.takenTicket != 0; });
        if (!waiting) return;
        state.dates = std::make_unique<DateTakenReading>(std::make_shared<win32::PlatformFileSystem>(), [mainWindow] {
            PostMessageW(mainWindow, WM_COMMAND, CmdDatesTaken, 0);
        });
    }
    state.dates->Schedule(state.files);
}

void PauseDatesTaken(HWND mainWindow) {
    if (MainWindowState* state = FindMainWindowState(mainWindow); state && state->dates) state->dates->Pause();
}

void TakeDatesTaken(HWND mainWindow) {
    MainWindowState* state = FindMainWindowState(mainWindow);
    if (!state || !state->dates) return;
    const std::vector<std::size_t> applied = TakeInto(mainWindow, *state);
    // The preview's "Taken" stamp is its row's (the New Name column follows the command).
    if (IsChecked(mainWindow, IDC_STAMP_TAKEN) && !state->files.empty() &&
        std::find(applied.begin(), applied.end(), PreviewRow(mainWindow, state->files.size())) != applied.end())
        RefreshStatus(mainWindow);
}

DatesTakenWait WaitForDatesTaken(HWND mainWindow, const std::vector<std::size_t>& rows) {
    MainWindowState& state = StateOf(mainWindow);
    DatesTakenWait wait;
    if (!state.dates) return wait;
    std::vector<std::size_t> waiting;
    for (const std::size_t r : rows)
        if (r < state.files.size() && state.files[r].takenTicket != 0) waiting.push_back(r);
    if (waiting.empty()) return wait;
    DateTakenReading& reading = *state.dates;
    // Those of them read already and not yet taken are not counted again.
    const std::size_t count = reading.Schedule(state.files, waiting);
    if (count > 0) {
        RunFileWork(mainWindow, ReadingDatesTaken, count, [&](FileTable&, StatusProgress& progress) {
            for (;;) {
                const bool all = reading.WaitUntilRead(count, std::chrono::milliseconds(100));
                progress.Advance(std::min(reading.ReadSinceSchedule(), count), count);
                if (all || progress.StopRequested()) return;
            }
        });
    }
    TakeInto(mainWindow, state);
    wait.total = waiting.size();
    wait.read = static_cast<std::size_t>(std::count_if(waiting.begin(), waiting.end(), [&](std::size_t r) {
        return r < state.files.size() && state.files[r].takenTicket == 0;
    }));
    wait.complete = wait.read == wait.total;
    return wait;
}

std::u16string DatesTakenStoppedText(const DatesTakenWait& wait, std::u16string_view consequence) {
    return u" Stopped after " + GroupedNumber(wait.read) + u" of " + GroupedNumber(wait.total) + u" dates taken: " +
           std::u16string(consequence);
}

bool RunNeedsDatesTaken(const RenameOptions& options) {
    const bool stamps = options.fileNames && ((options.prefix.used && options.prefix.takenStamp) ||
                                              (options.suffix.used && options.suffix.takenStamp));
    const bool times = options.setDates && options.setTaken &&
                       (options.setCreated || options.setModified || options.setAccessed);
    return stamps || times;
}

std::size_t RowsWaitingForDateTaken(HWND mainWindow) {
    const FileTable& files = StateOf(mainWindow).files;
    return static_cast<std::size_t>(
        std::count_if(files.begin(), files.end(), [](const FileRow& row) { return row.takenTicket != 0; }));
}

}  // namespace qm
