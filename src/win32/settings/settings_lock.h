#pragma once
// SettingsLock: the one unnamed lock that keeps the operations on the settings
// file from overlapping. It is made at its first use and lives as long as the
// program; its handle is kept in AppSettings.SettingsLock.
#include "core/settings/app_settings.h"

namespace qm::win32 {

// Takes the lock for the lifetime of the object, waiting without time limit.
// Should the lock not be creatable, the holder holds nothing and the
// operation goes ahead unguarded rather than not at all.
class SettingsLockHold {
public:
    explicit SettingsLockHold(AppSettings& settings);
    ~SettingsLockHold();
    SettingsLockHold(const SettingsLockHold&) = delete;
    SettingsLockHold& operator=(const SettingsLockHold&) = delete;

private:
    void* held_ = nullptr;
};

}  // namespace qm::win32
