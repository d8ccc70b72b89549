// "Add Folder" in the real program, through the platform's folder picker:
// hidden and system files and folders are left out and counted unless the
// picker's second box is ticked, which the program remembers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "program_process.h"
#include "remote_list_text.h"
#include "resource_ids.h"
#include "window_driving.h"

namespace qm::testing {
namespace {

constexpr DWORD Timeout = 30000;
constexpr int PickerFileNameEdit = 1152;
constexpr wchar_t HiddenBoxCaption[] = L"Include hidden and system files";

// The process's visible dialog titled "Add Folder" that is the picker (with
// its file name box) or the message at the end (without it).
HWND WaitForAddFolderWindow(const ProgramProcess& process, bool picker, DWORD milliseconds = Timeout) {
    HWND found = nullptr;
    const auto isIt = [&] {
        found = process.waitForDialog(L"Add Folder", 0);
        return found && (GetDlgItem(found, PickerFileNameEdit) != nullptr) == picker;
    };
    return WaitUntil(isIt, milliseconds) ? found : nullptr;
}

// The picker's check box with this caption (it sits in a frame of its own).
HWND PickerBox(HWND picker, const wchar_t* caption) {
    struct Search {
        const wchar_t* caption;
        HWND found;
    } search{caption, nullptr};
    EnumChildWindows(picker, [](HWND child, LPARAM parameter) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(parameter);
        wchar_t text[128] = {};
        GetWindowTextW(child, text, 128);
        if (std::wstring(text) != s.caption) return TRUE;
        s.found = child;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<std::wstring> Rows(HWND main, int column) {
    HWND list = GetDlgItem(main, IDC_FILE_LIST);
    std::vector<std::wstring> texts;
    for (int row = 0; row < RowCount(list); ++row) texts.push_back(RemoteListText(list, row, column));
    return texts;
}

// "Add Folder", the folder typed into the picker, the hidden box ticked or
// not; the message at the end, if any, answered. Returns its text.
std::wstring AddFolder(const ProgramProcess& process, HWND main, const std::wstring& folder, bool tickHidden) {
    PostMessageW(main, WM_COMMAND, IDC_ADD_FOLDER, 0);
    HWND picker = WaitForAddFolderWindow(process, true);
    EXPECT_NE(picker, nullptr);
    if (!picker) return {};
    HWND hidden = PickerBox(picker, HiddenBoxCaption);
    EXPECT_NE(hidden, nullptr);
    if (hidden && tickHidden) SendMessageW(hidden, BM_CLICK, 0, 0);
    SetDlgItemTextW(picker, PickerFileNameEdit, folder.c_str());
    PostMessageW(picker, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(picker); }, Timeout));
    HWND box = WaitForAddFolderWindow(process, false, 3000);
    if (!box) return {};
    const std::wstring text = ItemText(box, 0xFFFF);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !IsWindow(box); }, Timeout);
    return text;
}

TEST(ProgramAddFolder, HiddenAndSystemFilesOnlyWithTheNewBoxWhichIsRemembered) {
    TemporaryFolder programFolder, files;
    const std::wstring program = CopyProgramInto(L"Quillmoth.exe", programFolder);
    const std::wstring top = files.File(L"tree");
    for (const wchar_t* folder : {L"tree", L"tree\\sub", L"tree\\cache"}) CreateDirectoryW(files.File(folder).c_str(), nullptr);
    const struct {
        const wchar_t* name;
        DWORD attributes;
    } made[] = {{L"tree\\a.txt", 0},
                {L"tree\\desktop.ini", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
                {L"tree\\Thumbs.db", FILE_ATTRIBUTE_HIDDEN},
                {L"tree\\boot.dat", FILE_ATTRIBUTE_SYSTEM},
                {L"tree\\sub\\b.txt", 0},
                {L"tree\\cache\\c.txt", 0},
                {L"tree\\cache", FILE_ATTRIBUTE_HIDDEN}};
    for (const auto& m : made) {
        if (m.attributes == 0 || GetFileAttributesW(files.File(m.name).c_str()) == INVALID_FILE_ATTRIBUTES)
            ASSERT_TRUE(test::PutFileContent(files.File(m.name), {'x'}));
        if (m.attributes != 0) ASSERT_TRUE(SetFileAttributesW(files.File(m.name).c_str(), m.attributes));
    }

    {
        ProgramProcess process(program);
        HWND main = process.waitForDialog(L"Quillmoth", Timeout);
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(AddFolder(process, main, top, false),
                  L"3 hidden or system file(s) and 1 hidden or system folder(s) were left out; "
                  L"\"Include hidden and system files\" adds them.");
        EXPECT_EQ(Rows(main, 0), (std::vector<std::wstring>{L"a.txt", L"b.txt"}));

        EXPECT_EQ(AddFolder(process, main, top, true), L"") << "nothing left out, nothing to say";
        EXPECT_EQ(Rows(main, 0), (std::vector<std::wstring>{L"a.txt", L"b.txt", L"a.txt", L"boot.dat", L"desktop.ini",
                                                             L"Thumbs.db", L"c.txt", L"b.txt"}));
        PostMessageW(main, WM_CLOSE, 0, 0);
        ASSERT_EQ(process.waitForExit(Timeout), 0);
    }

    // Remembered: the box comes ticked at the next start.
    ProgramProcess process(program);
    HWND main = process.waitForDialog(L"Quillmoth", Timeout);
    ASSERT_NE(main, nullptr);
    PostMessageW(main, WM_COMMAND, IDC_ADD_FOLDER, 0);
    HWND picker = WaitForAddFolderWindow(process, true);
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(SendMessageW(PickerBox(picker, HiddenBoxCaption), BM_GETCHECK, 0, 0), BST_CHECKED);
    PostMessageW(picker, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(picker); }, Timeout));
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(process.waitForExit(Timeout), 0);
}

}  // namespace
}  // namespace qm::testing
