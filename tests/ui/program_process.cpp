#include "program_process.h"

#include <string>

namespace qm::testing {

std::wstring ExecutableFolder() {
    wchar_t path[1024];
    const DWORD length = GetModuleFileNameW(nullptr, path, 1024);
    std::wstring folder(path, length);
    return folder.substr(0, folder.find_last_of(L'\\'));
}

std::wstring CopyProgramInto(const std::wstring& programName, const std::wstring& folder) {
    const std::wstring target = folder + L"\\" + programName;
    CopyFileW((ExecutableFolder() + L"\\" + programName).c_str(), target.c_str(), FALSE);
    return target;
}

ProgramProcess::ProgramProcess(const std::wstring& executable, const std::wstring& arguments,
                               const std::wstring& currentFolder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + executable + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    if (!CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        currentFolder.empty() ? nullptr : currentFolder.c_str(), &startup, &info_))
        info_ = {};
}

ProgramProcess::~ProgramProcess() {
    if (!info_.hProcess) return;
    if (running()) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool ProgramProcess::running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

long ProgramProcess::waitForExit(DWORD milliseconds) const {
    if (WaitForSingleObject(info_.hProcess, milliseconds) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return static_cast<long>(code);
}

namespace {
struct WindowSearch {
    DWORD processId;
    const wchar_t* title;
    const wchar_t* className;
    bool mustBeVisible;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId) return TRUE;
    if (search.mustBeVisible && !IsWindowVisible(window)) return TRUE;
    wchar_t text[256] = {};
    if (search.title) {
        GetWindowTextW(window, text, 256);
        if (std::wstring(text) != search.title) return TRUE;
    }
    if (search.className) {
        GetClassNameW(window, text, 256);
        if (std::wstring(text) != search.className) return TRUE;
    }
    search.found = window;
    return FALSE;
}
}  // namespace

HWND ProgramProcess::waitForDialog(const wchar_t* title, DWORD milliseconds) const {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    do {
        WindowSearch search{info_.dwProcessId, title, L"#32770", true, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(50);
    } while (GetTickCount64() < deadline && running());
    return nullptr;
}

HWND ProgramProcess::findWindowOfClass(const wchar_t* className) const {
    WindowSearch search{info_.dwProcessId, nullptr, className, false, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace qm::testing
