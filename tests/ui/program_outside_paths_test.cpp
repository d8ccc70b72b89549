// The real program takes files from outside: paths on its command line, a list
// file of paths, a second start that hands its paths over, and "Add Folder".
// Whatever else arrives as WM_COPYDATA changes nothing.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/application.h"
#include "core/outside/handover_message.h"
#include "program_process.h"
#include "remote_list_text.h"
#include "resource_ids.h"
#include "window_driving.h"

namespace qm::testing {
namespace {

constexpr DWORD Timeout = 30000;

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

std::wstring FilesText(std::size_t count) { return L" Files: " + std::to_wstring(count); }

std::vector<std::wstring> ListColumn(HWND main, int column) {
    HWND list = GetDlgItem(main, IDC_FILE_LIST);
    std::vector<std::wstring> texts;
    for (int row = 0; row < RowCount(list); ++row) texts.push_back(RemoteListText(list, row, column));
    return texts;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

class ProgramOutsidePaths : public ::testing::Test {
protected:
    void SetUp() override { program_ = CopyProgramInto(L"Quillmoth.exe", programFolder_); }

    void MakeFiles(const std::vector<std::wstring>& names) {
        for (const std::wstring& name : names) ASSERT_TRUE(test::PutFileContent(files_.File(name), {'x'}));
    }

    // A second start in the files' folder; it must hand over and end with 0.
    void StartSecond(const std::wstring& arguments) {
        ProgramProcess second(program_, arguments, files_.path());
        ASSERT_TRUE(second.started());
        EXPECT_EQ(second.waitForExit(Timeout), 0);
    }

    // The main window of `process`, showing `count` files.
    HWND MainShowing(const ProgramProcess& process, std::size_t count, DWORD milliseconds = Timeout) {
        HWND main = process.waitForDialog(L"Quillmoth", Timeout);
        if (!main) return nullptr;
        WaitUntil([&] { return ItemText(main, IDC_STATUS_COUNT) == FilesText(count); }, milliseconds);
        return main;
    }

    void Close(const ProgramProcess& process, HWND main) {
        PostMessageW(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(process.waitForExit(Timeout), 0);
    }

    TemporaryFolder programFolder_;
    TemporaryFolder files_;
    std::wstring program_;
};

TEST_F(ProgramOutsidePaths, AStartWithPathsListsThemAndASecondStartAddsMore) {
    const std::vector<std::wstring> names = {L"a 1.txt", L"b.jpg", L"\u00DCrlaub \u65E5\u672C.png", L"d.txt",
                                             L"e \u00E9.txt"};
    MakeFiles(names);
    // Full, quoted, and relative to the folder the program starts in.
    ProgramProcess first(program_,
                         Quoted(files_.File(names[0])) + L" " + Quoted(files_.File(names[1])) + L" " + Quoted(names[2]),
                         files_.path());
    HWND main = MainShowing(first, 3);
    ASSERT_NE(main, nullptr);
    ASSERT_EQ(ItemText(main, IDC_STATUS_COUNT), FilesText(3));
    EXPECT_EQ(ListColumn(main, 0), (std::vector<std::wstring>{names[0], names[1], names[2]}));
    EXPECT_EQ(ListColumn(main, 4), std::vector<std::wstring>(3, files_.path()));

    StartSecond(Quoted(names[3]) + L" " + Quoted(files_.File(names[4])));
    EXPECT_TRUE(WaitUntil([&] { return ItemText(main, IDC_STATUS_COUNT) == FilesText(5); }, Timeout))
        << Narrow(ItemText(main, IDC_STATUS_COUNT));
    EXPECT_EQ(ListColumn(main, 0), names);
    EXPECT_EQ(first.waitForDialog(L"Error", 0), nullptr) << "a message although every path was added";
    Close(first, main);
}

TEST_F(ProgramOutsidePaths, AMissingPathAndAFolderAreSkippedWithOneMessageAndNoRename) {
    MakeFiles({L"good.txt", L"listed 1.txt", L"listed 2.txt"});
    CreateDirectoryW(files_.File(L"folder").c_str(), nullptr);
    const std::string list = "listed 1.txt\r\n\r\n" + Narrow(files_.File(L"listed 2.txt")) + "\r\n";
    ASSERT_TRUE(test::PutFileContent(files_.File(L"list.txt"), std::vector<std::uint8_t>(list.begin(), list.end())));
    // The rename after a drop is on, and would rename: it must not run for these.
    const std::wstring settings = L"\uFEFF[SETTINGS]\r\nSettingsFlags=65\r\n\r\n";
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(settings.data());
    test::PutFileContent(programFolder_.File(L"settings.ini"),
                         std::vector<std::uint8_t>(bytes, bytes + settings.size() * sizeof(wchar_t)));

    ProgramProcess first(program_);
    HWND main = MainShowing(first, 0);
    ASSERT_NE(main, nullptr);
    Check(main, IDC_FILE_NAMES, true);
    Check(main, IDC_PREFIX, true);
    SetDlgItemTextW(main, IDC_PREFIX_BOX, L"Renamed");

    StartSecond(Quoted(files_.File(L"missing.txt")) + L" folder good.txt @list.txt");
    HWND box = first.waitForDialog(L"Error", Timeout);
    ASSERT_NE(box, nullptr) << "no message about the paths that could not be added";
    const std::wstring text = ItemText(box, 0xFFFF);
    EXPECT_EQ(text.rfind(L"2 paths could not be added", 0), 0u) << Narrow(text);
    EXPECT_NE(text.find(files_.File(L"missing.txt")), std::wstring::npos) << Narrow(text);
    EXPECT_NE(text.find(files_.File(L"folder")), std::wstring::npos) << Narrow(text);
    EXPECT_EQ(ItemText(main, IDC_STATUS_COUNT), FilesText(3)) << "the message comes after the rows";
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); }, Timeout));
    Sleep(500);
    EXPECT_EQ(first.waitForDialog(L"Error", 0), nullptr) << "said more than once";

