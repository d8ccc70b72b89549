#include "win32/settings/settings_lock.h"

#include <windows.h>

namespace qm::win32 {

SettingsLockHold::SettingsLockHold(AppSettings& settings) {
    if (settings.SettingsLock == nullptr) settings.SettingsLock = CreateMutexW(nullptr, FALSE, nullptr);
    if (settings.SettingsLock == nullptr) return;
    const DWORD waited = WaitForSingleObject(settings.SettingsLock, INFINITE);
    // An abandoned lock is still ours; the file it guarded is read or written whole.
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) held_ = settings.SettingsLock;
}

SettingsLockHold::~SettingsLockHold() {
    if (held_ != nullptr) ReleaseMutex(held_);
}

}  // namespace qm::win32
