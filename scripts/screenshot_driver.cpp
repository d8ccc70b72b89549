// Fills the real program with a few files and chooses their new names, for the
// README's picture of the working window: the "New Name" column shows what
// "Start" would do, one name in red because a file outside the list has it. Run by scripts/screenshot-files.sh, which
// takes the picture once READY exists (it holds the window's place on the
// screen) and creates DONE when it has.
// Usage: screenshot_driver READY DONE
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "program_process.h"
#include "resource_ids.h"
#include "window_driving.h"

namespace {

using namespace qm::testing;

bool WaitFor(HWND window, int id, const std::wstring& text) {
    for (int i = 0; i < 400; ++i) {
        if (ItemText(window, id) == text) return true;
        Sleep(50);
    }
    return false;
}

void WriteText(const std::wstring& path, const std::wstring& text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    qm::test::PutFileContent(path, std::vector<std::uint8_t>(bytes, bytes + text.size() * sizeof(wchar_t)));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    TemporaryFolder programFolder;
    TemporaryFolder photos;
    const wchar_t* names[] = {L"IMG_2041.JPG", L"IMG_2042.JPG", L"IMG_2043.JPG", L"beach.png", L"sunset.jpeg"};
    std::uint64_t when = 133'300'000'000'000'000ull;
    for (const wchar_t* name : names) {
        qm::test::PutFileContent(photos.File(name), {1, 2, 3});
        SetTimes(photos.File(name), when, when, when);
        when += 36'000'000'000ull * 7;
    }
    qm::test::PutFileContent(photos.File(L"2024_Holiday_2043.jpg"), {1});  // in the folder, not in the list
    WriteText(programFolder.File(L"settings.ini"),
              L"\uFEFF[SETTINGS]\r\nLastPath=" + photos.path() +
                  // Prefix and its spacer, "Keep Name", "No Number"; "IMG" replaced by "Holiday".
                  L"\r\nMainControlFlags=7\r\nRenameFlags=49217\r\nDateTimeFlags=2\r\nExtensionFlags=2\r\n"
                  L"Zeros=3\r\nOffset=1\r\n\r\n[PREFIX]\r\n2024\r\n2024\r\n\r\n"
                  L"[EXTENSIONS]\r\n1\u00BBjpeg\u00BBjpg\r\n0\u00BBtif\u00BBtiff\r\n\r\n"
                  L"[FIND]\r\nIMG\r\nIMG\r\n\r\n[REPLACE]\r\nHoliday\r\nHoliday\r\n\r\n");
    ProgramProcess program(CopyProgramInto(L"Quillmoth.exe", programFolder));
    HWND main = program.waitForDialog(L"Quillmoth", 30000);
    if (!main) return 1;
    PostMessageW(main, WM_COMMAND, IDC_ADD, 0);
    HWND open = program.waitForDialog(L"Select files", 30000);
    if (!open) return 1;
    std::wstring typed;
    for (const wchar_t* name : names) typed += L"\"" + std::wstring(name) + L"\" ";
    for (int nameField : {0x47C, 0x480})
        if (GetDlgItem(open, nameField)) SetDlgItemTextW(open, nameField, typed.c_str());
    PostMessageW(open, WM_COMMAND, IDOK, 0);
    if (!WaitFor(main, IDC_STATUS_COUNT, L" Files: 5")) return 1;
    Sleep(1000);
    // The window's place on the screen, as a crop geometry for the picture.
    RECT placed{};
    GetWindowRect(main, &placed);
    const std::string geometry = std::to_string(placed.right - placed.left) + "x" + std::to_string(placed.bottom - placed.top) +
                                 "+" + std::to_string(placed.left) + "+" + std::to_string(placed.top);
    qm::test::PutFileContent(argv[1], std::vector<std::uint8_t>(geometry.begin(), geometry.end()));
    for (int i = 0; i < 600 && GetFileAttributesW(argv[2]) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
    PostMessageW(main, WM_CLOSE, 0, 0);
    return program.waitForExit(30000) == 0 ? 0 : 1;
}
