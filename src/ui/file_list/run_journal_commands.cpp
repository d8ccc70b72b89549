#include "ui/file_list/run_journal_commands.h"

#include <cstdio>

#include "app/process_records.h"
#include "core/run/journal_rows.h"
#include "core/run/progress_text.h"
#include "resource_ids.h"
#include "ui/file_list/file_list_view.h"
#include "ui/file_list/main_window_state.h"
#include "ui/file_list/status_line.h"
#include "win32/clock.h"
#include "win32/journal_file.h"
#include "win32/platform_file_system.h"

namespace qm {

namespace {

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

void Write(const std::wstring& path, const JournalHeader& header, const std::vector<JournalEntry>& entries) {
    if (path.empty()) return;
    win32::WriteJournalFile(path, header, entries);
}

bool Restored(const FileRow& row) {
    return row.name == row.originalName && row.created == row.originallyCreated &&
           row.modified == row.originallyModified && row.accessed == row.originallyAccessed &&
           row.attributes == row.originalAttributes;
}

JournalReading ReadJournal(const std::wstring& path, win32::JournalFileRead& outcome) {
    win32::FileBytes bytes;
    outcome = win32::ReadJournalFile(path, bytes);
    if (outcome != win32::JournalFileRead::Read) return {};
    return ReadRunJournal(bytes.bytes());
}

void SetStatusMessage(HWND mainWindow, const std::wstring& text) {
    SetDlgItemTextW(mainWindow, IDC_STATUS_MESSAGE, text.c_str());
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
                             const std::vector<std::u16string>& plannedNames)
    : path_(RunJournalPath()), header_{true, win32::SystemNowFileTime()}, rows_(rows) {
    if (path_.empty()) return;
    std::vector<JournalEntry> entries;
    entries.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i] < table.size())
            entries.push_back({&table[rows[i]], i < plannedNames.size() ? plannedNames[i] : std::u16string_view()});
    Write(path_, header_, entries);
}

void JournalledRun::Finish(const FileTable& table, std::size_t rowsDone) {
    if (path_.empty()) return;
    if (rowsDone < rows_.size()) rows_.resize(rowsDone);
    std::vector<JournalEntry> entries;
    entries.reserve(rows_.size());
    for (const std::size_t index : rows_)
        if (index < table.size()) entries.push_back({&table[index], {}});
    header_.underWay = false;
    Write(path_, header_, entries);
}

JournalledUndo::JournalledUndo(const FileTable& table, const std::vector<std::size_t>& rows)
    : path_(RunJournalPath()) {
    if (path_.empty()) return;
    win32::JournalFileRead outcome;
    journal_ = ReadJournal(path_, outcome);
    if (outcome != win32::JournalFileRead::Read || journal_.problem != JournalProblem::None) {
        path_.clear();  // nothing of ours to keep up to date, and a broken file stays as it is
        return;
    }
    matches_ = MatchJournalRows(journal_.rows, table, rows);
    bool any = false;
    for (const std::size_t match : matches_) any = any || match != NoMatch;
    if (!any) {
        path_.clear();
        return;
    }
    Write(true, true);
}

void JournalledUndo::Write(bool underWay, bool planOriginalNames) const {
    std::vector<JournalEntry> entries;
    entries.reserve(journal_.rows.size());
    for (std::size_t i = 0; i < journal_.rows.size(); ++i) {
        const FileRow& row = journal_.rows[i];
        const bool undone = planOriginalNames && matches_[i] != NoMatch;
        entries.push_back({&row, undone ? std::u16string_view(row.originalName) : std::u16string_view()});
    }
    JournalHeader header = journal_.header;
    header.underWay = underWay;
    qm::Write(path_, header, entries);
}

void JournalledUndo::Finish(const FileTable& table) {
    if (path_.empty()) return;
    bool allRestored = true;
    for (std::size_t i = 0; i < journal_.rows.size(); ++i) {
        if (matches_[i] != NoMatch && matches_[i] < table.size()) journal_.rows[i] = table[matches_[i]];
        allRestored = allRestored && Restored(journal_.rows[i]);
    }
    if (allRestored)
        win32::RemoveJournalFile(path_);
    else
        Write(false, false);
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

    const std::uint64_t local = LocalFromUtc(startedAt, win32::LocalOffsetNow());
    const FILETIME time{static_cast<DWORD>(local), static_cast<DWORD>(local >> 32)};
    SYSTEMTIME at{};
    FileTimeToSystemTime(&time, &at);
    wchar_t when[64];
    swprintf(when, 64, L"%02u.%02u.%04u at %02u:%02u", at.wDay, at.wMonth, at.wYear, at.wHour, at.wMinute);

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
    const std::wstring path = RunJournalPath();
    if (path.empty()) return false;
    win32::JournalFileRead outcome;
    JournalReading journal = ReadJournal(path, outcome);
    if (outcome != win32::JournalFileRead::Read) return false;
    if (journal.problem != JournalProblem::None) {
        const bool aside = win32::KeepJournalAside(path) == 0;
        SetStatusMessage(mainWindow, BrokenJournalText(journal, aside));
        return false;
    }
    if (journal.rows.empty()) return false;
    const std::wstring question = UndoLastRunQuestion(journal.rows, journal.header.startedAt);
    if (MessageBoxW(mainWindow, question.c_str(), L"Undo", MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
    MainWindowState& state = StateOf(mainWindow);
    state.files = std::move(journal.rows);
    ShowRowsUnselected(GetDlgItem(mainWindow, IDC_FILE_LIST), state.files.size());
    return true;
}

void OpenRunJournal(HWND mainWindow) {
    const std::wstring path = RunJournalPath();
    if (path.empty()) return;
    win32::JournalFileRead outcome;
    JournalReading journal = ReadJournal(path, outcome);
    if (outcome == win32::JournalFileRead::Missing) return;
    if (outcome == win32::JournalFileRead::Unreadable) {
        SetStatusMessage(mainWindow, L" The journal of the last run could not be opened; it is left as it is");
        return;
    }
    if (journal.problem != JournalProblem::None) {
        const bool aside = win32::KeepJournalAside(path) == 0;
        SetStatusMessage(mainWindow, BrokenJournalText(journal, aside));
        return;
    }
    if (!journal.header.underWay) return;  // a finished run waits for "^"

    win32::PlatformFileSystem files;
    ApplyPlannedNames(journal.rows, journal.plannedNames, files);
    MainWindowState& state = StateOf(mainWindow);
    state.files = std::move(journal.rows);
    std::vector<JournalEntry> entries;
    entries.reserve(state.files.size());
    for (const FileRow& row : state.files) entries.push_back({&row, {}});
    Write(path, {false, journal.header.startedAt}, entries);

    ShowRowsUnselected(GetDlgItem(mainWindow, IDC_FILE_LIST), state.files.size());
    RefreshStatus(mainWindow);
    const std::size_t count = state.files.size();
    SetStatusMessage(mainWindow, L" " + Wide(GroupedNumber(count)) +
                                     (count == 1 ? L" row came back from an interrupted run"
                                                 : L" rows came back from an interrupted run") +
                                     L"; \"^\" undoes them");
}

std::wstring UndoReportText(const UndoReport& report) {
    if (report.notRestored == 0) return {};
    const std::wstring count = Wide(GroupedNumber(report.notRestored));
    if (report.stoppedAt.empty()) return L" " + count + L" file(s) could not be restored";
    return L" Undo stopped at " + Wide(report.stoppedAt) + L": " + count + L" file(s) not restored";
}

}  // namespace qm
