#include "win32/help.h"

#include "win32/files/program_folder.h"

namespace qm::win32 {

namespace {
constexpr UINT DisplayTopic = 0;  // HH_DISPLAY_TOPIC
constexpr WORD HtmlHelpWOrdinal = 15;
using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
}  // namespace

std::wstring HelpTarget(std::wstring_view topic) {
    std::wstring path = ProgramFolderFile(HelpFileName);
    if (path.empty()) return path;
    return path.append(topic);
}

HWND ShowHelpTopic(HWND owner, const std::wstring& target) {
    if (target.empty()) return nullptr;
    // Loaded on first use and kept: the help window lives in this library.
    static HMODULE library = LoadLibraryW(L"hhctrl.ocx");
    if (!library) return nullptr;
    auto htmlHelp = reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(
        GetProcAddress(library, MAKEINTRESOURCEA(HtmlHelpWOrdinal))));
    if (!htmlHelp) return nullptr;
    return htmlHelp(owner, target.c_str(), DisplayTopic, 0);
}

}  // namespace qm::win32
