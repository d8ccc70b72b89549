// The real program at long work, driven by real input: renaming 3,000 files,
// where clicks on "Clear" and "Start" ("Stop") during a run never act
// afterwards, the status cell counts on screen, Esc or "Stop" ends the run
// part-way and one undo gives every file back; what the status line says after
// a whole run and undo, settings.ini written after each, and the close box
// during a run, which asks, stops and closes; and "Add Folder" on a large
// tree, started with a click, which Esc stops after the user has been to
// another window and back.
#include <gtest/gtest.h>

#include <algorithm>

#include "program_process.h"
#include "real_input.h"
#include "resource_ids.h"
#include "window_driving.h"

namespace qm::testing {
namespace {

constexpr DWORD Timeout = 60000;

// Every input made so far has been taken: a real click on "Always On Top"
// has turned it on, and a second one off, since real input is taken in order.
bool EarlierInputTaken(HWND main) {
    HWND box = GetDlgItem(main, IDC_ALWAYS_ON_TOP);
    for (const bool on : {true, false}) {
        if (!ClickOn(box) || !WaitUntil([&] { return Checked(main, IDC_ALWAYS_ON_TOP) == on; }, Timeout)) return false;
    }
    return true;
}

std::vector<COLORREF> CellPixels(HWND main) {
    RECT r{};
    GetWindowRect(GetDlgItem(main, IDC_STATUS_MESSAGE), &r);
    const ScreenPixels shot(r);
    std::vector<COLORREF> pixels;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) pixels.push_back(shot.At(x, y));
    return pixels;
}

bool StartsWith(const std::wstring& text, const wchar_t* start) { return text.rfind(start, 0) == 0; }

// Where the close box of the window's caption is, found as the window itself tells it.
POINT CloseBox(HWND main) {
    RECT r{};
    GetWindowRect(main, &r);
    const int y = r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
    for (int x = r.right - 1; x > r.left; --x) {
        DWORD_PTR hit = 0;
        SendMessageTimeoutW(main, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_NORMAL, 2000, &hit);
        if (hit == HTCLOSE) return {x - 3, y};
    }
    return {r.right - 10, y};
}

// A visible window that `main` owns: the message box it shows.
HWND OwnedBox(HWND main) {
    std::pair<HWND, HWND> search{main, nullptr};
    EnumThreadWindows(GetWindowThreadProcessId(main, nullptr), [](HWND window, LPARAM found) {
        auto& [owner, box] = *reinterpret_cast<std::pair<HWND, HWND>*>(found);
        if (GetWindow(window, GW_OWNER) == owner && IsWindowVisible(window)) box = window;
        return box == nullptr ? TRUE : FALSE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.second;
}

std::u16string SettingsText(const TemporaryFolder& folder) {
    const std::vector<std::uint8_t> bytes = test::FileContent(folder.File(L"settings.ini"));
    return std::u16string(reinterpret_cast<const char16_t*>(bytes.data()), bytes.size() / 2);
}

// The count of " Stopped after 1,207 of 3,000", once the cell says so; 0 otherwise.
std::size_t StoppedAfter(HWND main) {
    std::wstring text = ItemText(main, IDC_STATUS_MESSAGE);
    if (!StartsWith(text, L" Stopped after ") || text.find(L" of 3,000") == std::wstring::npos) return 0;
    text.erase(std::remove(text.begin(), text.end(), L','), text.end());
    return std::wcstoul(text.c_str() + 15, nullptr, 10);
}

TEST(ProgramLongRun, ClicksDuringARunAreDroppedEscStopAndTheCloseBoxEndItAndEveryEndIsTold) {
    TemporaryFolder programFolder;
    TemporaryFolder files;
    std::string list;
    for (std::size_t i = 0; i < 3000; ++i) {
        const std::wstring path = files.File(L"photo " + std::to_wstring(10000 + i) + L".txt");
        ASSERT_TRUE(test::PutFileContent(path, {'x'}));
        list += std::string(path.begin(), path.end()) + "\r\n";
    }
    const std::vector<std::wstring> originals = files.Names();
    ASSERT_TRUE(test::PutFileContent(programFolder.File(L"list.txt"), {list.begin(), list.end()}));
    ProgramProcess process(CopyProgramInto(L"Quillmoth.exe", programFolder), L"@" + programFolder.File(L"list.txt"));
    HWND main = process.waitForDialog(L"Quillmoth", Timeout);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return ItemText(main, IDC_STATUS_COUNT) == L" Files: 3000"; }, Timeout));
    ChoosePrefixAndModifiedTime(main);
    RealInputScene scene;
    ASSERT_TRUE(scene.ready()) << "a key or button stays held";
    ASSERT_TRUE(BringToFront(main));
    const auto renamed = [&] {
        const std::vector<std::wstring> names = files.Names();
        return std::count_if(names.begin(), names.end(), [](const std::wstring& n) { return StartsWith(n, L"P_"); });
    };

