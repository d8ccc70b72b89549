// The program's three fonts and the private registration of its embedded symbol font.
#pragma once
#include <windows.h>

namespace qm {

// Made once at start-up and released at the end; controls only borrow the fonts
// through WM_SETFONT and never delete them. A null handle means "not available":
// the controls concerned keep the dialog font.
struct FontSet {
    HFONT symbolFont = nullptr;   // the embedded "Buttons" face; null without it
    HFONT bigFont = nullptr;      // Arial bold on "Start", "Clear" and "Add"
    HFONT smallFont = nullptr;    // Arial bold on "CURRENT"
    HANDLE memoryFont = nullptr;  // AddFontMemResourceEx handle of the embedded font
};

// Registers the TrueType file held in the module's RT_RCDATA resource `resourceId`
// for this process only. Returns null when the resource is missing or the system
// refuses it; `fontsInstalled` receives the number of faces the system took.
HANDLE RegisterFontResource(HMODULE module, int resourceId, DWORD& fontsInstalled);

// The screen's dots per inch as this system-DPI-aware program sees them; 96 when
// the screen cannot be asked.
int SystemDpi();

// Registers the symbol font from `module`'s resource 102 and creates the fonts.
// Their heights are pixels at 96 dpi, scaled to `dpi` so that they grow with the
// dialog font on a high-DPI screen. Nothing is reported: whatever cannot be made
// stays null.
FontSet CreateFontSet(HMODULE module, int dpi = SystemDpi());

// Deletes the fonts, then removes the registration; leaves every field null.
void ReleaseFontSet(FontSet& fonts);

}  // namespace qm
