// From the start of the process to its main window on screen and painted:
// Quillmoth.exe beside bare_template.exe, which shows the same dialog template
// (same resources and manifest) through a procedure that does nothing; the
// two are started in turn in the same run, each from a copy in one temporary
// folder, Quillmoth with the settings file that its first start left there.
// Then the same again with the journal of a finished run of 10,000 files
// beside the settings, as the last run leaves it.
// Prints "ratio start-window VALUE" and "ratio start-window-journal-10000
// VALUE": the median of Quillmoth's starts over the median of the bare ones;
// beside them, the medians of the time to the window's first answer after
// its paint.
// Usage: start_wine_bench [STARTS]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "core/rows/attribute_letters.h"
#include "core/run/run_journal.h"
#include "program_process.h"
#include "win32/locale/time_text.h"

namespace {

using namespace qm::testing;

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK VisibleDialogOf(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<Search*>(parameter);
    // Each question about another process's window is a request to Wine's
    // server, which the start being timed shares: the cheapest first.
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !IsWindowVisible(window)) return TRUE;
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) != L"#32770") return TRUE;
    search.found = window;
    return FALSE;
}

// No part of the window or of a control in it is waiting to be painted.
bool Painted(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) return false;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) return false;
    return true;
}

struct Start {
    double painted;   // milliseconds from CreateProcess to the painted window; negative when none came
    double answered;  // and to the window's first answer after that, once what waits for the paint is done
};

// One start; then the window is closed and the process waited for.
Start TimeToWindow(const std::wstring& program) {
    const auto start = std::chrono::steady_clock::now();
    ProgramProcess process(program);
    Search search{process.id(), nullptr};
    double elapsed = -1;
    double answered = -1;
    while (process.running()) {
        // Once shown, the window is only asked whether it is painted.
        if (!search.found || !IsWindow(search.found)) {
            search.found = nullptr;
            EnumWindows(VisibleDialogOf, reinterpret_cast<LPARAM>(&search));
        }
        if (search.found && Painted(search.found)) {
            elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            DWORD_PTR ignored = 0;
            if (SendMessageTimeoutW(search.found, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &ignored))
                answered = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            break;
        }
        if (std::chrono::steady_clock::now() - start > std::chrono::seconds(30)) break;
        Sleep(1);
    }
    if (search.found) PostMessageW(search.found, WM_CLOSE, 0, 0);
    process.waitForExit(30000);
    return {elapsed, answered};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Quillmoth and the bare procedure started in turn; whether every start
// showed its window.
bool Measure(const char* name, const std::wstring& ours, const std::wstring& bare, int starts) {
    std::vector<double> oursMs, bareMs, oursAnswers, bareAnswers;
    bool shown = true;
    for (int i = 0; i < starts; ++i) {
        const Start our = TimeToWindow(ours);
        const Start theirs = TimeToWindow(bare);
        oursMs.push_back(our.painted);
        bareMs.push_back(theirs.painted);
        oursAnswers.push_back(our.answered);
        bareAnswers.push_back(theirs.answered);
        shown = shown && our.answered > 0 && theirs.answered > 0;
    }
    // The medians: on a machine that others share, the fastest start of
    // either swings from one run to the next by more than the difference
    // between the two (printed beside them).
    const double window = Median(oursMs);
    const double floor = Median(bareMs);
    std::printf("milliseconds %s window %.0f bare %.0f (medians of %d; fastest %.0f and %.0f)\n", name, window, floor,
                starts, *std::min_element(oursMs.begin(), oursMs.end()), *std::min_element(bareMs.begin(), bareMs.end()));
    // Not a target: how long the painted window stays busy with what waited for its paint (the tips).
    std::printf("milliseconds %s answers %.0f bare %.0f (medians)\n", name, Median(oursAnswers), Median(bareAnswers));
    std::printf("ratio %s %.2f\n", name, floor > 0 ? window / floor : 0.0);
    return shown;
}

// A hidden top-level window made and destroyed: milliseconds to make it.
double TimedWindow() {
    const auto start = std::chrono::steady_clock::now();
    HWND window = CreateWindowExW(0, L"StartBenchWindow", nullptr, 0, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    DestroyWindow(window);
    return ms;
}

struct ThreadWindows {
    double first = 0, second = 0;
};

DWORD WINAPI TimeThreadWindows(void* parameter) {
    auto& times = *static_cast<ThreadWindows*>(parameter);
    times.first = TimedWindow();
    times.second = TimedWindow();
    return 0;
}

// Not a target: what a thread's first top-level window costs here, beyond a
// later one. The program's start makes one on each of its two threads, the
// bare template on its one (under Wine, each thread opens its own
// connection to the display and its own input method).
double FirstWindowOfAThread() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"StartBenchWindow";
    RegisterClassExW(&windowClass);
    TimedWindow();  // the process's first window loads the display driver
    std::vector<double> extra;
    for (int i = 0; i < 9; ++i) {
        ThreadWindows times;
        HANDLE thread = CreateThread(nullptr, 0, TimeThreadWindows, &times, 0, nullptr);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
        extra.push_back(times.first - times.second);
    }
    return Median(extra);
}

// The journal of a finished run of `count` files, each with its identity.
std::string FinishedRunJournal(std::size_t count) {
    qm::FileTable rows(count);
    const qm::FolderText folder = std::make_shared<const std::u16string>(u"C:\\photos\\2024 summer");
    std::vector<qm::JournalEntry> entries;
    for (std::size_t i = 0; i < count; ++i) {
        qm::FileRow& row = rows[i];
        const std::string digits = std::to_string(10000 + i);
        row.originalName = u"IMG_" + std::u16string(digits.begin(), digits.end()) + u".jpg";
        row.name = u"Summer_" + std::u16string(digits.begin(), digits.end()) + u".jpg";
        row.folder = folder;
        row.created = row.modified = row.accessed = row.originallyCreated = row.originallyModified =
            row.originallyAccessed = 133'000'000'000'000'000ull + i * 10'000'000ull;
        row.attributes = row.originalAttributes = 0x20;
        row.identity = {qm::FileIdentity::Kind::Index, true, 0x51A7E001, 0, 0x1000 + i, 0};
        entries.push_back({&row, {}});
    }
    return qm::FormatRunJournal({false, 133'500'000'000'000'000ull}, entries);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int starts = argc > 1 ? _wtoi(argv[1]) : 21;
    const TemporaryFolder folder;
    const std::wstring ours = CopyProgramInto(L"Quillmoth.exe", folder);
    const std::wstring bare = CopyProgramInto(L"bare_template.exe", folder);
    // Once each untimed: the first start of a program pays for loading it,
    // and Quillmoth's first close writes the settings file that later starts read.
    TimeToWindow(ours);
    TimeToWindow(bare);
    std::printf("milliseconds first-window-of-a-thread %.1f (median of 9)\n", FirstWindowOfAThread());
    bool shown = Measure("start-window", ours, bare, starts);
    const std::string journal = FinishedRunJournal(10'000);
    HANDLE file = CreateFileW(folder.File(L"lastrun.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, journal.data(), static_cast<DWORD>(journal.size()), &written, nullptr);
    CloseHandle(file);
    shown = Measure("start-window-journal-10000", ours, bare, starts) && shown;
    return shown && written == journal.size() ? 0 : 1;
}
