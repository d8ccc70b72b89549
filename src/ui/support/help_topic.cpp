#include "ui/support/help_topic.h"

#include <string>

#include "win32/help.h"
#include "win32/files/program_folder.h"

namespace qm {

namespace {

bool IsFile(const std::wstring& path) {
    const DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring MissingHelpText(const std::wstring& path) {
    const std::wstring start = std::wstring(L"The help file ") + win32::HelpFileName + L" is missing: ";
    if (path.empty()) return start + L"the program's folder is not known.";
    return start + L"it was looked for in the folder " + path.substr(0, path.find_last_of(L'\\')) + L".";
}

}  // namespace

void OpenHelpTopic(HWND owner, std::wstring_view topic) {
    const std::wstring path = win32::ProgramFolderFile(win32::HelpFileName);
    // The help library itself shows nothing at all for a file that is not there.
    if (!IsFile(path)) {
        MessageBoxW(owner, MissingHelpText(path).c_str(), L"Help", MB_OK | MB_ICONWARNING);
        return;
    }
    win32::ShowHelpTopic(owner, win32::HelpTarget(topic));
}

}  // namespace qm
