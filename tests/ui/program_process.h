#pragma once
// Starting the real program in a process of its own, from a private copy in a
// temporary folder (so that its settings file lands there), and finding its
// windows.
#include <windows.h>

#include <functional>
#include <string>

#include "win32/temporary_folder.h"

namespace qm::testing {

using test::TemporaryFolder;

// Polls until `done` holds or the time is up; whether it held.
inline bool WaitUntil(const std::function<bool()>& done, DWORD milliseconds) {
    for (DWORD waited = 0; waited < milliseconds; waited += 20) {
        if (done()) return true;
        Sleep(20);
    }
    return done();
}

// The folder that holds the running test executable (and the programs built
// beside it).
std::wstring ExecutableFolder();

// Copies the named program from beside the test executable into `folder`.
std::wstring CopyProgramInto(const std::wstring& programName, const std::wstring& folder);
inline std::wstring CopyProgramInto(const std::wstring& programName, const TemporaryFolder& folder) {
    return CopyProgramInto(programName, folder.path());
}

class ProgramProcess {
public:
    // `arguments` follow the quoted program name on its command line; the
    // process starts in `currentFolder`, or in the test's own when empty.
    explicit ProgramProcess(const std::wstring& executable, const std::wstring& arguments = {},
                            const std::wstring& currentFolder = {});
    ~ProgramProcess();  // terminates the process if it still runs
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    bool started() const { return info_.hProcess != nullptr; }
    bool running() const;
    // Waits for the process to end; the exit code, or -1 on a timeout.
    long waitForExit(DWORD milliseconds) const;
    // The process's visible top-level dialog with the given title, waiting for it.
    HWND waitForDialog(const wchar_t* title, DWORD milliseconds) const;
    // A top-level window of the process with the given class, visible or not.
    HWND findWindowOfClass(const wchar_t* className) const;
    DWORD id() const { return info_.dwProcessId; }

private:
    PROCESS_INFORMATION info_{};
};

}  // namespace qm::testing
