#include "ui/file_commands/file_work.h"

#include <process.h>

#include <iterator>

#include "core/run/progress_text.h"
#include "resource_ids.h"
#include "ui/file_commands/dates_taken.h"
#include "ui/file_commands/file_work_window.h"
#include "ui/file_list/main_window_state.h"

namespace qm {

namespace {

struct Job {
    const FileWorkFunction& work;
    FileTable& rows;
    StatusProgress& progress;
    // The rows the work changes start as a copy of these, made by the worker:
    // the window only reads them meanwhile, to draw them as they were.
    const FileTable* copyFrom;
};

void DoJob(Job& job) {
    if (job.copyFrom) job.rows = *job.copyFrom;
    job.work(job.rows, job.progress);
}

unsigned __stdcall WorkerMain(void* argument) {
    DoJob(*static_cast<Job*>(argument));
    return 0;
}

// Takes the thread's messages until the worker has ended, and once more
// after, so that no input made meanwhile is left to act later.
void WaitForWorker(HANDLE worker, FileWorkWindow& window) {
    bool quit = false;
    WPARAM exitCode = 0;
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quit = true;
                exitCode = message.wParam;
            } else if (!window.KeepFromWindow(message)) {
                DispatchMessageW(&message);
            }
        }
        if (WaitForSingleObject(worker, 0) == WAIT_OBJECT_0) break;
        MsgWaitForMultipleObjectsEx(1, &worker, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    if (quit) PostQuitMessage(static_cast<int>(exitCode));
}

}  // namespace

const FileWorkKind AddingFiles{
    [](std::size_t done, std::size_t total) { return ProgressText(u"Adding", done, total); }, 0, true};
const FileWorkKind WalkingFolder{
    [](std::size_t added, std::size_t) { return u" Adding " + GroupedNumber(added) + u" files (Esc stops)"; }, 0, true};
const FileWorkKind RenamingFiles{
    [](std::size_t done, std::size_t total) { return ProgressText(u"Renaming", done, total); }, IDC_START, false};
const FileWorkKind UndoingFiles{
    [](std::size_t done, std::size_t total) { return ProgressText(u"Undoing", done, total); }, IDC_UNDO, false};
const FileWorkKind ReadingDatesTaken{
    [](std::size_t done, std::size_t total) { return ProgressText(u"Reading dates taken", done, total); }, 0, true,
    false};

FileWorkEnd RunFileWork(HWND mainWindow, const FileWorkKind& kind, std::size_t total, const FileWorkFunction& work) {
    MainWindowState& state = StateOf(mainWindow);
    if (state.work) return {};
    if (kind.touchesFiles) PauseDatesTaken(mainWindow);
    StatusProgress progress(kind.text);
    progress.Advance(0, total);
    FileTable rows;
    {
        FileWorkWindow window(mainWindow, progress, kind.stopButton);
        Job job{work, rows, progress, kind.appendsRows ? nullptr : &state.files};
        const auto worker = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, WorkerMain, &job, 0, nullptr));
        if (worker) {
            WaitForWorker(worker, window);
            CloseHandle(worker);
        } else {
            DoJob(job);  // no thread to be had: the work is done here, the window waits
        }
    }
    if (kind.appendsRows) {
        state.files.Append(std::move(rows));
    } else {
        state.files = std::move(rows);
    }
    if (kind.touchesFiles) ScheduleDatesTaken(mainWindow);
    return {true, progress.Stopped(), progress.Done(), progress.Total()};
}

}  // namespace qm
