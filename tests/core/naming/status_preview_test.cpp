#include <gtest/gtest.h>

#include "core/run/progress_text.h"
#include "core/naming/status_preview.h"
#include "core/settings/app_settings.h"
#include "core/timestamp/time_format.h"
#include "instant_at.h"

namespace qm {
namespace {

std::u16string Stamp(std::uint64_t instant) {
    char16_t text[64];
    const std::size_t n = ExpandTimeFormat(instant, DefaultTimeFormat, 0, text, 64);
    return std::u16string(text, n);
}

// "File Names", "Prefix", its "Auto" and "Spacer", "Zeros" 4, "Offset" 1.
PreviewOptions Example() {
    PreviewOptions p;
    p.rename.fileNames = true;
    p.rename.prefix = {true, false, false, true, u"typed"};
    p.prefixAuto = true;
    p.rename.spacer = u"_";
    p.rename.zerosText = u"4";
    p.rename.offsetText = u"1";
    p.stamp = Stamp(At(2024, 1, 5, 14, 30));
    return p;
}

TEST(StatusPreview, WorkedExampleAndNotes) {
    struct Case {
        void (*change)(PreviewOptions&);
        std::u16string expected;
    } cases[] = {
        {[](PreviewOptions& p) { p.rename.setDates = p.rename.setModified = true; },
         u" Jan05-2024-1430_0001   (Date: M)"},
        {[](PreviewOptions& p) { p.rename.setDates = true; }, u" Jan05-2024-1430_0001"},
        {[](PreviewOptions& p) { p.rename.setDates = p.dateAuto = p.rename.setCreated = p.rename.setAccessed = true; },
         u" Jan05-2024-1430_0001   (Date: CA auto)"},
        {[](PreviewOptions& p) { p.rename.setAttributes = true; }, u" Jan05-2024-1430_0001   (Attributes: Cleared)"},
        {[](PreviewOptions& p) { p.rename.setAttributes = true, p.attributeFlags = 0x9; },
         u" Jan05-2024-1430_0001   (Attributes: RA)"},
        {[](PreviewOptions& p) { p.rename.setAttributes = true, p.attributeFlags = 0x2; },
         u" Jan05-2024-1430_0001   (Attributes: H)"},
        {[](PreviewOptions& p) { p.rename.setAttributes = true, p.attributeFlags = 0x4; },
         u" Jan05-2024-1430_0001   (Attributes: S)"},
        {[](PreviewOptions& p) { p.rename.setAttributes = true, p.attributeFlags = 0xF; },
         u" Jan05-2024-1430_0001   (Attributes: RHSA)"},
        {[](PreviewOptions& p) { p.rename.fileNames = false, p.rename.extensions = p.rename.extensionUppercase = true; },
         u"    (Extension: rename + UPPERCASE)"},
        {[](PreviewOptions& p) { p.rename.extensions = true; }, u" Jan05-2024-1430_0001   (Extension: rename)"},
        {[](PreviewOptions& p) { p.prefixAuto = false, p.rename.prefix.uppercase = true; }, u" TYPED_0001"},
        {[](PreviewOptions& p) { p.stamp.clear(); }, u" 0001"},
        {[](PreviewOptions& p) { p.prefixAuto = false, p.rename.prefix.text = u" .a:b", p.rename.zerosText = u""; },
         u" ab_1"},
        {[](PreviewOptions& p) {
             p.rename.suffix = {true, false, true, true, u"DAY"};
             p.suffixAuto = false;
             p.rename.spacer = u"-";
         },
         u" Jan05-2024-1430-day-0001"},
    };
    for (const Case& c : cases) {
        PreviewOptions options = Example();
        c.change(options);
        EXPECT_EQ(ComposePreview(options), c.expected);
    }
    EXPECT_EQ(FilesText(0), u" Files: 0");
    EXPECT_EQ(SelectedText(100000), u" Selected: 100000");
    EXPECT_EQ(ProgressText(u"Renaming", 1200, 10000), u" Renaming 1,200 of 10,000");
    EXPECT_EQ(GroupedNumber(1234567), u"1,234,567");
    EXPECT_EQ(GroupedNumber(999), u"999");
}

}  // namespace
}  // namespace qm
