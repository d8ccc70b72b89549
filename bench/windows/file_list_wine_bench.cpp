// Adding, renaming and undoing 10,000 real files through the real main window,
// each beside a bare loop in the same run that makes the same file calls on
// the same files and writes the same texts into a plain list view with the
// same columns (redraw off, as the least work); and adding the same files
// from a list file (`Quillmoth.exe @LIST`) beside the bare adding loop; and
// adding 10,000 JPEGs that carry Exif (those ExifTool dated for the tests,
// copied), and 10,000 files in 100 folders, every other one such a JPEG, from
// a list file, each beside the bare loop, which reads no date. An add ends
// when its rows are in; the dates taken that are read after it are waited
// for untimed ("seconds dates-taken-...").
// Prints "ratio NAME VALUE": the window's time over the bare loop's.
// Usage: file_list_wine_bench [FILES]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "app/outside_paths_inbox.h"
#include "app/private_commands.h"
#include "app/process_records.h"
#include "bench_files.h"
#include "win32/temporary_folder.h"
#include "core/rows/attribute_letters.h"
#include "main_window_harness.h"
#include "resource_ids.h"
#include "ui/file_commands/dates_taken.h"
#include "win32/locale/time_text.h"
#include "window_driving.h"
#include "window_thread_calls.h"

