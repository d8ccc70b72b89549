#include "ui/file_list/status_line.h"

#include <commctrl.h>

#include <vector>

#include "app/process_records.h"
#include "core/naming/new_name.h"
#include "core/naming/status_preview.h"
#include "core/settings/flags.h"
#include "resource_ids.h"
#include "ui/file_list/file_list_view.h"
#include "ui/options/history_box.h"
#include "ui/file_list/main_window_state.h"
#include "ui/options/rename_options_reader.h"
#include "ui/support/dialog_support.h"
#include "win32/locale/clock.h"
#include "win32/locale/time_text.h"
#include "win32/controls/dialog_items.h"

namespace qm {

namespace {

// Room for any expansion of a 1000-unit format: no token's value is longer
// than three units per unit of its name.
constexpr std::size_t StampUnits = 4 * 1001;

std::u16string Decimal(std::uint64_t value) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value != 0);
    return digits;
}

std::u16string Expand(std::uint64_t instant, const AppSettings& settings) {
    std::vector<char16_t> buffer(StampUnits);
    const std::size_t length = win32::ExpandTimeFormat(instant, settings.TimeFormat.view(), buffer.data(), buffer.size());
    return std::u16string(buffer.data(), length);
}

// The row that the preview shows; null without rows.
const FileRow* FirstTakingPartRow(HWND mainWindow, const MainWindowState* state) {
    if (!state || state->files.empty()) return nullptr;
    return &state->files[PreviewRow(mainWindow, state->files.size())];
}

// "Taken": the stamp of the row the preview shows, as the run will make it.
std::u16string FirstRowStamp(HWND mainWindow, const AppSettings& settings) {
    const FileRow* row = FirstTakingPartRow(mainWindow, FindMainWindowState(mainWindow));
    if (!row) return {};
    NamePlan plan;
    plan.timeFormat = settings.TimeFormat.str();
    plan.localOffset = win32::LocalOffsetNow();
    return TakenStamp(plan, *row);
}

void SetCell(HWND window, int id, const std::u16string& text) {
    win32::SetDialogItemText(window, id, reinterpret_cast<const wchar_t*>(text.c_str()));
}

}  // namespace

std::size_t PreviewRow(HWND mainWindow, std::size_t rowCount) {
    const LRESULT selected = win32::SendDialogItem(mainWindow, IDC_FILE_LIST, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                                 LVNI_SELECTED);
    return selected >= 0 && static_cast<std::size_t>(selected) < rowCount ? static_cast<std::size_t>(selected) : 0;
}

std::u16string MakeTimeStamp(HWND mainWindow, const AppSettings& settings) {
    if (IsChecked(mainWindow, IDC_STAMP_UNIX)) return Decimal(win32::CurrentUnixTime());
    if (IsChecked(mainWindow, IDC_STAMP_WIN32)) return Decimal(win32::CurrentFileTime());
    if (IsChecked(mainWindow, IDC_STAMP_CURRENT)) return Expand(win32::SystemNowFileTime(), settings);
    if (IsChecked(mainWindow, IDC_STAMP_PRESET)) return Expand(settings.FileTime, settings);
    if (IsChecked(mainWindow, IDC_STAMP_TAKEN)) return FirstRowStamp(mainWindow, settings);
    return {};
}

void RefreshStatus(HWND mainWindow) {
    const MainWindowState* state = FindMainWindowState(mainWindow);
    const std::size_t rows = state ? state->files.size() : 0;
    SetCell(mainWindow, IDC_STATUS_COUNT, FilesText(rows));
    const std::size_t selected = SelectedRowCount(win32::DialogItem(mainWindow, IDC_FILE_LIST));
    SetCell(mainWindow, IDC_STATUS_SELECTION, SelectedText(selected));

    const AppSettings& settings = Settings();
    PreviewOptions preview = ReadPreviewOptions(mainWindow, settings);
    const RenameOptions& r = preview.rename;
    preview.rowsTakingPart = selected > 0 ? selected : rows;
    if (r.fileNames && (r.keepName || r.prefix.takenStamp || r.suffix.takenStamp || r.prefix.folderName ||
                        r.suffix.folderName)) {
        if (const FileRow* first = FirstTakingPartRow(mainWindow, state)) {
            preview.firstName = first->name;
            preview.folderName = FolderName(first->folderText());
        }
    }
    if (preview.rename.fileNames) {
        preview.stamp = MakeTimeStamp(mainWindow, settings);
        if (preview.rename.prefix.used && preview.prefixAuto) SetBoxText(win32::DialogItem(mainWindow, IDC_PREFIX_BOX), preview.stamp);
        if (preview.rename.suffix.used && preview.suffixAuto) SetBoxText(win32::DialogItem(mainWindow, IDC_SUFFIX_BOX), preview.stamp);
    }
    SetCell(mainWindow, IDC_STATUS_MESSAGE, ComposePreview(preview));
}

}  // namespace qm
