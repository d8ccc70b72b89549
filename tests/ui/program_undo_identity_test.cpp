// The real program: four files renamed, the program closed; meanwhile one
// renamed file is deleted and a stranger made at its name that took its index
// (the inode, which Wine's Unix file systems hand on at once), and another is
// deleted and a folder made at its name. Started again, "^" and Yes: the
// stranger and the folder stay exactly as they are, named in the status
// line, and the other two files are restored.
#include <gtest/gtest.h>

#include <tuple>

#include "program_driving.h"
#include "resource_ids.h"
#include "window_driving.h"

namespace qm::testing {
namespace {

constexpr DWORD Timeout = 30000;
constexpr std::uint64_t Millisecond = 10'000;

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::uint64_t FileIndex(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    BY_HANDLE_FILE_INFORMATION info{};
    GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    return (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
}

// Content, the two times the platform keeps, hidden: the times read before
// the content, whose reading may move the access time, and put back.
using State = std::tuple<std::vector<std::uint8_t>, std::uint64_t, std::uint64_t, DWORD>;
State StateOf(const std::wstring& path) {
    const Times times = TimesOf(path);
    const State state{test::FileContent(path), times.written, times.accessed,
                      GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_HIDDEN};
    SetTimes(path, times.created, times.accessed, times.written);
    return state;
}

TEST(ProgramUndoIdentity, StrangerOnTheOldIndexAndAFolderAreLeftTheRestRestored) {
    TemporaryFolder programFolder;
    TemporaryFolder files;
    const std::vector<std::wstring> names = {L"a.jpg", L"b.jpg", L"c.jpg", L"d.jpg"};
    std::vector<State> before;
    std::uint64_t written = 133'000'000'000'000'000ull;
    for (const std::wstring& name : names) {
        const std::wstring path = files.File(name);
        test::PutFileContent(path, Bytes("photo " + std::string(name.begin(), name.end())));
        written += 98'765 * Millisecond;
        SetTimes(path, written, written + 4'321 * Millisecond, written);
        before.push_back(StateOf(path));
    }
    SetFileAttributesW(files.File(L"d.jpg").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    std::get<3>(before.back()) = FILE_ATTRIBUTE_HIDDEN;
    const std::wstring program = CopyProgramInto(L"Quillmoth.exe", programFolder);
    WriteLastPathSettings(programFolder.File(L"settings.ini"), files.path());
    const std::vector<std::wstring> renamed = {L"Trip_001.jpg", L"Trip_002.jpg", L"Trip_003.jpg", L"Trip_004.jpg"};
    {
        ProgramProcess process(program);
        HWND main = process.waitForDialog(L"Quillmoth", Timeout);
        ASSERT_NE(main, nullptr);
        for (int id : {IDC_FILE_NAMES, IDC_PREFIX, IDC_PREFIX_SPACER, IDC_DATE, IDC_DATE_MODIFIED, IDC_DATE_AUTO})
            Check(main, id, true);
        for (int id : {IDC_SUFFIX, IDC_PREFIX_AUTO, IDC_EXTENSIONS, IDC_ATTRIBUTES, IDC_DATE_ACCESSED}) Check(main, id, false);
        SetDlgItemTextW(main, IDC_PREFIX_BOX, L"Trip");
        SendDlgItemMessageW(main, IDC_ZEROS_UPDOWN, UDM_SETPOS, 0, 3);
        SendDlgItemMessageW(main, IDC_OFFSET_UPDOWN, UDM_SETPOS, 0, 1);
        ASSERT_TRUE(AddThroughOpenDialog(process, main, names, Timeout));
        PostMessageW(main, WM_COMMAND, IDC_START, 0);
        ASSERT_TRUE(WaitUntil([&] { return files.Names() == renamed; }, Timeout));
        ASSERT_TRUE(WaitUntil([&] { return ItemText(main, IDC_START) == L"Start"; }, Timeout));
        PostMessageW(main, WM_CLOSE, 0, 0);
        ASSERT_EQ(process.waitForExit(Timeout), 0);
    }

    // A stranger takes Trip_002.jpg and its inode: new files are made until
    // one gets the freed inode (ext4 hands out the lowest free one, which
    // files deleted by earlier tests may hold), and that one takes the name.
    const std::uint64_t oldIndex = FileIndex(files.File(L"Trip_002.jpg"));
    ASSERT_TRUE(DeleteFileW(files.File(L"Trip_002.jpg").c_str()));
    bool reused = false;
    std::vector<std::wstring> others;
    for (int attempt = 0; attempt < 20'000 && !reused; ++attempt) {
        const std::wstring candidate = files.File(L"new " + std::to_wstring(attempt));
        test::PutFileContent(candidate, Bytes("a stranger"));
        reused = FileIndex(candidate) == oldIndex;
        if (reused)
            MoveFileW(candidate.c_str(), files.File(L"Trip_002.jpg").c_str());
        else
            others.push_back(candidate);
    }
    for (const std::wstring& other : others) DeleteFileW(other.c_str());
    if (!PlatformKeepsCreationTimes()) {
        EXPECT_TRUE(reused) << "Wine's drives hand a freed inode to a new file";
    }
    if (!reused) test::PutFileContent(files.File(L"Trip_002.jpg"), Bytes("a stranger"));
    const State stranger = StateOf(files.File(L"Trip_002.jpg"));
    ASSERT_TRUE(DeleteFileW(files.File(L"Trip_003.jpg").c_str()));
    ASSERT_TRUE(CreateDirectoryW(files.File(L"Trip_003.jpg").c_str(), nullptr));

    ProgramProcess process(program);
    HWND main = process.waitForDialog(L"Quillmoth", Timeout);
    ASSERT_NE(main, nullptr);
    PostMessageW(main, WM_COMMAND, IDC_UNDO, 0);
    HWND box = process.waitForDialog(L"Undo", Timeout);
    ASSERT_NE(box, nullptr) << "\"^\" on an empty list asks";
    PostMessageW(box, WM_COMMAND, IDYES, 0);
    const std::wstring told = L" " + files.File(L"Trip_002.jpg") + L" is not the file that was renamed; 2 file(s) not restored";
    std::wstring shown;
    EXPECT_TRUE(WaitUntil([&] { return (shown = ItemText(main, IDC_STATUS_MESSAGE)) == told; }, Timeout))
        << std::string(shown.begin(), shown.end());
    EXPECT_TRUE(WaitUntil([&] { return ItemText(main, IDC_UNDO) == L"^"; }, Timeout));

    EXPECT_EQ(files.Names(), (std::vector<std::wstring>{L"Trip_002.jpg", L"Trip_003.jpg", L"a.jpg", L"d.jpg"}));
    EXPECT_TRUE(StateOf(files.File(L"a.jpg")) == before[0]) << "restored: content, times, attributes";
    EXPECT_TRUE(StateOf(files.File(L"d.jpg")) == before[3]);
    EXPECT_TRUE(StateOf(files.File(L"Trip_002.jpg")) == stranger) << "the stranger is not moved, dated or re-attributed";
    EXPECT_EQ(GetFileAttributesW(files.File(L"Trip_003.jpg").c_str()) & FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY))
        << "the folder stays";
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(process.waitForExit(Timeout), 0);
}

}  // namespace
}  // namespace qm::testing
