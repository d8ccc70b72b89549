// Reads and writes a settings file with 15,000 entries in each history and
// 1,000 extension rows, and sets each time beside a bare baseline measured in
// the same run: copying the file's bytes, and splitting them into UTF-16 lines.
// The Windows build adds the real file and the real controls.
#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/settings_file/settings_file.h"

#ifdef _WIN32
#include <windows.h>
#include <commctrl.h>

#include "resource_ids.h"
#include "win32/settings/settings_file_io.h"
#include "win32/settings/settings_store.h"
#endif

namespace {

using Clock = std::chrono::steady_clock;

constexpr int HistoryEntries = 15000;
constexpr int ExtensionRows = 1000;

// Median of `runs` timings of `work`, in milliseconds.
double MedianMs(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

std::u16string Ascii(const std::string& text) { return {text.begin(), text.end()}; }

qm::SettingsLists MakeLists() {
    qm::SettingsLists lists;
    lists.prefix.current = u"Holiday";
    lists.suffix.current = u"";
    for (int i = 0; i < HistoryEntries; ++i) {
        lists.prefix.entries.push_back(Ascii("Holiday photos " + std::to_string(i)));
        lists.suffix.entries.push_back(Ascii("scan-" + std::to_string(i) + "-final"));
    }
    for (int i = 0; i < ExtensionRows; ++i)
        lists.extensions.push_back({i % 2 == 0, Ascii("ext" + std::to_string(i)), u"jpg"});
    return lists;
}

// A file that holds every entry (the program itself writes at most 100).
std::vector<std::uint8_t> MakeLargeFile(const qm::AppSettings& settings, const qm::SettingsLists& lists,
                                        const qm::PresetArray& presets) {
    std::vector<std::uint8_t> bytes = qm::WriteSettingsFileBytes(settings, qm::SettingsLists{}, presets);
    std::u16string extra;
    for (const auto* history : {&lists.prefix, &lists.suffix}) {
        extra += history == &lists.prefix ? u"[PREFIX]\r\n" : u"[SUFFIX]\r\n";
        extra += (history->current.empty() ? u"\u00FF" : history->current) + u"\r\n";
        for (const auto& entry : history->entries) extra += entry + u"\r\n";
        extra += u"\r\n";
    }
    extra += u"[EXTENSIONS]\r\n";
    for (const auto& row : lists.extensions)
        extra += std::u16string(row.checked ? u"1" : u"0") + u"\u00BB" + row.from + u"\u00BB" + row.to + u"\r\n";
    extra += u"\r\n";
    for (char16_t unit : extra) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

// The bare baseline: every unit decoded and every line cut into a string.
std::size_t SplitLines(const std::vector<std::uint8_t>& bytes) {
    std::vector<std::u16string> lines;
    std::u16string line;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char16_t unit = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
        if (unit == u'\n') {
            lines.push_back(line);
            line.clear();
        } else if (unit != u'\r') {
            line.push_back(unit);
        }
    }
    return lines.size();
}

void Report(const char* what, double ms, double baselineMs, const char* baselineName) {
    std::printf("%-44s %9.3f ms   %7.1f x %s\n", what, ms, ms / baselineMs, baselineName);
}

#ifdef _WIN32
HWND MakeControlsWindow() {
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&init);
    HWND window = CreateWindowExW(0, L"STATIC", L"bench", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr) return nullptr;
    for (int id : {IDC_PREFIX_BOX, IDC_SUFFIX_BOX})
        CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, 0,
                        200, 200, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | LVS_REPORT, 0, 0, 300, 200, window,
                                reinterpret_cast<HMENU>(IDC_EXT_LIST), nullptr, nullptr);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    for (int column = 0; column < 2; ++column) {
        LVCOLUMNW c{};
        c.mask = LVCF_WIDTH;
        c.cx = 100;
        SendMessageW(list, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&c));
    }
    return window;
}