namespace {

using namespace qm;
using bench::Seconds;

std::uint64_t Value(const FILETIME& f) { return (static_cast<std::uint64_t>(f.dwHighDateTime) << 32) | f.dwLowDateTime; }

// The plain list view of the bare loops: eleven columns, rows inserted and texted.
class PlainList {
public:
    PlainList() {
        window_ = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE | LVS_REPORT, 0, 0, 900, 500,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        SendMessageW(window_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
        for (int c = 0; c < 11; ++c) {
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.cx = 100;
            column.pszText = const_cast<wchar_t*>(L"Column");
            SendMessageW(window_, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
        }
    }
    ~PlainList() { DestroyWindow(window_); }
    void Redraw(bool on) {
        SendMessageW(window_, WM_SETREDRAW, on, 0);
        if (on) InvalidateRect(window_, nullptr, TRUE);
    }
    int Append(const std::wstring& text) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(SendMessageW(window_, LVM_GETITEMCOUNT, 0, 0));
        item.pszText = const_cast<wchar_t*>(text.c_str());
        return static_cast<int>(SendMessageW(window_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    }
    void Set(int row, int column, const std::u16string_view text) {
        std::wstring copy(text.begin(), text.end());
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = copy.data();
        SendMessageW(window_, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    }

private:
    HWND window_;
};

std::u16string U16(const std::wstring& text) { return {text.begin(), text.end()}; }

void SetDates(PlainList& list, int row, int first, const FILETIME& c, const FILETIME& a, const FILETIME& w) {
    list.Set(row, first, win32::FormatListDate(Value(c)).view());
    list.Set(row, first + 1, win32::FormatListDate(Value(w)).view());
    list.Set(row, first + 2, win32::FormatListDate(Value(a)).view());
}

// With the list's redraw off, as around the whole of BareAdd.
void BareAddRows(PlainList& list, const std::wstring& folder, const std::vector<std::wstring>& names) {
    for (const std::wstring& name : names) {
        const std::wstring path = folder + L"\\" + name;
        const int row = list.Append(name);
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        FILETIME c{}, a{}, w{};
        GetFileTime(file, &c, &a, &w);
        FILE_BASIC_INFO basic{};
        GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof(basic));
        CloseHandle(file);
        const AttributeLetters letters = FormatAttributeLetters(basic.FileAttributes);
        list.Set(row, 5, letters.view());
        list.Set(row, 10, letters.view());
        SetDates(list, row, 1, c, a, w);
        SetDates(list, row, 7, c, a, w);
        list.Set(row, 4, U16(folder));
        list.Set(row, 6, U16(name));
    }
}

void BareAdd(PlainList& list, const std::wstring& folder, const std::vector<std::wstring>& names) {
    list.Redraw(false);
    BareAddRows(list, folder, names);
    list.Redraw(true);
}

std::wstring NewName(std::size_t i, const std::wstring& old) {
    wchar_t number[16];
    swprintf(number, 16, L"%05u", static_cast<unsigned>(i + 1));
    return L"P_" + std::wstring(number) + old.substr(old.rfind(L'.'));
}

void BareRun(PlainList& list, const std::wstring& folder, const std::vector<std::wstring>& names,
             std::uint64_t newTime) {
    list.Redraw(false);
    const FILETIME when{static_cast<DWORD>(newTime), static_cast<DWORD>(newTime >> 32)};
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::wstring oldPath = folder + L"\\" + names[i];
        const std::wstring newPath = folder + L"\\" + NewName(i, names[i]);
        const DWORD saved = GetFileAttributesW(oldPath.c_str());
        SetFileAttributesW(oldPath.c_str(), FILE_ATTRIBUTE_NORMAL);
        HANDLE file = CreateFileW(oldPath.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        SetFileTime(file, nullptr, nullptr, &when);
        FILETIME c{}, a{}, w{};
        GetFileTime(file, &c, &a, &w);
        CloseHandle(file);
        MoveFileW(oldPath.c_str(), newPath.c_str());
        list.Set(static_cast<int>(i), 0, U16(NewName(i, names[i])));
        SetDates(list, static_cast<int>(i), 1, c, a, w);
        SetFileAttributesW(newPath.c_str(), saved);
        list.Set(static_cast<int>(i), 5, FormatAttributeLetters(GetFileAttributesW(newPath.c_str())).view());
    }
    list.Redraw(true);
}

void BareUndo(PlainList& list, const std::wstring& folder, const std::vector<std::wstring>& names,
              const std::vector<std::u16string>& dates) {
    list.Redraw(false);
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::wstring original = folder + L"\\" + names[i];
        const std::wstring current = folder + L"\\" + NewName(i, names[i]);
        SetFileAttributesW(current.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (MoveFileW(current.c_str(), original.c_str())) list.Set(static_cast<int>(i), 0, U16(names[i]));
        std::uint64_t times[3] = {};
        for (int k = 0; k < 3; ++k) times[k] = win32::ParseDateText(dates[i * 3 + k]).value_or(0);
        HANDLE file = CreateFileW(original.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        const FILETIME c{static_cast<DWORD>(times[0]), static_cast<DWORD>(times[0] >> 32)};
        const FILETIME w{static_cast<DWORD>(times[1]), static_cast<DWORD>(times[1] >> 32)};
        const FILETIME a{static_cast<DWORD>(times[2]), static_cast<DWORD>(times[2] >> 32)};
        SetFileTime(file, &c, &a, &w);
        CloseHandle(file);
        SetFileAttributesW(original.c_str(), ParseAttributeLetters(u"A"));
        list.Set(static_cast<int>(i), 5, u"A");
        SetDates(list, static_cast<int>(i), 1, c, a, w);
    }
    list.Redraw(true);
}

// The JPEGs that ExifTool dated for the date-taken tests, each padded with
// scan data past the reader's first window, as a camera's file is.
std::vector<std::string> ExifJpegs() {
    const std::string folder = QM_DATE_TAKEN_FILES;
    std::ifstream list(folder + "/expected.txt");
    std::vector<std::string> jpegs;
    std::string line;
    std::getline(list, line);  // the local offset
    while (std::getline(list, line)) {
        const std::string name = line.substr(0, line.find('\t'));
        if (!name.ends_with(".jpg")) continue;
        std::ifstream file(folder + "/" + name, std::ios::binary);
        std::string& bytes = jpegs.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        bytes.resize(bytes.size() + 8192, '\x55');
    }
    return jpegs;
}

// Opens each file once, untimed, so that neither of the timed passes that
// follow is the first to meet files just written.
void TouchEach(const std::vector<std::wstring>& paths) {
    for (const std::wstring& path : paths) CloseHandle(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
}

// Waits until every row of the window has its date taken; the seconds it took.
// The calls take the window's posted commands, CmdDatesTaken among them, so
// the dates are taken in here.
double WaitForDatesTaken(HWND w) {
    testing::WindowThreadCalls calls(w);
    return Seconds([&] {
        for (std::size_t waiting = 1; waiting > 0;) {
            calls.call([&] {
                TakeDatesTaken(w);
                waiting = RowsWaitingForDateTaken(w);
            });
            if (waiting > 0) Sleep(5);
        }
    });
}

constexpr int AddRounds = 3;

struct AddTimes {
    double window = 0, bare = 0;
    double dates = 0;  // the wait for the dates taken after the last add
};

// The bare loop and the window's add in turn, AddRounds times, each after the
// files were opened once more (TouchEach); the medians. The dates taken read
// after each add are waited for, untimed, before anything else is timed. The
// window's list is cleared (untimed) before every round but the first; the
// last round's rows stay, and its bare loop fills `kept`.
AddTimes TimeAdds(HWND w, const std::vector<std::wstring>& paths, PlainList& kept,
                  const std::function<void(PlainList&)>& bare, const std::function<void()>& add) {
    std::vector<double> windowTimes, bareTimes;
    AddTimes times;
    for (int round = 0; round < AddRounds; ++round) {
        if (round > 0) testing::Command(w, IDC_CLEAR);
        TouchEach(paths);
        // Every other round the window goes first, so that neither pass is always the second.
        const bool windowFirst = round % 2 == 1;
        const auto windowAdd = [&] {
            windowTimes.push_back(Seconds(add));
            times.dates = WaitForDatesTaken(w);
        };
        if (windowFirst) windowAdd();
        if (round + 1 == AddRounds) {
            bareTimes.push_back(Seconds([&] { bare(kept); }));
        } else {
            PlainList scratch;
            bareTimes.push_back(Seconds([&] { bare(scratch); }));
        }
        if (!windowFirst) windowAdd();
    }
    std::sort(windowTimes.begin(), windowTimes.end());
    std::sort(bareTimes.begin(), bareTimes.end());
    times.window = windowTimes[AddRounds / 2];
    times.bare = bareTimes[AddRounds / 2];
    return times;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::size_t count = argc > 1 ? std::wcstoul(argv[1], nullptr, 10) : 10'000;
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&init);
    const test::TemporaryFolder temporary;
    const std::wstring folder = temporary.path();
    std::vector<std::wstring> names;
    for (std::size_t i = 0; i < count; ++i) {
        names.push_back(L"photo " + std::to_wstring(i) + (i % 2 ? L".jpg" : L".txt"));
        bench::WriteFile(folder + L"\\" + names.back(), "x");
    }
    std::vector<std::wstring> paths;
    for (const std::wstring& name : names) paths.push_back(folder + L"\\" + name);
    std::vector<std::u16string> dates;  // what undo reads back: created, written, accessed per file
    for (const std::wstring& path : paths) {
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        FILETIME c{}, a{}, w{};
        GetFileTime(file, &c, &a, &w);
        CloseHandle(file);
        for (const FILETIME* t : {&c, &w, &a}) dates.push_back(win32::FormatListDate(Value(*t)).str());
    }

    Settings().SettingsFlags = 1;
    testing::MainWindowHarness window;
    HWND w = window.window();
    testing::ChoosePrefixAndModifiedTime(w);
    const std::uint64_t newTime = 133'500'000'000'000'000ull;

    PlainList plain;
    const AddTimes add = TimeAdds(w, paths, plain, [&](PlainList& list) { BareAdd(list, folder, names); }, [&] {
        SendMessageW(w, WM_DROPFILES, reinterpret_cast<WPARAM>(testing::MakeDrop(paths)), 0);
    });
    const double ourRun = Seconds([&] { testing::Command(w, IDC_START); });
    const double ourUndo = Seconds([&] { testing::Command(w, IDC_UNDO); });
    const double bareRun = Seconds([&] { BareRun(plain, folder, names, newTime); });
    const double bareUndo = Seconds([&] { BareUndo(plain, folder, names, dates); });

    // The same files again, from a list file of their full paths, taken on
    // the window's thread while timed; the bare loop again beside it.
    testing::Command(w, IDC_CLEAR);
    const test::TemporaryFolder listFolder;
    std::string list;
    for (const std::wstring& path : paths) list += std::string(path.begin(), path.end()) + "\r\n";
    bench::WriteFile(listFolder.File(L"list.txt"), list);
    const std::wstring listEntry = L"@" + listFolder.File(L"list.txt");
    PlainList plainAgain;
    OpenOutsideInbox(nullptr);  // no window told, no posted command: the timed one below takes the batch
    const AddTimes listAdd = TimeAdds(w, paths, plainAgain, [&](PlainList& l) { BareAdd(l, folder, names); }, [&] {
        PutOutsideBatch({std::u16string(listEntry.begin(), listEntry.end())});
        testing::Command(w, CmdTakeOutsidePaths);
    });
    const bool listed = testing::ItemText(w, IDC_STATUS_COUNT) == L" Files: " + std::to_wstring(count);

    // Photos: the same adding, with a date to read from each file.
    testing::Command(w, IDC_CLEAR);
    const std::vector<std::string> jpegs = ExifJpegs();
    const test::TemporaryFolder photoFolder;
    std::vector<std::wstring> photoNames, photoPaths;
    for (std::size_t i = 0; i < count && !jpegs.empty(); ++i) {
        photoNames.push_back(L"IMG_" + std::to_wstring(10000 + i) + L".jpg");
        photoPaths.push_back(photoFolder.File(photoNames.back()));
        bench::WriteFile(photoPaths.back(), jpegs[i % jpegs.size()]);
    }
    PlainList plainPhotos;
    const AddTimes photos = TimeAdds(
        w, photoPaths, plainPhotos, [&](PlainList& l) { BareAdd(l, photoFolder.path(), photoNames); },
        [&] { SendMessageW(w, WM_DROPFILES, reinterpret_cast<WPARAM>(testing::MakeDrop(photoPaths)), 0); });
    const bool dated = !photoPaths.empty() && !testing::ListText(GetDlgItem(w, IDC_FILE_LIST), 0, 12).empty();

    // The same count in 100 folders, every other file a JPEG with Exif, from a
    // list file, as a tree of photos comes from a script.
    testing::Command(w, IDC_CLEAR);
    const test::TemporaryFolder treeFolder;
    std::vector<std::wstring> folders;
    std::vector<std::vector<std::wstring>> namesIn;
    std::string treeList;
    std::vector<std::wstring> treePaths;
    for (std::size_t f = 0; f < 100; ++f) {
        folders.push_back(treeFolder.File(L"folder " + std::to_wstring(f)));
        CreateDirectoryW(folders.back().c_str(), nullptr);
        namesIn.emplace_back();
    }
    for (std::size_t i = 0; i < count && !jpegs.empty(); ++i) {
        const std::size_t f = i * 100 / count;
        const bool photo = i % 2 == 1;
        namesIn[f].push_back((photo ? L"IMG_" : L"note ") + std::to_wstring(10000 + i) + (photo ? L".jpg" : L".txt"));
        const std::wstring path = folders[f] + L"\\" + namesIn[f].back();
        bench::WriteFile(path, photo ? jpegs[i % jpegs.size()] : std::string("x"));
        treeList += std::string(path.begin(), path.end()) + "\r\n";
        treePaths.push_back(path);
    }
    bench::WriteFile(listFolder.File(L"tree.txt"), treeList);
    const std::wstring treeEntry = L"@" + listFolder.File(L"tree.txt");
    PlainList plainTree;
    const auto bareTree = [&](PlainList& l) {
        l.Redraw(false);
        for (std::size_t f = 0; f < folders.size(); ++f) BareAddRows(l, folders[f], namesIn[f]);
        l.Redraw(true);
    };
    const AddTimes tree = TimeAdds(w, treePaths, plainTree, bareTree, [&] {
        PutOutsideBatch({std::u16string(treeEntry.begin(), treeEntry.end())});
        testing::Command(w, CmdTakeOutsidePaths);
    });
    const bool treeListed = testing::ItemText(w, IDC_STATUS_COUNT) == L" Files: " + std::to_wstring(count);

    std::printf("seconds add-%zu window %.2f bare %.2f (medians of %d)\n", count, add.window, add.bare, AddRounds);
    std::printf("seconds list-file-add-%zu window %.2f bare %.2f\n", count, listAdd.window, listAdd.bare);
    std::printf("seconds run-%zu window %.2f bare %.2f\n", count, ourRun, bareRun);
    std::printf("seconds undo-%zu window %.2f bare %.2f\n", count, ourUndo, bareUndo);
    std::printf("seconds add-exif-jpeg-%zu window %.2f bare %.2f\n", count, photos.window, photos.bare);
    std::printf("seconds add-100-folders-%zu window %.2f bare %.2f\n", count, tree.window, tree.bare);
    std::printf("seconds dates-taken-after add-%zu %.2f add-exif-jpeg-%zu %.2f add-100-folders-%zu %.2f\n", count,
                add.dates, count, photos.dates, count, tree.dates);
    std::printf("ratio add-%zu %.2f\n", count, add.window / add.bare);
    std::printf("ratio run-%zu %.2f\n", count, ourRun / bareRun);
    std::printf("ratio undo-%zu %.2f\n", count, ourUndo / bareUndo);
    std::printf("ratio list-file-add-%zu %.2f\n", count, listAdd.window / listAdd.bare);
    std::printf("ratio add-exif-jpeg-%zu %.2f\n", count, photos.window / photos.bare);
    std::printf("ratio add-100-folders-%zu %.2f\n", count, tree.window / tree.bare);
    const bool restored = listed && dated && treeListed && bench::NamesIn(folder).size() == count &&
                          GetFileAttributesW(paths.front().c_str()) != INVALID_FILE_ATTRIBUTES;
    window.close();
    return restored ? 0 : 1;
}
