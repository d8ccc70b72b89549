#include "app/dialog_theme.h"

#include <shlwapi.h>

namespace qm {

namespace {
// Values of uxtheme.h, spelled out so that the header is not needed.
constexpr DWORD ThemeTextureDisable = 0x1;     // ETDT_DISABLE
constexpr DWORD ThemeTextureEnableTab = 0x6;   // ETDT_ENABLETAB
using EnableThemeDialogTextureFn = HRESULT(WINAPI*)(HWND, DWORD);
using DllGetVersionFn = HRESULT(CALLBACK*)(DLLVERSIONINFO*);
}  // namespace

bool HasCommonControls6() {
    HMODULE module = GetModuleHandleW(L"comctl32.dll");
    if (!module) return false;
    auto getVersion = reinterpret_cast<DllGetVersionFn>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllGetVersion")));
    if (!getVersion) return false;
    DLLVERSIONINFO info{};
    info.cbSize = sizeof(info);  // 20 bytes
    if (getVersion(&info) != S_OK) return false;
    return info.dwMajorVersion >= 6;
}

void EnableDialogTheme(HWND dialog, bool enable) {
    const DWORD flag = enable ? ThemeTextureEnableTab : ThemeTextureDisable;
    if (!HasCommonControls6()) return;
    HMODULE module = GetModuleHandleW(L"uxtheme.dll");
    if (!module) return;
    auto enableTexture = reinterpret_cast<EnableThemeDialogTextureFn>(
        reinterpret_cast<void*>(GetProcAddress(module, "EnableThemeDialogTexture")));
    if (enableTexture) enableTexture(dialog, flag);
}

}  // namespace qm