    EXPECT_EQ(ListColumn(main, 0), (std::vector<std::wstring>{L"good.txt", L"listed 1.txt", L"listed 2.txt"}));
    EXPECT_EQ(files_.Names(), (std::vector<std::wstring>{L"folder", L"good.txt", L"list.txt", L"listed 1.txt",
                                                          L"listed 2.txt"}))
        << "renamed although the rename after a drop is for drops only";
    Close(first, main);
}

TEST_F(ProgramOutsidePaths, AListFileOfTenThousandPathsListsThemAll) {
    constexpr int Count = 10'000;
    std::u16string list = u"\uFEFF";
    for (int i = 0; i < Count; ++i) {
        const std::wstring name = L"f\u00E9 " + std::to_wstring(i) + L".txt";
        HANDLE file = CreateFileW(files_.File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
        list += std::u16string(name.begin(), name.end()) + u"\r\n";
    }
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(list.data());
    ASSERT_TRUE(test::PutFileContent(files_.File(L"list.txt"),
                                     std::vector<std::uint8_t>(bytes, bytes + list.size() * sizeof(char16_t))));

    ProgramProcess first(program_, Quoted(L"@" + files_.File(L"list.txt")));
    HWND main = MainShowing(first, Count, 120000);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ItemText(main, IDC_STATUS_COUNT), FilesText(Count));
    HWND listView = GetDlgItem(main, IDC_FILE_LIST);
    EXPECT_EQ(RemoteListText(listView, 0, 0), L"f\u00E9 0.txt");
    EXPECT_EQ(RemoteListText(listView, Count - 1, 0), L"f\u00E9 9999.txt");
    EXPECT_EQ(first.waitForDialog(L"Error", 0), nullptr);
    Close(first, main);
}

