#include "ui/file_commands/run_journal_commands.h"

#include "app/early_journal.h"
#include "app/process_records.h"
#include "core/run/journal_rows.h"
#include "core/run/progress_text.h"
#include "core/timestamp/list_date.h"
#include "resource_ids.h"
#include "ui/file_list/file_list_view.h"
#include "ui/file_list/main_window_state.h"
#include "ui/file_list/new_name_column.h"
#include "ui/file_list/status_line.h"
#include "win32/locale/clock.h"
#include "win32/files/journal_file.h"
#include "win32/files/platform_file_system.h"
#include "win32/controls/dialog_items.h"

namespace qm {

namespace {

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

void SetStatusMessage(HWND mainWindow, const std::wstring& text) {
    win32::SetDialogItemText(mainWindow, IDC_STATUS_MESSAGE, text.c_str());
}

std::wstring BrokenJournalText(const JournalReading& reading, bool keptAside) {
    std::wstring text = L" The journal of the last run could not be read (" + Wide(JournalProblemText(reading)) + L")";
    text += keptAside ? L"; it is kept as lastrun-unreadable.txt and nothing was undone"
                      : L"; nothing was undone";
    return text;
}

}  // namespace

std::wstring RunJournalPath() { return win32::JournalFilePath(SettingsFileLocation()); }

JournalledRun::JournalledRun(const FileTable& table, const std::vector<std::size_t>& rows,
                             const RenameOptions& options, std::vector<std::u16string> plannedNames,
                             LocalOffset localOffset)
    : store_(RunJournalPath()) {
    if (store_.path().empty()) return;
    keeper_.emplace(store_, rows, std::move(plannedNames), win32::SystemNowFileTime(),
                    CreationTimesGiven(table, rows, options, localOffset));
}

bool JournalledRun::Begin(const FileTable& table) {
    if (!keeper_ || keeper_->Begin(table)) return true;
    keeper_.reset();
    return false;
}

namespace {

// "The run journal lastrun.txt could not be written (reason): without it ..."
void ShowJournalNotWritten(HWND mainWindow, const win32::JournalFileStore& store, const wchar_t* without,
                           const wchar_t* nothingDone) {
    const std::wstring reason = store.FailureText();
    const std::wstring text = L"The run journal lastrun.txt could not be written" +
                              (reason.empty() ? std::wstring() : L" (" + reason + L")") + L": without it " + without +
                              L".\n\n" + store.path() + L"\n\n" + nothingDone;
    MessageBoxW(mainWindow, text.c_str(), L"Error", MB_ICONERROR);
}

}  // namespace

void JournalledRun::ShowNotWritten(HWND mainWindow) const {
    ShowJournalNotWritten(mainWindow, store_, L"the run could not be undone after a crash", L"No file has been renamed.");
}

RunRecord* JournalledRun::record() { return keeper_ ? &*keeper_ : nullptr; }

void JournalledRun::Finish(const FileTable& table, const std::vector<RunRowOutcome>& outcomes) {
    if (keeper_) keeper_->Finish(table, outcomes);
}

JournalledUndo::JournalledUndo(const FileTable& table, const std::vector<std::size_t>& rows)
    : store_(RunJournalPath()) {
    if (!store_.path().empty()) keeper_.emplace(store_, table, rows, win32::LocalOffsetNow());
}

bool JournalledUndo::Begin() { return !keeper_ || keeper_->Begin(); }

void JournalledUndo::ShowNotWritten(HWND mainWindow) const {
    ShowJournalNotWritten(mainWindow, store_, L"the undo could not be followed after a crash",
                          L"No file has been restored.");
}

MoveRecord* JournalledUndo::record() { return keeper_ ? keeper_->record() : nullptr; }

void JournalledUndo::Finish(const FileTable& table) {
    if (keeper_) keeper_->Finish(table);
}

std::wstring UndoLastRunQuestion(const FileTable& rows, std::uint64_t startedAt) {
    std::u16string_view folder = rows.empty() ? std::u16string_view() : rows.front().folderText();
    std::size_t otherFolders = 0;
    {
        std::u16string_view last = folder;
        std::vector<std::u16string_view> seen{folder};
        for (const FileRow& row : rows) {
            if (row.folderText() == last) continue;
            last = row.folderText();
            bool known = false;
            for (const std::u16string_view s : seen) known = known || s == last;
            if (!known && seen.size() < 1000) {
                seen.push_back(last);
                ++otherFolders;
            }
        }
    }
    std::wstring shownFolder = Wide(folder);
    if (!shownFolder.empty() && shownFolder.back() == L':') shownFolder += L'\\';  // a drive's root

    const std::wstring when = Wide(FormatListDateToMinute(startedAt, win32::LocalOffsetNow()).view());

    std::wstring text = L"Undo the last run? " + Wide(GroupedNumber(rows.size())) +
                        (rows.size() == 1 ? L" file in " : L" files in ") + shownFolder;
    if (otherFolders > 0)
        text += L" and " + Wide(GroupedNumber(otherFolders)) + (otherFolders == 1 ? L" other folder" : L" other folders");
    text += L", renamed on ";
    text += when;
    text += L".";
    return text;
}

bool BringBackLastRun(HWND mainWindow) {
    win32::JournalFileStore store(RunJournalPath());
    if (store.path().empty()) return false;
    StoredJournal journal = ReadStoredJournal(store, win32::LocalOffsetNow());
    if (journal.found != JournalStore::Found::Read) return false;
    if (journal.reading.problem != JournalProblem::None) {
        const bool aside = win32::KeepJournalAside(store.path()) == 0;
        SetStatusMessage(mainWindow, BrokenJournalText(journal.reading, aside));
        return false;
    }
    if (journal.reading.rows.empty()) return false;
    const std::wstring question = UndoLastRunQuestion(journal.reading.rows, journal.reading.header.startedAt);
    if (MessageBoxW(mainWindow, question.c_str(), L"Undo", MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
    MainWindowState& state = StateOf(mainWindow);
    state.files = std::move(journal.reading.rows);
    ShowRowsUnselected(win32::DialogItem(mainWindow, IDC_FILE_LIST), state.files.size());
    return true;
}

void OpenRunJournal(HWND mainWindow) {
    win32::JournalFileStore store(RunJournalPath());
    if (store.path().empty()) return;
    std::optional<StoredJournal> early = TakeEarlyJournal(store.path());
    StoredJournal journal = early ? std::move(*early) : ReadStoredJournal(store, win32::LocalOffsetNow());
    if (journal.found == JournalStore::Found::Missing) return;
    if (journal.found == JournalStore::Found::Unreadable) {
        SetStatusMessage(mainWindow, L" The journal of the last run could not be opened; it is left as it is");
        return;
    }
    if (journal.reading.problem != JournalProblem::None) {
        const bool aside = win32::KeepJournalAside(store.path()) == 0;
        SetStatusMessage(mainWindow, BrokenJournalText(journal.reading, aside));
        return;
    }
    if (!journal.reading.header.underWay) return;  // a finished run waits for "^"

    win32::PlatformFileSystem files;
    const RecoveredRows recovered = RecoverInterruptedRun(store, journal.reading, files);
    MainWindowState& state = StateOf(mainWindow);
    state.files = std::move(journal.reading.rows);
    ShowRowsUnselected(win32::DialogItem(mainWindow, IDC_FILE_LIST), state.files.size());
    std::vector<std::size_t> all(state.files.size());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
    RefreshStatus(mainWindow);
    NoteRunOutcomes(mainWindow, all, recovered.outcomes);
    const std::size_t count = state.files.size();
    std::wstring text = L" " + Wide(GroupedNumber(count)) +
                        (count == 1 ? L" row came back from an interrupted run"
                                    : L" rows came back from an interrupted run");
    if (recovered.notFound > 0)
        text += L"; " + Wide(GroupedNumber(recovered.notFound)) +
                (recovered.notFound == 1 ? L" file is at neither its name nor its new one"
                                         : L" files are at neither their names nor their new ones");
    if (!recovered.twoFit.empty()) {
        // Never a guess: both files stay, and the user is told where they are.
        const RecoveredRows::TwoFiles& first = recovered.twoFit.front();
        const std::size_t count = recovered.twoFit.size();
        text += L"; " + Wide(first.current) + L" and " + Wide(first.planned) + L" both fit one row" +
                (count == 1 ? std::wstring(L", which is left alone")
                            : L" (" + Wide(GroupedNumber(count)) + L" such rows), which are left alone");
    }
    SetStatusMessage(mainWindow, text + L"; Undo, the curved arrow, takes them back");
}

std::wstring UndoReportText(const UndoReport& report) {
    if (report.notRestored == 0) return {};
    const std::wstring count = Wide(GroupedNumber(report.notRestored));
    if (report.skipped > 0) {
        std::wstring text = L" Undo skipped " + Wide(GroupedNumber(report.skipped)) +
                            L" file(s) it could not open or move, the first " + Wide(report.firstSkipped) +
                            L"; Undo again retries";
        if (report.notRestored > report.skipped) text += L"; " + count + L" file(s) not restored";
        return text;
    }
    if (!report.notTheFile.empty())
        return L" " + Wide(report.notTheFile) + L" is not the file that was renamed; " + count +
               L" file(s) not restored";
    return L" " + count + L" file(s) could not be restored";
}

}  // namespace qm
