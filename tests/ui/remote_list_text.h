#pragma once
// The text of a list-view cell in another process: the item record and its
// text buffer live in that process, as the control expects.
#include <windows.h>
#include <commctrl.h>

#include <string>

namespace qm::testing {

inline std::wstring RemoteListText(HWND list, int row, int column) {
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process) return L"<no access>";
    constexpr int Units = 1024;
    auto* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, sizeof(LVITEMW) + Units * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE));
    std::wstring text(Units, L'\0');
    if (remote) {
        LVITEMW item{};
        item.iSubItem = column;
        item.cchTextMax = Units;
        item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
        WriteProcessMemory(process, remote, &item, sizeof(item), nullptr);
        SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process, item.pszText, text.data(), Units * sizeof(wchar_t), nullptr);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    text.resize(wcsnlen(text.c_str(), Units));
    return text;
}

}  // namespace qm::testing
