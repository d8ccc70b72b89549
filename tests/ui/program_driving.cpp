#include "program_driving.h"

#include "resource_ids.h"
#include "window_driving.h"

namespace qm::testing {

void WriteLastPathSettings(const std::wstring& settingsPath, const std::wstring& lastPath) {
    const std::wstring text = L"\uFEFF[SETTINGS]\r\nLastPath=" + lastPath + L"\r\n\r\n";
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    test::PutFileContent(settingsPath, std::vector<std::uint8_t>(bytes, bytes + text.size() * sizeof(wchar_t)));
}

bool AddThroughOpenDialog(const ProgramProcess& process, HWND main, const std::vector<std::wstring>& names,
                          DWORD milliseconds) {
    PostMessageW(main, WM_COMMAND, IDC_ADD, 0);
    HWND open = process.waitForDialog(L"Select files", milliseconds);
    if (!open) return false;
    std::wstring typed;
    for (const std::wstring& name : names) typed += L"\"" + name + L"\" ";
    for (int nameField : {0x47C, 0x480})
        if (GetDlgItem(open, nameField)) SetDlgItemTextW(open, nameField, typed.c_str());
    PostMessageW(open, WM_COMMAND, IDOK, 0);
    const std::wstring expected = L" Files: " + std::to_wstring(names.size());
    return WaitUntil([&] { return ItemText(main, IDC_STATUS_COUNT) == expected; }, milliseconds);
}

}  // namespace qm::testing