// The first Quillmoth, played by this thread (the mutex, a window of the class that
// does not answer while the thread waits), never takes the paths: while it holds the
// mutex the second start says so, ending with code 1; then it opens its own window.
TEST_F(ProgramOutsidePaths, ASecondStartThatNoOneAnswersKeepsItsPaths) {
    MakeFiles({L"one.txt", L"two.txt"});
    HANDLE mutex = CreateMutexW(nullptr, FALSE, SingleInstanceMutexName);
    const WNDCLASSW windowClass{0, DefWindowProcW, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, L"MainWindow"};
    RegisterClassW(&windowClass);
    HWND silent = CreateWindowExW(0, L"MainWindow", nullptr, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    {
        ProgramProcess second(program_, L"one.txt two.txt", files_.path());
        HWND box = second.waitForDialog(L"Quillmoth: paths not added", Timeout);
        ASSERT_NE(box, nullptr) << "ended without a word";
        EXPECT_EQ(ItemText(box, 0xFFFF).rfind(L"2 path(s) from the command line were not added", 0), 0u);
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(second.waitForExit(Timeout), PathsNotAddedExitCode);
    }
    CloseHandle(mutex);
    ProgramProcess second(program_, L"one.txt two.txt", files_.path());
    HWND main = MainShowing(second, 2);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ListColumn(main, 0), (std::vector<std::wstring>{L"one.txt", L"two.txt"}));
    Close(second, main);
    DestroyWindow(silent);
}

// "Add Folder" through the platform's picker, the folder typed, "Include hidden and
// system files" ticked or not: the text of the message at the end, answered, or nothing.
std::wstring AddFolder(const ProgramProcess& process, HWND main, const std::wstring& folder, bool tickHidden) {
    const auto window = [&](bool picker) {  // only the picker has a file name box
        HWND w = process.waitForDialog(L"Add Folder", 0);
        return w && (GetDlgItem(w, 1152) != nullptr) == picker ? w : nullptr;
    };
    PostMessageW(main, WM_COMMAND, IDC_ADD_FOLDER, 0);
    HWND picker = nullptr, box = nullptr, message = nullptr;
    WaitUntil([&] { return (picker = window(true)) != nullptr; }, Timeout);
    EnumChildWindows(picker, [](HWND child, LPARAM found) -> BOOL {
        wchar_t text[64] = {};
        GetWindowTextW(child, text, 64);
        if (std::wstring(text) == L"Include hidden and system files") *reinterpret_cast<HWND*>(found) = child;
        return TRUE;
    }, reinterpret_cast<LPARAM>(&box));
    if (tickHidden) SendMessageW(box, BM_CLICK, 0, 0);
    SetDlgItemTextW(picker, 1152, folder.c_str());
    PostMessageW(picker, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return (message = window(false)) != nullptr; }, 3000);
    const std::wstring text = message ? ItemText(message, 0xFFFF) : L"";
    if (message) PostMessageW(message, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !process.waitForDialog(L"Add Folder", 0); }, Timeout);
    return text;
}

