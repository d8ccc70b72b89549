// On a high-DPI screen the program is system-DPI aware, and the fonts that are
// given in pixels grow with the screen as the dialog font does.
#include <windows.h>

#include <gtest/gtest.h>

#include <string_view>
#include <tuple>
#include <utility>

#include "app/font_set.h"

namespace {

// Wine reports every process as DPI aware whatever its manifest says, so the
// declaration is read from the manifest that this program shares with Quillmoth.
TEST(HighDpi, TheManifestDeclaresSystemDpiAwareness) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    ASSERT_NE(found, nullptr);
    const std::string_view manifest(static_cast<const char*>(LockResource(LoadResource(nullptr, found))),
                                    SizeofResource(nullptr, found));
    const std::string_view settings[] = {
        R"(<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true</dpiAware>)",
        R"(<dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">system</dpiAwareness>)"};
    for (std::string_view setting : settings) EXPECT_NE(manifest.find(setting), std::string_view::npos) << setting;
    EXPECT_LT(manifest.find("<windowsSettings>"), manifest.find(settings[0]));
}

TEST(HighDpi, FontsGivenInPixelsGrowWithTheScreen) {
    for (auto [dpi, symbol, big, small] : {std::tuple{96, 12, 14, 10}, std::tuple{144, 18, 21, 15},
                                          std::tuple{120, 15, 18, 13}}) {
        SCOPED_TRACE(::testing::Message() << dpi << " dpi");
        qm::FontSet fonts = qm::CreateFontSet(GetModuleHandleW(nullptr), dpi);
        for (auto [font, height] : {std::pair{fonts.symbolFont, symbol}, std::pair{fonts.bigFont, big},
                                    std::pair{fonts.smallFont, small}}) {
            LOGFONTW request{};
            ASSERT_EQ(GetObjectW(font, sizeof(request), &request), static_cast<int>(sizeof(request)));
            EXPECT_EQ(request.lfHeight, height);
        }
        qm::ReleaseFontSet(fonts);
    }
    // The program itself takes the screen's setting; this prefix runs at 96 dpi.
    EXPECT_EQ(qm::SystemDpi(), 96);
}

}  // namespace
