// The real program takes files from outside: paths on its command line, a list
// file of paths, and a second start that hands its paths to the running one.
// Whatever else arrives as WM_COPYDATA changes nothing.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <utility>
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

// The first Quillmoth, played by this test: the one-instance mutex, and a
// hidden window of the program's class that does not answer, until it is let
// go; then it refuses every hand-over, as a Quillmoth that is closing does.
class SilentFirstInstance {
public:
    SilentFirstInstance()
        : mutex_(CreateMutexW(nullptr, FALSE, SingleInstanceMutexName)),
          answer_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          thread_([this] {
              WNDCLASSW windowClass{};
              windowClass.lpfnWndProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
                  return m == WM_COPYDATA ? FALSE : DefWindowProcW(w, m, wp, lp);
              };
              windowClass.lpszClassName = L"MainWindow";
              RegisterClassW(&windowClass);
              window_ = CreateWindowExW(0, L"MainWindow", nullptr, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
              WaitForSingleObject(answer_, INFINITE);
              MSG message;
              while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
              DestroyWindow(window_);
          }) {}
    ~SilentFirstInstance() {
        Answer();
        while (!window_) Sleep(10);
        PostMessageW(window_, WM_QUIT, 0, 0);
        thread_.join();
        LetGoOfTheMutex();
    }
    void Answer() { SetEvent(answer_); }
    void LetGoOfTheMutex() {
        if (mutex_) CloseHandle(std::exchange(mutex_, nullptr));
    }

private:
    HANDLE mutex_;
    HANDLE answer_;
    std::atomic<HWND> window_{nullptr};
    std::thread thread_;
};

// A second start whose paths no running Quillmoth takes never drops them:
// while the other holds the one instance it says how many it could not add
// and ends with a code other than 0; once the other is gone (closing, its
// window refusing), it opens its own window with them.
TEST_F(ProgramOutsidePaths, ASecondStartThatNoOneAnswersKeepsItsPaths) {
    MakeFiles({L"one.txt", L"two.txt"});
    SilentFirstInstance first;
    {
        ProgramProcess second(program_, L"one.txt two.txt", files_.path());
        HWND box = second.waitForDialog(L"Quillmoth: paths not added", Timeout);
        ASSERT_NE(box, nullptr) << "ended without a word";
        EXPECT_EQ(ItemText(box, 0xFFFF).rfind(L"2 path(s) from the command line were not added", 0), 0u)
            << Narrow(ItemText(box, 0xFFFF));
        PostMessageW(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(second.waitForExit(Timeout), PathsNotAddedExitCode);
    }
    first.Answer();
    first.LetGoOfTheMutex();
    ProgramProcess second(program_, L"one.txt two.txt", files_.path());
    HWND main = MainShowing(second, 2);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(ListColumn(main, 0), (std::vector<std::wstring>{L"one.txt", L"two.txt"}));
    Close(second, main);
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
