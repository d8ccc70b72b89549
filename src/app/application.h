#pragma once
// The process's work between start-up and shut-down.
#include <windows.h>

namespace qm {

inline constexpr wchar_t SingleInstanceMutexName[] = L"{A3C61F07-9D42-4e8c-81B5-6F0E2D97C4A8}";

// The exit code of a second start whose paths no Quillmoth took.
inline constexpr int PathsNotAddedExitCode = 1;

// Hands a second start's paths to the running instance (or takes its place
// when it has gone), creates the hidden window and runs the message loop
// until the user-interface thread has ended. Returns the exit code: 0, or
// PathsNotAddedExitCode.
int RunApplication(HINSTANCE instance);

}  // namespace qm
