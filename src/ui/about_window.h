#pragma once
// The About window (dialog template 9000): product, version, build date, the
// makers and a link to the project's web address.
#include <windows.h>

namespace qm {

inline constexpr wchar_t AboutWebAddress[] = L"https://quillmoth.example/";

// Modal over `mainWindow`; closed by its close box only.
void OpenAboutWindow(HWND mainWindow);

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// True when the screen point lies on the link text as it is on screen now.
bool IsOverAboutLink(HWND aboutWindow, POINT screenPoint);

// How the link is opened: by default the shell's "open" verb. Tests put their
// own in, to see the call without starting a browser; returns the one before.
using WebAddressOpener = void (*)(HWND owner, const wchar_t* address);
WebAddressOpener SetWebAddressOpener(WebAddressOpener opener);

}  // namespace qm
