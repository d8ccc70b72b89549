#include "app/font_set.h"

#include <initializer_list>

#include "resource_ids.h"

namespace qm {

HANDLE RegisterFontResource(HMODULE module, int resourceId, DWORD& fontsInstalled) {
    fontsInstalled = 0;
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(resourceId), RT_RCDATA);
    if (resource == nullptr) return nullptr;
    HGLOBAL loaded = LoadResource(module, resource);
    if (loaded == nullptr) return nullptr;
    void* data = LockResource(loaded);
    DWORD size = SizeofResource(module, resource);
    if (data == nullptr || size == 0) return nullptr;
    // The system copies the data; a memory font is private to this process.
    return AddFontMemResourceEx(data, size, nullptr, &fontsInstalled);
}

int SystemDpi() {
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) return 96;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

FontSet CreateFontSet(HMODULE module, int dpi) {
    auto pixels = [dpi](int at96) { return MulDiv(at96, dpi, 96); };
    FontSet fonts;
    DWORD installed = 0;
    fonts.memoryFont = RegisterFontResource(module, IDR_BUTTONS_FONT, installed);
    // Without the registration a request for "Buttons" would fall back to some
    // other face and draw letters where symbols are meant, so no font at all.
    if (fonts.memoryFont != nullptr) {
        fonts.symbolFont = CreateFontW(pixels(12), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                                       FF_DECORATIVE | DEFAULT_PITCH, L"Buttons");
    }
    fonts.bigFont = CreateFontW(pixels(14), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 0x10, L"Arial");
    fonts.smallFont = CreateFontW(pixels(10), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 0x10, L"Arial");
    return fonts;
}

void ReleaseFontSet(FontSet& fonts) {
    for (HFONT* font : {&fonts.symbolFont, &fonts.bigFont, &fonts.smallFont}) {
        if (*font != nullptr) DeleteObject(*font);
        *font = nullptr;
    }
    if (fonts.memoryFont != nullptr) RemoveFontMemResourceEx(fonts.memoryFont);
    fonts.memoryFont = nullptr;
}

}  // namespace qm
