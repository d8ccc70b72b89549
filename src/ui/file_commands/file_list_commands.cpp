#include "ui/file_commands/file_list_commands.h"

#include <commdlg.h>

#include <memory>
#include <new>
#include <optional>
#include <string>

#include "app/process_records.h"
#include "core/rows/add_files.h"
#include "core/rows/file_order.h"
#include "core/rows/list_editing.h"
#include "core/naming/new_name.h"
#include "core/run/progress_text.h"
#include "core/run/rename_run.h"
#include "core/run/names_of_run_check.h"
#include "core/run/run_prediction.h"
#include "core/run/undo_run.h"
#include "core/settings/flags.h"
#include "resource_ids.h"
#include "ui/file_commands/dates_taken.h"
#include "ui/file_list/file_list_view.h"
#include "ui/file_list/main_window_state.h"
#include "ui/file_list/new_name_column.h"
#include "ui/options/name_options.h"
#include "ui/options/rename_options_reader.h"
#include "ui/file_commands/file_work.h"
#include "ui/file_commands/run_journal_commands.h"
#include "ui/file_list/status_line.h"
#include "win32/locale/case_fold.h"
#include "win32/locale/clock.h"
#include "win32/files/dropped_files.h"
#include "win32/files/platform_file_system.h"
#include "win32/controls/dialog_items.h"

