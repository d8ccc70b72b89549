// Stress check on 2,000 real files with random contents, names, times and
// attributes, through the real main window: among them files whose new names
// are taken by files outside the list, files held open during each run,
// read-only files, and extension rows that try to lead out of the folder.
// Add, run, undo, run again with other options, undo. Then every file must be
// back under its first name with its first contents, times and attributes, the
// files outside the list untouched, and nothing written outside the folder.
// The last line is "lost N": the files lost, moved out, changed or added.
// Usage: file_list_stress [FILES] [SEED]
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "app/process_records.h"
#include "bench_files.h"
#include "win32/temporary_folder.h"
#include "main_window_harness.h"
#include "resource_ids.h"
#include "window_driving.h"

namespace {

using namespace qm;

constexpr std::uint64_t Millisecond = 10'000;

struct Options {
    const wchar_t* prefix;
    const wchar_t* suffix;
    const wchar_t* zeros;
    const wchar_t* offset;
    bool attributes;
    int attributeBox;  // the one "Attributes" box ticked, or 0
};

void Choose(HWND w, const Options& o) {
    for (int id : {IDC_FILE_NAMES, IDC_EXTENSIONS, IDC_PREFIX, IDC_PREFIX_SPACER, IDC_DATE, IDC_DATE_CREATED,
                   IDC_DATE_MODIFIED, IDC_DATE_ACCESSED, IDC_DATE_AUTO})
        testing::Check(w, id, true);
    testing::Check(w, IDC_SUFFIX, o.suffix != nullptr);
    testing::Check(w, IDC_SUFFIX_SPACER, true);
    testing::Check(w, IDC_PREFIX_AUTO, false);
    testing::Check(w, IDC_SUFFIX_AUTO, false);
    testing::Check(w, IDC_ATTRIBUTES, o.attributes);
    for (int id : {IDC_READ_ONLY, IDC_HIDDEN, IDC_SYSTEM, IDC_ARCHIVE}) testing::Check(w, id, id == o.attributeBox);
    SetDlgItemTextW(w, IDC_PREFIX_BOX, o.prefix);
    SetDlgItemTextW(w, IDC_SUFFIX_BOX, o.suffix ? o.suffix : L"");
    SetDlgItemTextW(w, IDC_ZEROS_EDIT, o.zeros);
    SetDlgItemTextW(w, IDC_OFFSET_EDIT, o.offset);
}

// Files that another program holds open, without sharing, while a run works.
std::vector<HANDLE> Hold(const std::wstring& folder, const std::vector<std::wstring>& names, std::mt19937& random) {
    std::vector<HANDLE> held;
    for (const std::wstring& name : names) {
        if (random() % 40 != 0) continue;
        HANDLE file = CreateFileW((folder + L"\\" + name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) held.push_back(file);
    }
    return held;
}

void Release(std::vector<HANDLE>& held) {
    for (HANDLE file : held) CloseHandle(file);
    held.clear();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::size_t count = argc > 1 ? std::wcstoul(argv[1], nullptr, 10) : 2000;
    std::mt19937 random(argc > 2 ? std::wcstoul(argv[2], nullptr, 10) : 1);
    const test::TemporaryFolder temporary;
    const std::wstring parent = temporary.path();
    const std::wstring folder = parent + L"\\files";
    CreateDirectoryW(folder.c_str(), nullptr);

    const wchar_t* extensions[] = {L".txt", L".jpg", L".JPG", L".tar.gz", L"", L".Txt"};
    std::vector<std::wstring> names;
    std::set<std::wstring> taken;
    std::map<std::wstring, bench::FileRecord> before;
    while (names.size() < count) {
        std::wstring name;
        for (std::size_t n = 1 + random() % 12; n > 0; --n) name += static_cast<wchar_t>(L"abcxyzABC019 _-.~"[random() % 17]);
        while (!name.empty() && (name.back() == L'.' || name.back() == L' ')) name.pop_back();
        if (name.empty() || name.front() == L' ') continue;
        name += extensions[random() % std::size(extensions)];
        std::wstring key = name;
        for (wchar_t& c : key) c = static_cast<wchar_t>(towlower(c));
        if (!taken.insert(key).second) continue;
        std::string content(random() % 4096, '\0');
        for (char& c : content) c = static_cast<char>(random());
        const std::wstring path = folder + L"\\" + name;
        bench::WriteFile(path, content);
        // Whole milliseconds: what the list keeps of a time, and so what undo restores.
        bench::FileRecord& first = before[name];
        first.name = name;
        first.hash = bench::ContentHash(content);
        first.written = 130'000'000'000'000'000ull + (random() % 10'000'000ull) * Millisecond * 10;
        first.accessed = first.written + (random() % 1000) * Millisecond;
        bench::SetTimes(path, first.accessed, first.written);
        first.attributes = (random() % 2 ? FILE_ATTRIBUTE_HIDDEN : 0) | (random() % 3 ? 0 : FILE_ATTRIBUTE_SYSTEM);
        SetFileAttributesW(path.c_str(), first.attributes);
        if (random() % 5 == 0) SetFileAttributesW(path.c_str(), first.attributes | FILE_ATTRIBUTE_READONLY);
        // As the platform reports them (Wine, for one, marks names that begin with "." hidden).
        first.attributes = GetFileAttributesW(path.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        names.push_back(name);
    }
    // Files outside the list that hold names the runs will want.
    // (The extension rows below turn .txt into .......escaped and .jpg into .abc.)
    const std::vector<std::wstring> outsiders = {L"S_0010.abc", L"S_0011.abc", L"S_0012",     L"S_0013",
                                                 L"S_0014.......escaped", L"T_x_000003.abc", L"T_x_000004",
                                                 L"T_x_000005.......escaped"};
    for (const std::wstring& name : outsiders) {
        const std::string content = "outsider " + std::to_string(name.size());
        bench::WriteFile(folder + L"\\" + name, content);
        bench::FileRecord& first = before[name];
        first.name = name;
        first.hash = bench::ContentHash(content);
        first.written = first.accessed = 131'000'000'000'000'000ull;
        bench::SetTimes(folder + L"\\" + name, first.accessed, first.written);
    }

    Settings().SettingsFlags = 1;
    testing::MainWindowHarness window;
    HWND w = window.window();
    testing::AddExtensionRow(GetDlgItem(w, IDC_EXT_LIST), L"txt", L"..\\..\\..\\escaped");
    testing::AddExtensionRow(GetDlgItem(w, IDC_EXT_LIST), L"jpg", L"a/b:c");
    testing::AddExtensionRow(GetDlgItem(w, IDC_EXT_LIST), L"gz", L"..");
    std::vector<std::wstring> paths;
    for (const std::wstring& name : names) paths.push_back(folder + L"\\" + name);
    SendMessageW(w, WM_DROPFILES, reinterpret_cast<WPARAM>(testing::MakeDrop(paths)), 0);
    const int rows = testing::RowCount(GetDlgItem(w, IDC_FILE_LIST));

    std::size_t lost = 0;
    auto countOutside = [&](const char* when) {
        for (const std::wstring& name : bench::NamesIn(parent)) {
            if (name == L"files") continue;
            std::printf("outside the folder %s: %ls\n", when, name.c_str());
            ++lost;
        }
    };
    const Options runs[] = {{L"S", nullptr, L"4", L"1", false, 0}, {L"T", L"x", L"6", L"0", true, IDC_HIDDEN}};
    for (const Options& options : runs) {
        Choose(w, options);
        std::vector<HANDLE> held = Hold(folder, names, random);
        testing::Command(w, IDC_START);
        std::printf("run: %zu files held open; status \"%ls\"\n", held.size(), testing::ItemText(w, IDC_STATUS_MESSAGE).c_str());
        countOutside("after a run");
        Release(held);
        testing::Command(w, IDC_UNDO);
    }
    window.close();

    for (const auto& [name, first] : before) {
        const std::wstring path = folder + L"\\" + name;
        if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
            std::printf("missing: %ls\n", name.c_str());
            ++lost;
            continue;
        }
        const bench::FileRecord now = bench::Record(folder, name);
        if (now.hash != first.hash || now.written != first.written || now.accessed != first.accessed ||
            now.attributes != first.attributes) {
            std::printf("changed: %ls (content %d, written %d, accessed %d, attributes %lx -> %lx)\n", name.c_str(),
                        now.hash != first.hash, now.written != first.written, now.accessed != first.accessed,
                        first.attributes, now.attributes);
            ++lost;
        }
    }
    for (const std::wstring& name : bench::NamesIn(folder)) {
        if (!before.count(name)) {
            std::printf("extra in the folder: %ls\n", name.c_str());
            ++lost;
        }
    }
    countOutside("at the end");
    std::printf("files %zu, rows %d, outside the list %zu\n", names.size(), rows, outsiders.size());
    std::printf("lost %zu\n", lost);
    return lost == 0 ? 0 : 1;
}
