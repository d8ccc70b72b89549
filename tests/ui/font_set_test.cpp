// FontSet: the embedded "Buttons" font registers from the module's resource 102 and
// draws each picture button's caption with its own glyph; without the resource only
// the two Arial fonts exist; release deletes everything and unregisters the face.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/font_set.h"
#include "resource_ids.h"

namespace {

constexpr wchar_t kCaptions[] = L"<>+?SXx^";  // the characters as the buttons hold them
const char* const kGlyphNames[] = {"up", "down", "plus", "questionmark", "Settings", "delete", "delete", "undo"};

// A memory DC with one font selected, for the duration of a test.
class FontDc {
public:
    explicit FontDc(HFONT font) : dc_(CreateCompatibleDC(nullptr)), old_(SelectObject(dc_, font)) {}
    ~FontDc() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    HDC get() const { return dc_; }
    std::wstring Face() const {
        wchar_t face[LF_FACESIZE]{};
        GetTextFaceW(dc_, LF_FACESIZE, face);
        return face;
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

uint16_t BigEndian16(const std::vector<uint8_t>& data, size_t at) {
    return at + 1 < data.size() ? static_cast<uint16_t>(data[at] << 8 | data[at + 1]) : 0;
}

// Glyph names from the selected font's 'post' table (format 2), by glyph index, so the
// test states the mapping in the font's own terms. Standard Macintosh names are needed
// only as far as "question" (index 34): no caption glyph can use one further on.
std::vector<std::string> GlyphNames(HDC dc) {
    static const char* const kStandard[] = {
        ".notdef", ".null", "nonmarkingreturn", "space", "exclam", "quotedbl", "numbersign", "dollar",
        "percent", "ampersand", "quotesingle", "parenleft", "parenright", "asterisk", "plus", "comma",
        "hyphen", "period", "slash", "zero", "one", "two", "three", "four", "five", "six", "seven",
        "eight", "nine", "colon", "semicolon", "less", "equal", "greater", "question"};
    const DWORD post = 'p' | 'o' << 8 | 's' << 16 | 't' << 24;
    DWORD size = GetFontData(dc, post, 0, nullptr, 0);
    if (size == GDI_ERROR || size < 34) return {};
    std::vector<uint8_t> data(size);
    GetFontData(dc, post, 0, data.data(), size);
    if (BigEndian16(data, 0) != 2) return {};  // format 2.0 keeps names
    uint16_t count = BigEndian16(data, 32);
    std::vector<std::string> custom;
    for (size_t at = 34 + 2 * size_t{count}; at < data.size();) {
        size_t length = data[at];
        if (at + 1 + length > data.size()) break;
        custom.emplace_back(reinterpret_cast<const char*>(&data[at + 1]), length);
        at += 1 + length;
    }
    std::vector<std::string> names;
    for (uint16_t glyph = 0; glyph < count; ++glyph) {
        uint16_t index = BigEndian16(data, 34 + 2 * size_t{glyph});
        if (index < 258) names.push_back(index < std::size(kStandard) ? kStandard[index] : "#standard");
        else names.push_back(index - 258u < custom.size() ? custom[index - 258] : "#missing");
    }
    return names;
}

std::string NameOf(const std::vector<std::string>& names, WORD glyph) {
    return glyph < names.size() ? names[glyph] : "#" + std::to_string(glyph);
}

TEST(FontSet, EmbeddedFontRegistersAsOneFaceAndGivesTheSymbolFont) {
    DWORD installed = 0;
    HANDLE registration = qm::RegisterFontResource(GetModuleHandleW(nullptr), IDR_BUTTONS_FONT, installed);
    ASSERT_NE(registration, nullptr);
    EXPECT_EQ(installed, 1u);
    RemoveFontMemResourceEx(registration);

    qm::FontSet fonts = qm::CreateFontSet(GetModuleHandleW(nullptr));
    ASSERT_NE(fonts.memoryFont, nullptr);
    ASSERT_NE(fonts.symbolFont, nullptr);
    EXPECT_NE(fonts.bigFont, nullptr);
    EXPECT_NE(fonts.smallFont, nullptr);
    {
        FontDc dc(fonts.symbolFont);
        EXPECT_EQ(dc.Face(), L"Buttons");
        TEXTMETRICW metrics{};
        ASSERT_TRUE(GetTextMetricsW(dc.get(), &metrics));
        EXPECT_EQ(metrics.tmCharSet, SYMBOL_CHARSET) << "the (3, 0) character map makes it a symbol font";
        EXPECT_EQ(metrics.tmHeight, 12) << "a positive height asks for the cell height";
    }
    qm::ReleaseFontSet(fonts);
}

TEST(FontSet, EveryCaptionCharacterDrawsItsOwnGlyph) {
    qm::FontSet fonts = qm::CreateFontSet(GetModuleHandleW(nullptr));
    ASSERT_NE(fonts.symbolFont, nullptr);
    {
        FontDc dc(fonts.symbolFont);
        std::vector<std::string> names = GlyphNames(dc.get());
        ASSERT_EQ(names.size(), 7u);
        EXPECT_EQ(names[0], "up") << "glyph 0, the fallback, is the up arrow";

        // The lookup the buttons' text drawing relies on...
        WORD indices[8]{};
        ASSERT_EQ(GetGlyphIndicesW(dc.get(), kCaptions, 8, indices, 0), 8u);
        // ...and the one that lays text out.
        WORD placed[8]{};
        GCP_RESULTSW results{};
        results.lStructSize = sizeof(results);
        results.lpGlyphs = reinterpret_cast<LPWSTR>(placed);
        results.nGlyphs = 8;
        ASSERT_NE(GetCharacterPlacementW(dc.get(), kCaptions, 8, 0, &results, 0), 0u);
        for (int i = 0; i < 8; ++i) {
            SCOPED_TRACE(testing::Message() << "character '" << static_cast<char>(kCaptions[i]) << "'");
            EXPECT_EQ(NameOf(names, indices[i]), kGlyphNames[i]);
            EXPECT_EQ(NameOf(names, placed[i]), kGlyphNames[i]);
        }
        WORD unmapped = 0xFFFF;
        GetGlyphIndicesW(dc.get(), L"A", 1, &unmapped, 0);
        EXPECT_EQ(unmapped, 0) << "a character without a glyph draws the fallback";
    }
    qm::ReleaseFontSet(fonts);
}

TEST(FontSet, WithoutTheFontResourceOnlyTheArialFontsExist) {
    qm::FontSet fonts = qm::CreateFontSet(GetModuleHandleW(L"kernel32.dll"));
    EXPECT_EQ(fonts.memoryFont, nullptr);
    EXPECT_EQ(fonts.symbolFont, nullptr);
    ASSERT_NE(fonts.bigFont, nullptr);
    ASSERT_NE(fonts.smallFont, nullptr);
    for (auto [font, height] : {std::pair{fonts.bigFont, 14}, std::pair{fonts.smallFont, 10}}) {
        LOGFONTW request{};
        ASSERT_EQ(GetObjectW(font, sizeof(request), &request), static_cast<int>(sizeof(request)));
        EXPECT_EQ(request.lfHeight, height);
        EXPECT_EQ(request.lfWeight, FW_BOLD);
        EXPECT_STREQ(request.lfFaceName, L"Arial");
    }
    qm::ReleaseFontSet(fonts);
    EXPECT_EQ(fonts.bigFont, nullptr);
    EXPECT_EQ(fonts.smallFont, nullptr);
}

bool RunsUnderWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

TEST(FontSet, ReleaseDeletesTheFonts) {
    qm::FontSet fonts = qm::CreateFontSet(GetModuleHandleW(nullptr));
    ASSERT_NE(fonts.memoryFont, nullptr);
    const qm::FontSet before = fonts;
    qm::ReleaseFontSet(fonts);
    EXPECT_EQ(fonts.symbolFont, nullptr);
    EXPECT_EQ(fonts.bigFont, nullptr);
    EXPECT_EQ(fonts.smallFont, nullptr);
    EXPECT_EQ(fonts.memoryFont, nullptr);
    for (HFONT deleted : {before.symbolFont, before.bigFont, before.smallFont})
        EXPECT_EQ(GetObjectType(deleted), 0u) << "font handle still alive";
}

TEST(FontSet, ReleaseUnregistersTheFace) {
    if (RunsUnderWine()) GTEST_SKIP() << "Wine's RemoveFontMemResourceEx is a stub: the face stays registered";
    qm::FontSet fonts = qm::CreateFontSet(GetModuleHandleW(nullptr));
    ASSERT_NE(fonts.memoryFont, nullptr);
    qm::ReleaseFontSet(fonts);
    HFONT again = CreateFontW(12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, PROOF_QUALITY, FF_DECORATIVE | DEFAULT_PITCH, L"Buttons");
    {
        FontDc dc(again);
        EXPECT_NE(dc.Face(), L"Buttons") << "the face is still registered";
    }
    DeleteObject(again);
}

}  // namespace
