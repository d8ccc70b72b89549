#pragma once
// The About window (dialog template 9000): product, version, build date, the
// makers and a link to the help file (the project has no web site).
#include <windows.h>

#include <cstdint>
#include <string>

namespace qm {

// What the link opens: the help file beside the program.
std::wstring AboutLinkTarget();

// The product text for a build made at `unixSeconds` (UTC): name and version,
// an empty line, "Build Date:" and the date (month first, as the file list's
// dates) and time followed by "UTC".
std::wstring AboutProductText(std::int64_t unixSeconds);

// Modal over `mainWindow`; closed by its close box only.
void OpenAboutWindow(HWND mainWindow);

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// True when the screen point lies on the link text as it is on screen now.
bool IsOverAboutLink(HWND aboutWindow, POINT screenPoint);

// How the link is opened: by default the shell's "open" verb. Tests put their
// own in, to see the call without starting the help viewer; returns the one before.
using WebAddressOpener = void (*)(HWND owner, const wchar_t* address);
WebAddressOpener SetWebAddressOpener(WebAddressOpener opener);

}  // namespace qm