namespace qm {

namespace {

constexpr DWORD SelectionBufferUnits = 2'048'000;
constexpr DWORD OpenDialogOptions =
    OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;

// "All Files" first and chosen; then the pictures and videos of cameras and
// telephones, their raw forms among them.
constexpr const wchar_t OpenDialogFilter[] =
    L"All Files (*.*)\0*.*\0"
    L"Pictures and videos\0"
    L"*.jpg;*.jpeg;*.jpe;*.jfif;*.heic;*.heif;*.avif;*.png;*.gif;*.bmp;*.tif;*.tiff;*.webp;"
    L"*.dng;*.cr2;*.cr3;*.nef;*.arw;*.orf;*.rw2;*.raf;*.pef;*.srw;"
    L"*.mp4;*.m4v;*.mov;*.avi;*.mkv;*.wmv;*.mts;*.m2ts;*.3gp;*.webm\0";

HWND FileList(HWND window) { return win32::DialogItem(window, IDC_FILE_LIST); }

std::u16string_view View(const wchar_t* text) { return reinterpret_cast<const char16_t*>(text); }

// A folder text never ends with "\": paths are made as folder, "\" and name,
// also for a drive's root, whose folder is the drive letter and its colon.
FolderText MakeFolder(std::u16string_view folder) {
    if (!folder.empty() && folder.back() == u'\\') folder.remove_suffix(1);
    return std::make_shared<const std::u16string>(folder);
}

// "C:" alone would name the current folder of drive C.
std::wstring InitialFolder(const AppSettings& settings) {
    std::wstring folder(settings.LastPath.view().begin(), settings.LastPath.view().end());
    if (!folder.empty() && folder.back() == L':') folder += L'\\';
    return folder;
}

void ShowRows(HWND window) { ShowRowCount(FileList(window), StateOf(window).files.size()); }

// The one message a file that cannot be added gives, with its path on a line
// of its own, whether it came from the open dialog or a drop.
void ReportUnopenedFile(HWND window, const std::wstring& path) {
    const std::wstring text = L"file handle could not be created\n" + path;
    MessageBoxW(window, text.c_str(), L"Error", MB_ICONERROR);
}

std::wstring FullPath(std::u16string_view folder, std::u16string_view name) {
    std::wstring path(folder.begin(), folder.end());
    path += L'\\';
    path.append(name.begin(), name.end());
    return path;
}

std::u16string CheckingNamesText(std::size_t done, std::size_t total) {
    return ProgressText(u"Checking names", done, total);
}

void SetStatusMessage(HWND window, const std::u16string& text) {
    win32::SetDialogItemText(window, IDC_STATUS_MESSAGE, reinterpret_cast<const wchar_t*>(text.c_str()));
}

std::vector<std::size_t> TakingPart(HWND window) {
    return TakingPartRows(StateOf(window).files.size(), SelectedRows(FileList(window)));
}

}  // namespace

void AddFilesFromDialog(HWND mainWindow) {
    std::unique_ptr<wchar_t[]> buffer(new (std::nothrow) wchar_t[SelectionBufferUnits]());
    if (!buffer) return;
    AppSettings& settings = Settings();
    const std::wstring initialFolder = InitialFolder(settings);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = mainWindow;
    dialog.lpstrFilter = OpenDialogFilter;
    dialog.lpstrFile = buffer.get();
    dialog.nMaxFile = SelectionBufferUnits;
    dialog.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    dialog.lpstrTitle = L"Select files";
    dialog.Flags = OpenDialogOptions;
    if (!GetOpenFileNameW(&dialog) || dialog.nFileOffset == 0) return;

    // One chosen file: its full path; several: the folder, then the names.
    buffer[dialog.nFileOffset - 1] = L'\0';
    const FolderText folder = MakeFolder(View(buffer.get()));
    std::vector<std::u16string_view> names;
    for (const wchar_t* name = buffer.get() + dialog.nFileOffset; *name; name += wcslen(name) + 1)
        names.push_back(View(name));

    std::size_t added = 0;
    const auto add = [&](FileTable& rows, StatusProgress& progress) {
        win32::PlatformFileSystem files;
        for (; added < names.size(); ++added) {
            progress.Advance(added, names.size());
            if (!AppendFileRow(rows, folder, names[added], files)) break;
        }
    };
    if (!RunFileWork(mainWindow, AddingFiles, names.size(), add).ran) return;
    ShowRows(mainWindow);
    if (added < names.size()) {
        ReportUnopenedFile(mainWindow, FullPath(*folder, names[added]));
        return;
    }
    settings.LastPath = *folder;
}

void AddDroppedFiles(HWND mainWindow, HDROP drop) {
    const std::vector<std::wstring> paths = win32::DroppedPaths(drop);
    DragFinish(drop);
    std::size_t added = 0;
    const auto add = [&](FileTable& rows, StatusProgress& progress) {
        win32::PlatformFileSystem files;
        FolderText folder;
        for (; added < paths.size(); ++added) {
            progress.Advance(added, paths.size());
            const PathSplit split = SplitPath(View(paths[added].c_str()));
            if (!folder || *folder != split.folder) folder = MakeFolder(split.folder);
            if (!AppendFileRow(rows, folder, split.name, files)) break;
        }
    };
    if (!RunFileWork(mainWindow, AddingFiles, paths.size(), add).ran) return;
    ShowRows(mainWindow);
    if (added < paths.size()) {
        ReportUnopenedFile(mainWindow, paths[added]);
        return;
    }
    if (Settings().SettingsFlags & SettingsOption::AutoRenameAfterDrop) RunRename(mainWindow);
}

int RunRename(HWND mainWindow) {
    MainWindowState& state = StateOf(mainWindow);
    if (state.work) return -1;  // never a run inside other work
    const RenameOptions options = TakeRunOptions(mainWindow, Settings(), !state.files.empty());
    if (state.files.empty()) return -1;
    if (RunNeedsDatesTaken(options)) {
        const DatesTakenWait wait = WaitForDatesTaken(mainWindow, TakingPart(mainWindow));
        if (!wait.complete) {
            SetStatusMessage(mainWindow, DatesTakenStoppedText(wait, u"no file renamed"));
            return -1;
        }
    }
    int failures = 0;
    std::size_t takingPart = 0;
    std::size_t keptTimes = 0;  // with "Taken" for the file times: files without a date taken
    NameCheck refused;
    FileWorkEnd end;
    {
        const std::vector<std::size_t> rows = TakingPart(mainWindow);
        takingPart = rows.size();
        const NamePlan plan = PlanNames(options);
        const LocalOffset offset = win32::LocalOffsetNow();
        std::vector<RunRowOutcome> outcomes;
        std::optional<JournalledRun> journal;
        bool journalWritten = true;
        bool ran = false;
        end = RunFileWork(mainWindow, RenamingFiles, rows.size(), [&](FileTable& table, StatusProgress& progress) {
            // Every name is checked, and the names to come planned, before the
            // journal is written, so that a refused or stopped start leaves the
            // last run's record alone; here, not on the window's thread, since
            // with a slow pattern and many rows that takes long.
            progress.ShowAs(CheckingNamesText);
            refused = CheckNamesOfRun(table, rows, plan, &progress);
            if (refused.problem != NameProblem::None) return;
            win32::PlatformFileSystem files;
            std::vector<std::u16string> planned;
            if (!progress.StopRequested()) planned = PlannedNamesOfRun(table, rows, plan, files);
            progress.ShowAs(RenamingFiles.text);
            progress.Advance(0, rows.size());  // a stop until now has renamed nothing
            if (progress.StopRequested()) return;
            journal.emplace(table, rows, options, std::move(planned), offset);
            // Without its journal a run could not be followed after a crash: it does not start.
            journalWritten = journal->Begin(table);
            if (!journalWritten) return;
            ran = true;
            failures = RunRename(table, rows, options, files, offset, &progress, &outcomes, &refused,
                                 journal->record());
            journal->Finish(table, outcomes);
        });
        if (!journalWritten) {
            journal->ShowNotWritten(mainWindow);
            return -1;
        }
        if (ran && refused.problem == NameProblem::None) NoteRunOutcomes(mainWindow, rows, outcomes);
        const bool takenTimes = options.setDates && options.setTaken &&
                                (options.setCreated || options.setModified || options.setAccessed);
        if (ran && takenTimes) keptTimes = FilesWithoutDateTaken(state.files, rows, outcomes);
    }
    if (refused.problem != NameProblem::None) {
        win32::SetDialogItemText(mainWindow, IDC_STATUS_MESSAGE, reinterpret_cast<const wchar_t*>((u" " + refused.message).c_str()));
        ShowNameProblem(mainWindow, refused.message);
        return -1;
    }
    InvalidateRect(FileList(mainWindow), nullptr, TRUE);
    std::u16string message;
    if (end.stopped) message = StoppedText(end.done, end.total);
    if (failures > 0) {
        wchar_t failed[64];
        swprintf(failed, 64, L" %i file(s) could not be renamed", failures);
        if (!message.empty()) message += u";";
        message.append(reinterpret_cast<const char16_t*>(failed));
    }
    if (!end.stopped && failures == 0) message = FilesDoneText(takingPart, u"renamed");
    if (keptTimes > 0) message += u";" + KeptTimesText(keptTimes);
    // The preview then shows what "Start" would do next, not the names just
    // given; what the run has to say stands until the next change.
    RefreshStatus(mainWindow);
    win32::SetDialogItemText(mainWindow, IDC_STATUS_MESSAGE, reinterpret_cast<const wchar_t*>(message.c_str()));
    return failures;
}

std::wstring UndoRename(HWND mainWindow) {
    MainWindowState& state = StateOf(mainWindow);
    if (state.work) return {};
    if (state.files.empty() && !BringBackLastRun(mainWindow)) return {};
    UndoReport report;
    const std::vector<std::size_t> rows = TakingPart(mainWindow);
    std::optional<JournalledUndo> journal;
    bool journalWritten = true;
    const auto undo = [&](FileTable& table, StatusProgress& progress) {
        journal.emplace(table, rows);
        // As a run, an undo that could not be followed after a crash does not start.
        journalWritten = journal->Begin();
        if (!journalWritten) return;
        win32::PlatformFileSystem files;
        report = UndoRename(table, rows, files, &progress, journal->record());
        journal->Finish(table);
    };
    const FileWorkEnd end = RunFileWork(mainWindow, UndoingFiles, rows.size(), undo);
    if (!journalWritten) {
        journal->ShowNotWritten(mainWindow);
        return {};
    }
    InvalidateRect(FileList(mainWindow), nullptr, TRUE);
    if (end.stopped) {
        const std::u16string stopped = StoppedText(end.done, end.total);
        return std::wstring(stopped.begin(), stopped.end());
    }
    const std::wstring notRestored = UndoReportText(report);
    if (!notRestored.empty()) return notRestored;
    const std::u16string restored = FilesDoneText(rows.size(), u"restored");
    return std::wstring(restored.begin(), restored.end());
}

void RemoveRows(HWND mainWindow) {
    FileTable& files = StateOf(mainWindow).files;
    HWND list = FileList(mainWindow);
    const std::size_t selected = SelectedRowCount(list);
    if (selected == 0 || selected >= files.size()) {
        files.clear();
    } else {
        std::vector<bool> flags = SelectionFlags(list, files.size());
        RemoveRows(files, flags);
    }
    ShowRowsUnselected(list, files.size());  // the rows that stay were not selected
    if (files.empty()) ForgetFileSort(mainWindow);
    ScheduleDatesTaken(mainWindow);  // the dates of rows gone are not read
}

long MoveFileRow(HWND mainWindow, int direction) {
    HWND list = FileList(mainWindow);
    const long index = SingleSelectedRow(list);
    const long target = MoveRow(StateOf(mainWindow).files, index, direction);
    if (target < 0) return -1;
    MoveSelection(list, static_cast<std::size_t>(index), static_cast<std::size_t>(target));
    ForgetFileSort(mainWindow);
    InvalidateRect(list, nullptr, TRUE);
    return target;
}

void SortFileRows(HWND mainWindow, int column) {
    MainWindowState& state = StateOf(mainWindow);
    FileTable& files = state.files;
    if (column == FileColumn::Taken && files.size() >= 2) {
        const DatesTakenWait wait = WaitForDatesTaken(mainWindow, TakingPartRows(files.size(), {}));
        if (!wait.complete) {
            SetStatusMessage(mainWindow, DatesTakenStoppedText(wait, u"not sorted"));
            return;
        }
    }
    HWND list = FileList(mainWindow);
    ColumnSort sort;
    sort.column = column;
    sort.asExplorer = (Settings().SettingsFlags & SettingsOption::SortAsExplorer) != 0;
    sort.descending = sort.asExplorer && state.sortedColumn == column && !state.sortedDescending;
    sort.fold = win32::FoldCaseForSorting;
    sort.localOffset = win32::LocalOffsetNow();
    if (sort.asExplorer) {
        state.sortedColumn = column;
        state.sortedDescending = sort.descending;
        ShowSortArrow(list, column, sort.descending);
    }
    if (files.size() < 2) return;
    std::vector<std::size_t> order;
    if (column == NewNameColumn) {
        const std::vector<std::u16string> names = NewNamesOfRows(mainWindow);
        order = NaturalOrderOfTexts(std::vector<std::u16string_view>(names.begin(), names.end()), sort.fold,
                                    sort.descending);
    } else {
        order = OrderOfColumn(files, sort);
    }
    std::vector<bool> selected = SelectionFlags(list, files.size());
    ApplyOrder(files, selected, order);
    ShowRowsUnselected(list, files.size());
    for (std::size_t i = 0; i < selected.size(); ++i)
        if (selected[i]) SelectRow(list, i);
}

void ForgetFileSort(HWND mainWindow) {
    MainWindowState& state = StateOf(mainWindow);
    if (state.sortedColumn < 0) return;
    state.sortedColumn = -1;
    state.sortedDescending = false;
    ShowSortArrow(FileList(mainWindow), -1, false);
}

}  // namespace qm