// Hidden and system files and folders left out and counted, unless the new box says.
TEST_F(ProgramOutsidePaths, AddFolderTakesHiddenAndSystemFilesOnlyWithTheNewBox) {
    for (const wchar_t* folder : {L"sub", L"cache"}) CreateDirectoryW(files_.File(folder).c_str(), nullptr);
    MakeFiles({L"a.txt", L"desktop.ini", L"Thumbs.db", L"boot.dat", L"sub\\b.txt", L"cache\\c.txt"});
    SetFileAttributesW(files_.File(L"desktop.ini").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    SetFileAttributesW(files_.File(L"Thumbs.db").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(files_.File(L"boot.dat").c_str(), FILE_ATTRIBUTE_SYSTEM);
    SetFileAttributesW(files_.File(L"cache").c_str(), FILE_ATTRIBUTE_HIDDEN);
    ProgramProcess first(program_);
    HWND main = MainShowing(first, 0);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(AddFolder(first, main, files_.path(), false), L"3 hidden or system file(s) and 1 hidden or system "
              L"folder(s) were left out; \"Include hidden and system files\" adds them.");
    EXPECT_EQ(AddFolder(first, main, files_.path(), true), L"") << "nothing left out, nothing to say";
    EXPECT_EQ(ListColumn(main, 0), (std::vector<std::wstring>{L"a.txt", L"b.txt", L"a.txt", L"boot.dat",
                                                               L"desktop.ini", L"Thumbs.db", L"c.txt", L"b.txt"}));
    Close(first, main);
    const std::vector<std::uint8_t> saved = test::FileContent(programFolder_.File(L"settings.ini"));
    const std::u16string key = u"\r\nAddFolderFlags=1\r\n";
    EXPECT_NE(std::u16string(reinterpret_cast<const char16_t*>(saved.data()), saved.size() / 2).find(key), std::u16string::npos);
}

TEST_F(ProgramOutsidePaths, WrongCopyDataMessagesChangeNothing) {
    MakeFiles({L"one.txt", L"two.txt"});
    ProgramProcess first(program_, Quoted(files_.File(L"one.txt")));
    HWND main = MainShowing(first, 1);
    ASSERT_NE(main, nullptr);
    ASSERT_EQ(ItemText(main, IDC_STATUS_COUNT), FilesText(1));
    HWND hidden = first.findWindowOfClass(L"MainWindow");
    ASSERT_NE(hidden, nullptr);

    const std::wstring path = files_.File(L"two.txt");
    std::vector<std::uint8_t> good = {1, 0, 0, 0, 1, 0, 0, 0};
    for (wchar_t unit : path) good.push_back(static_cast<std::uint8_t>(unit)), good.push_back(unit >> 8);
    good.push_back(0), good.push_back(0);
    auto send = [&](std::uint64_t form, const std::vector<std::uint8_t>& bytes, DWORD size) {
        COPYDATASTRUCT data{static_cast<ULONG_PTR>(form), size, const_cast<std::uint8_t*>(bytes.data())};
        return SendMessageW(hidden, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    };
    std::vector<std::uint8_t> noEndMark(good.begin(), good.end() - 2);
    std::vector<std::uint8_t> countTwo = good;
    countTwo[0] = 2;
    std::vector<std::uint8_t> unknownFlag = good;
    unknownFlag[4] = 2;
    const struct {
        const char* what;
        std::uint64_t form;
        const std::vector<std::uint8_t>& bytes;
        DWORD size;
    } wrong[] = {
        {"a wrong form", HandoverForm ^ 1, good, static_cast<DWORD>(good.size())},
        {"a size too small", HandoverForm, good, static_cast<DWORD>(good.size() - 4)},
        {"a size too large", HandoverForm, countTwo, static_cast<DWORD>(countTwo.size())},
        {"no end mark", HandoverForm, noEndMark, static_cast<DWORD>(noEndMark.size())},
        {"an unknown flag", HandoverForm, unknownFlag, static_cast<DWORD>(unknownFlag.size())},
        {"nothing", HandoverForm, good, 0},
    };
    for (const auto& message : wrong) EXPECT_EQ(send(message.form, message.bytes, message.size), FALSE) << message.what;
    Sleep(500);
    EXPECT_TRUE(first.running());
    EXPECT_EQ(ItemText(main, IDC_STATUS_COUNT), FilesText(1));
    EXPECT_EQ(first.waitForDialog(L"Error", 0), nullptr);

    // The same path in the right form is taken: the wrong ones did reach the window.
    EXPECT_EQ(send(HandoverForm, good, static_cast<DWORD>(good.size())), TRUE);
    EXPECT_TRUE(WaitUntil([&] { return ItemText(main, IDC_STATUS_COUNT) == FilesText(2); }, Timeout));
    EXPECT_EQ(ListColumn(main, 0), (std::vector<std::wstring>{L"one.txt", L"two.txt"}));
    Close(first, main);
}

}  // namespace
}  // namespace qm::testing
