#include "ui/file_commands/row_double_click.h"

#include <algorithm>

#include "app/process_records.h"
#include "core/settings_file/decimal_text.h"
#include "core/settings/flags.h"
#include "resource_ids.h"
#include "ui/file_commands/file_list_commands.h"
#include "ui/options/history_box.h"
#include "ui/file_list/main_window_state.h"
#include "ui/file_list/status_line.h"
#include "ui/support/dialog_support.h"
#include "win32/controls/dialog_items.h"

namespace qm {

namespace {

std::uint32_t NumberInBox(HWND window, int id) {
    wchar_t text[261] = {};
    win32::GetDialogItemText(window, id, text, 261);
    return ParseSettingsDecimal(reinterpret_cast<const char16_t*>(text));
}

// By the step, as the run counts: the next double-click names the next file.
void AdvanceOffset(HWND window) {
    const std::uint32_t step = std::max<std::uint32_t>(NumberInBox(window, IDC_STEP_EDIT), 1);
    const std::uint32_t next = NumberInBox(window, IDC_OFFSET_EDIT) + step;
    std::u16string digits;
    AppendUnsignedDecimal(digits, next);
    win32::SetDialogItemText(window, IDC_OFFSET_EDIT, reinterpret_cast<const wchar_t*>(digits.c_str()));
}

void CopyName(HWND window, long row, int boxId, int autoBoxId) {
    const FileTable& files = StateOf(window).files;
    if (row < 0 || static_cast<std::size_t>(row) >= files.size()) return;
    const std::u16string& name = files[static_cast<std::size_t>(row)].name;
    if (name.empty() || IsChecked(window, autoBoxId)) return;
    SetBoxText(win32::DialogItem(window, boxId), NameBeforeLastDot(name));
}

}  // namespace

std::u16string NameBeforeLastDot(std::u16string_view name) {
    const std::size_t dot = name.rfind(u'.');
    return std::u16string(name.substr(0, dot));
}

void RowDoubleClick(HWND mainWindow, long row) {
    const std::uint32_t flags = Settings().SettingsFlags;
    if (flags & SettingsOption::DoubleClickRename) {
        RunRename(mainWindow);
        if (flags & SettingsOption::IncrementOffset) AdvanceOffset(mainWindow);
    }
    if (flags & SettingsOption::DoubleClickCopy) {
        if (flags & SettingsOption::CopyToPrefix) CopyName(mainWindow, row, IDC_PREFIX_BOX, IDC_PREFIX_AUTO);
        if (flags & SettingsOption::CopyToSuffix) CopyName(mainWindow, row, IDC_SUFFIX_BOX, IDC_SUFFIX_AUTO);
    }
    RefreshStatus(mainWindow);
}

}  // namespace qm
