// The main window with 100,000 rows in its file list beside the same window
// with 1,000: a status refresh, a keystroke in the prefix box (which the "New
// Name" column follows), a click on a row, "Clear" of every row, and closing. Prints "ratio NAME VALUE", the time at 100,000 rows over the time at
// 1,000 (a cost that does not grow with the rows gives 1).
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "app/process_records.h"
#include "bench_files.h"
#include "win32/temporary_folder.h"
#include "core/rows/attribute_letters.h"
#include "resource_ids.h"
#include "ui/file_list/file_list_view.h"
#include "ui/main_window/main_window.h"
#include "ui/file_list/main_window_state.h"
#include "ui/file_list/status_line.h"
#include "win32/locale/time_text.h"

namespace {

using namespace qm;
using bench::Seconds;

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

struct Costs {
    double refresh = 0, keystroke = 0, click = 0, clear = 0, close = 0;
};

Costs Measure(std::size_t rows, const std::wstring& settingsFile) {
    SettingsFileLocation() = settingsFile;
    HWND w = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainDialogProc, 0);
    HWND list = GetDlgItem(w, IDC_FILE_LIST);
    Pump();
    FileTable& files = StateOf(w).files;
    const auto folder = std::make_shared<const std::u16string>(u"C:\\photos");
    for (std::size_t i = 0; i < rows; ++i) {
        FileRow& row = files.emplace_back();
        const std::string digits = std::to_string(i);
        row.name = u"photo " + std::u16string(digits.begin(), digits.end()) + u".jpg";
        row.originalName = row.name;
        row.folder = folder;
        row.created = row.modified = row.accessed = row.originallyCreated = row.originallyModified =
            row.originallyAccessed = 133'000'000'000'000'000ull + i * 10'000'000ull;
        row.attributes = row.originalAttributes = 0x20;
    }
    ShowRowCount(list, rows);
    Pump();

    Costs costs;
    constexpr int Repeats = 20;
    costs.refresh = Seconds([&] {
        for (int i = 0; i < Repeats; ++i) RefreshStatus(w);
    }) / Repeats;
    // Typing: each key, its posted refresh and the repaint of the rows in view.
    // The column's clash pass over a long list waits for a pause, which comes
    // after the last key; the list is settled first so no pass is due.
    CheckDlgButton(w, IDC_FILE_NAMES, BST_CHECKED);
    CheckDlgButton(w, IDC_PREFIX, BST_CHECKED);
    CheckDlgButton(w, IDC_PREFIX_AUTO, BST_UNCHECKED);
    SendMessageW(w, WM_COMMAND, IDC_FILE_NAMES, 0);
    Pump();
    Sleep(600);
    Pump();
    HWND prefixEdit = GetWindow(GetDlgItem(w, IDC_PREFIX_BOX), GW_CHILD);
    costs.keystroke = Seconds([&] {
        for (int i = 0; i < Repeats; ++i) {
            SendMessageW(prefixEdit, WM_CHAR, L'a' + i % 26, 0);
            Pump();
            UpdateWindow(list);
        }
    }) / Repeats;
    Sleep(600);  // the pause in typing: the column's clash pass runs now, not in the clicks below
    Pump();
    // A click as the mouse makes it, on a row in view.
    const int target = static_cast<int>(rows / 2);
    SendMessageW(list, LVM_ENSUREVISIBLE, target + Repeats, FALSE);
    Pump();
    costs.click = Seconds([&] {
        for (int i = 0; i < Repeats; ++i) {
            RECT row{};
            row.left = LVIR_LABEL;
            SendMessageW(list, LVM_GETITEMRECT, target + i, reinterpret_cast<LPARAM>(&row));
            const LPARAM at = MAKELPARAM(row.left + 5, (row.top + row.bottom) / 2);
            PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
            PostMessageW(list, WM_LBUTTONUP, 0, at);
            Pump();  // the click, then the refresh it posted
        }
    }) / Repeats;
    if (SingleSelectedRow(list) != target + Repeats - 1) std::printf("the clicks did not select their rows\n");
    LVITEMW all{};
    all.stateMask = all.state = LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&all));  // Ctrl+A
    costs.clear = Seconds([&] {
        SendMessageW(w, WM_COMMAND, IDC_CLEAR, 0);
        Pump();
    });
    const bool cleared = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 0;
    ShowRowCount(list, 0);
    for (std::size_t i = 0; i < rows; ++i) files.push_back(files.empty() ? FileRow{} : files.back());
    ShowRowCount(list, rows);
    Pump();
    costs.close = Seconds([&] {
        SendMessageW(w, WM_CLOSE, 0, 0);
        DestroyWindow(w);
        Pump();
    });
    if (!cleared) std::printf("\"Clear\" left rows behind\n");
    return costs;
}

}  // namespace

int wmain() {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&init);
    const test::TemporaryFolder temporary;
    const std::wstring folder = temporary.path();
    const std::wstring settings = folder + L"\\settings.ini";
    Measure(1000, settings);  // warm up
    const Costs small = Measure(1000, settings);
    const Costs large = Measure(100'000, settings);
    std::printf("seconds refresh-1000 %.5f refresh-100000 %.5f\n", small.refresh, large.refresh);
    std::printf("seconds click-1000 %.5f click-100000 %.5f\n", small.click, large.click);
    std::printf("seconds clear-1000 %.5f clear-100000 %.5f\n", small.clear, large.clear);
    std::printf("seconds close-1000 %.5f close-100000 %.5f\n", small.close, large.close);
    std::printf("seconds keystroke-1000 %.5f keystroke-100000 %.5f\n", small.keystroke, large.keystroke);
    std::printf("ratio refresh-100000-vs-1000 %.2f\n", large.refresh / small.refresh);
    std::printf("ratio prefix-keystroke-100000-vs-1000 %.2f\n", large.keystroke / small.keystroke);
    std::printf("ratio click-100000-vs-1000 %.2f\n", large.click / small.click);
    std::printf("ratio clear-100000-vs-1000 %.2f\n", large.clear / small.clear);
    std::printf("ratio close-100000-vs-1000 %.2f\n", large.close / small.close);
    return 0;
}