    // Esc stops the first run, a click on "Start" (which reads "Stop") the
    // second; a click on "Clear" during each acts neither then nor afterwards.
    std::size_t most = 0;
    ASSERT_TRUE(SettingsText(programFolder).empty()) << "written only when there is something to keep";
    for (const bool byEscape : {true, false}) {
        PostMessageW(main, WM_COMMAND, IDC_START, 0);
        ASSERT_TRUE(WaitUntil([&] { return StartsWith(ItemText(main, IDC_STATUS_MESSAGE), L" Renaming "); }, Timeout));
        const std::vector<COLORREF> early = CellPixels(main);
        ASSERT_TRUE(ClickOn(GetDlgItem(main, IDC_CLEAR)));
        EXPECT_TRUE(WaitUntil([&] { return CellPixels(main) != early; }, Timeout)) << "the count moves on screen";
        EXPECT_EQ(ItemText(main, IDC_START), L"Stop");
        if (byEscape) {
            PressKey(VK_ESCAPE);
        } else {
            ASSERT_TRUE(ClickOn(GetDlgItem(main, IDC_START)));
        }
        ASSERT_TRUE(WaitUntil([&] { return StoppedAfter(main) > 0; }, Timeout)) << "stopped by Esc " << byEscape;
        const std::size_t done = StoppedAfter(main);
        EXPECT_LT(done, 3000u);
        most = std::max(most, done);
        ASSERT_TRUE(EarlierInputTaken(main));
        EXPECT_EQ(renamed(), static_cast<std::ptrdiff_t>(most)) << "the rows done so far, and no run afterwards";
        EXPECT_EQ(ItemText(main, IDC_STATUS_COUNT), L" Files: 3000") << "the click on \"Clear\" was dropped";
        EXPECT_EQ(ItemText(main, IDC_START), L"Start");
    }

    PostMessageW(main, WM_COMMAND, IDC_UNDO, 0);
    EXPECT_TRUE(WaitUntil([&] { return files.Names() == originals; }, Timeout)) << "one undo restores every file";
    EXPECT_TRUE(WaitUntil([&] { return ItemText(main, IDC_UNDO) == L"^"; }, Timeout)) << "the undo has ended";
    EXPECT_TRUE(WaitUntil([&] { return ItemText(main, IDC_STATUS_MESSAGE) == L" 3,000 files restored"; }, Timeout));

    // A whole run and its undo each say what they did, until the next change,
    // and each leaves settings.ini written while the program runs on.
    SetDlgItemTextW(main, IDC_ZEROS_EDIT, L"4");
    PostMessageW(main, WM_COMMAND, IDC_START, 0);
    EXPECT_TRUE(WaitUntil([&] { return ItemText(main, IDC_STATUS_MESSAGE) == L" 3,000 files renamed"; }, Timeout));
    EXPECT_EQ(renamed(), 3000);
    EXPECT_NE(SettingsText(programFolder).find(u"\r\nZeros=4\r\n"), std::u16string::npos) << "written after the run";
    Sleep(500);
    EXPECT_EQ(ItemText(main, IDC_STATUS_MESSAGE), L" 3,000 files renamed") << "it stands";
    SetDlgItemTextW(main, IDC_ZEROS_EDIT, L"6");
    PostMessageW(main, WM_COMMAND, IDC_UNDO, 0);
    EXPECT_TRUE(WaitUntil([&] { return ItemText(main, IDC_STATUS_MESSAGE) == L" 3,000 files restored"; }, Timeout));
    EXPECT_EQ(files.Names(), originals);
    EXPECT_NE(SettingsText(programFolder).find(u"\r\nZeros=6\r\n"), std::u16string::npos) << "written after the undo";

