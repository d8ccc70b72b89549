#pragma once
// What the program's small windows share: their icons, their remembered
// position, reading their controls' texts.
#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "core/settings/app_settings.h"

namespace qm {

// Sets the window's small (16 x 16) and big (32 x 32) icon from the program's
// icon resource. The icons are loaded shared: the system keeps one copy of
// each size for the process, so a window opened again makes no new icon and
// none has to be destroyed.
void SetProgramIcons(HWND window);

// Moves the window's top-left corner to `point`, keeping its size, when the
// whole window then lies inside `desktop`; otherwise the window stays where
// it is. True when moved.
bool PlaceAtRememberedPoint(HWND window, const PointRecord& point, const RectRecord& desktop);

// The window's top-left corner on the screen, as it is remembered on closing.
PointRecord TopLeftOnScreen(HWND window);

// Whether a check box or radio button of `window` is ticked.
bool IsChecked(HWND window, int controlId);

// The text of a control, read through a buffer of `maxUnits` units plus the
// terminating zero unit.
std::wstring ControlText(HWND control, std::size_t maxUnits);

// The platform's wide text and the core's UTF-16 text are the same units.
static_assert(sizeof(wchar_t) == sizeof(char16_t));
inline std::u16string_view AsUtf16(std::wstring_view text) {
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}
inline std::wstring AsWide(std::u16string_view text) {
    return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
}

}  // namespace qm