void BenchWindows(const qm::AppSettings& settings, const qm::SettingsLists& lists,
                  const qm::PresetArray& presets, const std::vector<std::uint8_t>& large) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + L"qm-settings-bench.ini";
    const std::wstring bare = std::wstring(folder) + L"qm-settings-bench-bare.ini";
    const std::vector<std::uint8_t> written = qm::WriteSettingsFileBytes(settings, lists, presets);
    std::printf("\nreal files (%zu bytes written, %zu bytes read)\n", written.size(), large.size());

    const double bareWrite = MedianMs(21, [&] {
        HANDLE file = CreateFileW(bare.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD wrote = 0;
        WriteFile(file, written.data(), static_cast<DWORD>(written.size()), &wrote, nullptr);
        CloseHandle(file);
    });
    const double safeWrite = MedianMs(21, [&] { qm::win32::ReplaceFileContents(path, written); });
    Report("bare CreateFile + WriteFile (baseline)", bareWrite, bareWrite, "bare write");
    Report("write: new file, flush, replace", safeWrite, bareWrite, "bare write");

    qm::win32::ReplaceFileContents(path, large);
    const double bareRead = MedianMs(21, [&] {
        qm::win32::FileBytes bytes;
        qm::win32::ReadFileBytes(path, bytes);
    });
    qm::AppSettings record = settings;
    const double readSettings = MedianMs(21, [&] { qm::win32::ReadSettings(record, path); });
    Report("bare read of the whole file (baseline)", bareRead, bareRead, "bare read");
    Report("read settings (file)", readSettings, bareRead, "bare read");

    HWND window = MakeControlsWindow();
    if (window == nullptr) {
        std::printf("controls: skipped, no display (error %lu)\n", GetLastError());
    } else {
        // Each read appends, so every run starts from empty controls.
        auto clear = [&] {
            SendMessageW(GetDlgItem(window, IDC_PREFIX_BOX), CB_RESETCONTENT, 0, 0);
            SendMessageW(GetDlgItem(window, IDC_SUFFIX_BOX), CB_RESETCONTENT, 0, 0);
            SendMessageW(GetDlgItem(window, IDC_EXT_LIST), LVM_DELETEALLITEMS, 0, 0);
        };
        // Baseline: the same entries and rows put into the controls by a bare loop,
        // with the same storage reservation and redraw switch as the store uses.
        std::vector<double> bares;
        for (int i = 0; i < 5; ++i) {
            clear();
            bares.push_back(MedianMs(1, [&] {
                for (int id : {IDC_PREFIX_BOX, IDC_SUFFIX_BOX}) {
                    const auto& entries = id == IDC_PREFIX_BOX ? lists.prefix.entries : lists.suffix.entries;
                    HWND box = GetDlgItem(window, id);
                    SendMessageW(box, CB_INITSTORAGE, entries.size(), entries.size() * 64);
                    for (const auto& entry : entries)
                        SendMessageW(box, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(entry.c_str()));
                }
                HWND list = GetDlgItem(window, IDC_EXT_LIST);
                SendMessageW(list, WM_SETREDRAW, FALSE, 0);
                for (const auto& row : lists.extensions) {
                    LVITEMW item{};
                    item.mask = LVIF_TEXT;
                    item.iItem = INT_MAX;
                    item.pszText = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(row.from.c_str()));
                    const int index = static_cast<int>(
                        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
                    ListView_SetItemText(list, index, 1,
                                         const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(row.to.c_str())));
                }
                SendMessageW(list, WM_SETREDRAW, TRUE, 0);
            }));
        }
        std::sort(bares.begin(), bares.end());
        Report("bare inserts of the same (baseline)", bares[2], bares[2], "bare inserts");
        std::vector<double> reads;
        for (int i = 0; i < 5; ++i) {
            clear();
            qm::PresetArray p = presets;
            reads.push_back(MedianMs(1, [&] { qm::win32::ReadListsAndPresets(record, window, p, path); }));
        }
        std::sort(reads.begin(), reads.end());
        Report("read lists and presets into controls", reads[2], bares[2], "bare inserts");
        const double writeAll =
            MedianMs(5, [&] { qm::win32::WriteAllSettings(record, window, presets, path); });
        Report("write all from controls", writeAll, bareWrite, "bare write");
        DestroyWindow(window);
    }
    DeleteFileW(path.c_str());
    DeleteFileW(bare.c_str());
}
#endif

}  // namespace

int main() {
    const qm::AppSettings settings = qm::MakeDefaultAppSettings({0, 0, 1920, 1080}, 0x01D9948097582000ull);
    const qm::PresetArray presets = qm::MakeDefaultPresets(0x01D9948097582000ull);
    const qm::SettingsLists lists = MakeLists();
    const std::vector<std::uint8_t> large = MakeLargeFile(settings, lists, presets);

    std::printf("settings file: %d entries in each history, %d extension rows, %zu bytes\n",
                HistoryEntries, ExtensionRows, large.size());

    std::vector<std::uint8_t> copy;
    const double copyMs = MedianMs(51, [&] { copy.assign(large.begin(), large.end()); });
    std::size_t lineCount = 0;
    const double splitMs = MedianMs(21, [&] { lineCount = SplitLines(large); });

    qm::AppSettings record = settings;
    const double readSettingsMs = MedianMs(51, [&] { qm::ReadSettingsFromFileBytes(large, record); });

    std::size_t entriesRead = 0;
    const double readListsMs = MedianMs(21, [&] {
        qm::SettingsLists read;
        qm::PresetArray p = presets;
        qm::ReadListsAndPresetsFromFileBytes(large, read, p);
        entriesRead = read.prefix.entries.size() + read.suffix.entries.size() + read.extensions.size();
    });

    std::size_t writtenBytes = 0;
    const double writeMs = MedianMs(51, [&] {
        writtenBytes = qm::WriteSettingsFileBytes(settings, lists, presets).size();
    });

    std::printf("(%zu lines split, %zu entries and rows read, %zu bytes written)\n\n", lineCount,
                entriesRead, writtenBytes);
    Report("copy of the bytes (baseline)", copyMs, copyMs, "copy");
    Report("split into UTF-16 lines (baseline)", splitMs, splitMs, "split");
    Report("read settings", readSettingsMs, splitMs, "split");
    Report("read lists and presets", readListsMs, splitMs, "split");
    Report("write all", writeMs, splitMs, "split");
#ifdef _WIN32
    BenchWindows(settings, lists, presets, large);
#endif
    return 0;
}
