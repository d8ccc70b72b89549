#pragma once
// The process's work between start-up and shut-down.
#include <windows.h>

namespace qm {

inline constexpr wchar_t SingleInstanceMutexName[] = L"{A3C61F07-9D42-4e8c-81B5-6F0E2D97C4A8}";

// Refuses a second instance, creates the hidden window and runs the message
// loop until the user-interface thread has ended. Returns the exit code, 0.
int RunApplication(HINSTANCE instance);

}  // namespace qm
