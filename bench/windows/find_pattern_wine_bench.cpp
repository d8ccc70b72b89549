// Patterns that backtrack without end ("Regex" in "Find and replace"): the
// worst time of one name, and of one keystroke in the Find box of the real
// main window with 1,000 rows of long names (200 a's, "!" and a number), beside a keystroke of a plain
// pattern in the same run. Prints "seconds NAME VALUE" and "ratio NAME VALUE";
// the goal for a keystroke is at most 0.5 s.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/process_records.h"
#include "bench_files.h"
#include "core/naming/find_replace.h"
#include "core/rows/attribute_letters.h"
#include "resource_ids.h"
#include "ui/file_list/file_list_view.h"
#include "ui/file_list/main_window_state.h"
#include "ui/main_window/main_window.h"
#include "win32/temporary_folder.h"
#include "win32/locale/time_text.h"
#include "window_driving.h"

namespace {

using namespace qm;
using bench::Seconds;

constexpr std::size_t Rows = 1000;

// Regular expressions that backtrack without end (as the core test has them),
// each with the base name it meets.
std::vector<std::pair<std::u16string, std::u16string>> PathologicalPatterns() {
    const std::u16string as(200, u'a');
    std::u16string optionals;  // "(a?)" fifty times, "a" fifty times, "c"
    for (int i = 0; i < 50; ++i) optionals += u"(a?)";
    return {{optionals + std::u16string(50, u'a') + u"c", as}, {u"(a+)+b", as}, {u"(a|aa)+b", as},
            {u"(a|a?)+b", as}, {u"(a*)*b", as}, {u"(.*a){20}b", as}, {u"^(\\w+\\s?)*$", as + u"!"},
            {u"(a+)+\\1b", as}, {u"(?=(a+)+b)x", as}, {u"(?:a|[a-z]|\\w)+\\d", as}};
}

std::string Narrow(const std::u16string& text) { return std::string(text.begin(), text.end()); }

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// The rows, as the list would hold them.
void FillRows(HWND w, const std::u16string& base) {
    FileTable& files = StateOf(w).files;
    const auto folder = std::make_shared<const std::u16string>(u"C:\\photos");
    for (std::size_t i = 0; i < Rows; ++i) {
        FileRow& row = files.emplace_back();
        const std::string number = std::to_string(i);
        row.name = base + u"!" + std::u16string(number.begin(), number.end()) + u".jpg";
        row.originalName = row.name;
        row.folder = folder;
        row.created = row.modified = row.accessed = row.originallyCreated = row.originallyModified =
            row.originallyAccessed = 133'000'000'000'000'000ull;
        row.attributes = row.originalAttributes = 0x20;
    }
    ShowRowCount(GetDlgItem(w, IDC_FILE_LIST), Rows);
}

// The pattern but its last character set in the Find box, then that character
// typed; the time from the key until its refresh, the column's pass and the
// repaint of the rows in view are done.
double Keystroke(HWND w, const std::u16string& pattern) {
    const std::wstring wide(pattern.begin(), pattern.end());
    HWND edit = GetWindow(GetDlgItem(w, IDC_FIND_BOX), GW_CHILD);
    SetWindowTextW(edit, wide.substr(0, wide.size() - 1).c_str());
    SendMessageW(edit, EM_SETSEL, wide.size() - 1, wide.size() - 1);  // the caret at the end, where typing goes on
    Pump();
    return Seconds([&] {
        SendMessageW(edit, WM_CHAR, wide.back(), 0);
        Pump();  // the refresh the key posted
        UpdateWindow(GetDlgItem(w, IDC_FILE_LIST));
    });
}

}  // namespace

int wmain() {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&init);

    double worstName = 0;
    std::u16string worstNamePattern;
    for (const auto& [pattern, name] : PathologicalPatterns()) {
        double best = 1e9;
        for (int round = 0; round < 3; ++round) {
            NameReplacer replacer({pattern, u"x", true, false});
            best = std::min(best, Seconds([&] { replacer.Apply(name); }));
        }
        if (best > worstName) worstName = best, worstNamePattern = pattern;
    }

    const test::TemporaryFolder temporary;
    SettingsFileLocation() = temporary.File(L"settings.ini");
    HWND w = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainDialogProc, 0);
    ShowWindow(w, SW_SHOW);
    Pump();
    FillRows(w, std::u16string(200, u'a'));
    for (int id : {IDC_FILE_NAMES, IDC_KEEP_NAME, IDC_FIND_REGEX}) {
        CheckDlgButton(w, id, BST_CHECKED);
        SendMessageW(w, WM_COMMAND, id, 0);
    }
    Pump();
    const double plain = std::min({Keystroke(w, u"a{3}x"), Keystroke(w, u"a{3}y"), Keystroke(w, u"a{3}z")});
    double worstKey = 0;
    std::u16string worstKeyPattern;
    bool allTooComplex = true;
    for (const auto& [pattern, name] : PathologicalPatterns()) {
        const double seconds = Keystroke(w, pattern);
        if (seconds > worstKey) worstKey = seconds, worstKeyPattern = pattern;
        const std::wstring header = testing::HeaderText(GetDlgItem(w, IDC_FILE_LIST), 11);
        if (header != L"New Name (pattern too complex)") {
            std::printf("not too complex: %s gives \"%ls\"\n", Narrow(pattern).substr(0, 24).c_str(), header.c_str());
            allTooComplex = false;
        }
    }
    SendMessageW(w, WM_CLOSE, 0, 0);
    DestroyWindow(w);
    Pump();

    std::printf("seconds name-worst %.4f (%s)\n", worstName, Narrow(worstNamePattern).substr(0, 24).c_str());
    std::printf("seconds keystroke-%zu-worst %.4f (%s) plain %.4f\n", Rows, worstKey,
                Narrow(worstKeyPattern).substr(0, 24).c_str(), plain);
    std::printf("ratio keystroke-%zu-worst-vs-plain %.2f\n", Rows, worstKey / plain);
    std::printf("ratio keystroke-%zu-worst-vs-goal-0.5s %.2f\n", Rows, worstKey / 0.5);
    if (!allTooComplex) std::printf("error: a pattern did not end as too complex\n");
    return allTooComplex ? 0 : 1;
}