    // The close box during a run asks; Yes stops it after the file in hand and
    // closes the program (the journal's own tests show what it then holds).
    PostMessageW(main, WM_COMMAND, IDC_START, 0);
    ASSERT_TRUE(WaitUntil([&] { return StartsWith(ItemText(main, IDC_STATUS_MESSAGE), L" Renaming "); }, Timeout));
    ASSERT_TRUE(BringToFront(main));
    ASSERT_TRUE(ClickAt(CloseBox(main)));
    HWND question = nullptr;  // the box the window owns while it asks
    ASSERT_TRUE(WaitUntil([&] { return (question = OwnedBox(main)) != nullptr; }, Timeout));
    EXPECT_EQ(ItemText(question, 0xFFFF), L"Stop the run and close Quillmoth?");
    EXPECT_TRUE(process.running()) << "nothing closes before the answer";
    PostMessageW(question, WM_COMMAND, IDYES, 0);
    ASSERT_EQ(process.waitForExit(Timeout), 0);
    const std::ptrdiff_t stoppedAt = renamed();
    EXPECT_GT(stoppedAt, 0);
    EXPECT_LT(stoppedAt, 3000) << "stopped, not run to the end";
}

// Started with the mouse, its button greyed and no control focused; and once
// more after the user has looked at another window and come back: Esc stops
// the walk either way, and the files found so far stay in the list.
TEST(ProgramLongRun, EscStopsAddFolderStartedWithAClickAlsoAfterSwitchingWindows) {
    constexpr unsigned long Folders = 100, FilesPerFolder = 200;
    TemporaryFolder programFolder;
    TemporaryFolder tree;
    for (unsigned long folder = 0; folder < Folders; ++folder) {
        const std::wstring path = tree.File(L"folder " + std::to_wstring(1000 + folder));
        ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
        for (unsigned long file = 0; file < FilesPerFolder; ++file)
            ASSERT_TRUE(test::PutFileContent(path + L"\\photo " + std::to_wstring(file) + L".txt", {}));
    }
    ProgramProcess process(CopyProgramInto(L"Quillmoth.exe", programFolder));
    HWND main = process.waitForDialog(L"Quillmoth", Timeout);
    ASSERT_NE(main, nullptr);
    RealInputScene scene;
    ASSERT_TRUE(scene.ready()) << "a key or button stays held";
    const auto walking = [&] { return ItemText(main, IDC_STATUS_MESSAGE).rfind(L" Adding ", 0) == 0; };
    const auto count = [&] { return std::wcstoul(ItemText(main, IDC_STATUS_COUNT).c_str() + 8, nullptr, 10); };

    unsigned long before = 0;
    for (const bool switchFirst : {false, true}) {
        SCOPED_TRACE(switchFirst ? "after switching windows" : "at once");
        ASSERT_TRUE(BringToFront(main));
        ASSERT_TRUE(ClickOn(GetDlgItem(main, IDC_ADD_FOLDER)));
        HWND picker = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (picker = process.waitForDialog(L"Add Folder", 0)) != nullptr; }, Timeout));
        SetDlgItemTextW(picker, 1152, tree.path().c_str());  // the picker's name box
        PostMessageW(picker, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitUntil(walking, Timeout));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(main, IDC_ADD_FOLDER))) << "greyed meanwhile";
        if (switchFirst) {
            HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                         nullptr, GetModuleHandleW(nullptr), nullptr);
            ASSERT_TRUE(BringToFront(other, false));
            // Back, with the focus wherever the system leaves it.
            ASSERT_TRUE(BringToFront(main, false));
            DestroyWindow(other);
        }
        ASSERT_TRUE(walking()) << "the tree is too small to be stopped";
        PressKey(VK_ESCAPE);
        ASSERT_TRUE(WaitUntil([&] { return !walking(); }, Timeout)) << "the walk never ended";
        const unsigned long added = count() - before;  // " Files: 1234"
        EXPECT_GT(added, 0u);
        EXPECT_LT(added, Folders * FilesPerFolder) << "Esc did not stop the walk: every file was added";
        ASSERT_TRUE(EarlierInputTaken(main));
        EXPECT_EQ(count(), before + added) << "the walk went on after Esc";
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(main, IDC_ADD_FOLDER)));
        before = count();
    }
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(process.waitForExit(Timeout), 0);
}

}  // namespace
}  // namespace qm::testing
