// "Add Folder" on a tree of 10,000 real files (10 folders of 10 subfolders of
// 100 files) through the real main window, beside a bare walk in the same run
// that lists the same folders and makes the same file calls (open without
// sharing, the three times, the attributes) and the same three date texts per
// file. Prints "ratio NAME VALUE", the window's time over the bare walk's;
// also the ratio over a walk that only lists, for what opening each file costs.
// Usage: add_folder_wine_bench [FILES_PER_FOLDER]
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/process_records.h"
#include "bench_files.h"
#include "core/rows/attribute_letters.h"
#include "main_window_harness.h"
#include "resource_ids.h"
#include "ui/file_commands/add_folder.h"
#include "win32/temporary_folder.h"
#include "win32/locale/time_text.h"

namespace {

using namespace qm;

std::uint64_t Value(const FILETIME& f) { return (static_cast<std::uint64_t>(f.dwHighDateTime) << 32) | f.dwLowDateTime; }

// The least work: list each folder, open and read each file, keep its texts.
void BareWalk(const std::wstring& folder, bool openFiles, std::vector<std::u16string>& texts, std::size_t& files) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) return;
    std::vector<std::wstring> below;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = folder + L"\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            below.push_back(path);
            continue;
        }
        ++files;
        if (!openFiles) continue;
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        FILETIME c{}, a{}, w{};
        GetFileTime(file, &c, &a, &w);
        FILE_BASIC_INFO basic{};
        GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof(basic));
        CloseHandle(file);
        texts.push_back(FormatAttributeLetters(basic.FileAttributes).str());
        for (const FILETIME* t : {&c, &w, &a}) texts.push_back(win32::FormatListDate(Value(*t)).str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
    for (const std::wstring& sub : below) BareWalk(sub, openFiles, texts, files);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::size_t perFolder = argc > 1 ? std::wcstoul(argv[1], nullptr, 10) : 100;
    const test::TemporaryFolder temporary;
    const std::wstring top = temporary.path();
    std::size_t made = 0;
    for (int a = 0; a < 10; ++a) {
        const std::wstring level1 = top + L"\\album " + std::to_wstring(a);
        CreateDirectoryW(level1.c_str(), nullptr);
        for (int b = 0; b < 10; ++b) {
            const std::wstring level2 = level1 + L"\\day " + std::to_wstring(b);
            CreateDirectoryW(level2.c_str(), nullptr);
            for (std::size_t i = 0; i < perFolder; ++i, ++made)
                bench::WriteFile(level2 + L"\\IMG_" + std::to_wstring(made) + L".jpg", "x");
        }
    }

    Settings().SettingsFlags = 1;
    testing::MainWindowHarness window;
    HWND w = window.window();

    // Once each beforehand, so that both find the folders in the same caches.
    std::vector<std::u16string> texts;
    std::size_t files = 0;
    BareWalk(top, true, texts, files);
    texts.clear();
    files = 0;
    const double listing = bench::Seconds([&] { BareWalk(top, false, texts, files); });
    files = 0;
    const double bare = bench::Seconds([&] { BareWalk(top, true, texts, files); });
    FolderWalkResult result;
    const double ours = bench::Seconds([&] { result = AddFolderToList(w, std::u16string(top.begin(), top.end()), true); });
    if (result.paths.added != made || files != made) {
        std::printf("error: added %zu, walked %zu, made %zu\n", result.paths.added, files, made);
        return 1;
    }
    std::printf("seconds add-folder-%zu window %.2f bare %.2f listing %.2f\n", made, ours, bare, listing);
    std::printf("ratio add-folder-%zu %.2f\n", made, ours / bare);
    std::printf("ratio add-folder-over-listing-%zu %.2f\n", made, ours / listing);
    return 0;
}
