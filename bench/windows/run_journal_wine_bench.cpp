// A rename run of 10,000 real files through the real main window, with the
// run journal (written before and after the run) and without it (no settings
// file, so no journal), in turns in one process (with, without, without, with). Each run is undone before
// the next. Prints "ratio run-journal-10000 VALUE": the run's time with the
// journal over its time without. Usage: run_journal_wine_bench [FILES]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/process_records.h"
#include "bench_files.h"
#include "main_window_harness.h"
#include "resource_ids.h"
#include "win32/temporary_folder.h"
#include "window_driving.h"

namespace {

// The least disturbed of the turns.
double Least(const std::vector<double>& values) { return *std::min_element(values.begin(), values.end()); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace qm;
    const std::size_t count = argc > 1 ? std::wcstoul(argv[1], nullptr, 10) : 10'000;
    const test::TemporaryFolder temporary;
    const std::wstring folder = temporary.path();
    std::vector<std::wstring> paths;
    for (std::size_t i = 0; i < count; ++i) {
        paths.push_back(folder + L"\\photo " + std::to_wstring(i) + (i % 2 ? L".jpg" : L".txt"));
        bench::WriteFile(paths.back(), "x");
    }
    const test::TemporaryFolder settings;
    const std::wstring settingsPath = settings.File(L"settings.ini");

    Settings().SettingsFlags = 1;
    testing::MainWindowHarness window(settingsPath);
    HWND w = window.window();
    testing::ChoosePrefixAndModifiedTime(w);
    SendMessageW(w, WM_DROPFILES, reinterpret_cast<WPARAM>(testing::MakeDrop(paths)), 0);

    std::vector<double> with, without;
    for (int round = 0; round < 2; ++round) {
        for (const bool journal : {round % 2 == 0, round % 2 != 0}) {
            SettingsFileLocation() = journal ? settingsPath : std::wstring();
            (journal ? with : without).push_back(bench::Seconds([&] { testing::Command(w, IDC_START); }));
            testing::Command(w, IDC_UNDO);
        }
    }
    const bool journalWritten = GetFileAttributesW(settings.File(L"lastrun.txt").c_str()) == INVALID_FILE_ATTRIBUTES &&
                                bench::NamesIn(folder).size() == count;  // undone each time, so removed each time
    SettingsFileLocation() = settingsPath;
    std::printf("seconds run-%zu with the journal %.2f, without %.2f\n", count, Least(with), Least(without));
    std::printf("ratio run-journal-%zu %.3f\n", count, Least(with) / Least(without));
    window.close();
    return journalWritten ? 0 : 1;
}
