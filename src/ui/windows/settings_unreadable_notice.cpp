#include "ui/windows/settings_unreadable_notice.h"

namespace qm {

namespace {

constexpr UINT_PTR NoticeTimer = 0x5E77;

void CALLBACK ShowNotice(HWND window, UINT, UINT_PTR timer, DWORD) {
    KillTimer(window, timer);
    MessageBoxW(window, SettingsUnreadableText, SettingsUnreadableCaption, MB_OK | MB_ICONWARNING);
}

}  // namespace

void TellSettingsUnreadable(HWND mainWindow) { SetTimer(mainWindow, NoticeTimer, 0, ShowNotice); }

void TellSettingsNotSaved(HWND mainWindow) {
    MessageBoxW(mainWindow, SettingsNotSavedText, SettingsNotSavedCaption, MB_OK | MB_ICONWARNING);
}

}  // namespace qm
