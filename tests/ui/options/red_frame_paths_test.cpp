// The red frames on screen, on every path that shows or hides one: the window
// opening with the "Auto" boxes ticked, the "Auto" boxes clicked, the governing
// boxes switched off and on again, and a preset applied. Each time the screen
// must show a one-pixel red ring round the box and no red inside it.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "main_window_harness.h"
#include "real_input.h"
#include "resource_ids.h"
#include "window_driving.h"

namespace qm::testing {
namespace {

struct Target {
    int box, autoBox;
};
constexpr Target Targets[] = {
    {IDC_PREFIX_BOX, IDC_PREFIX_AUTO}, {IDC_SUFFIX_BOX, IDC_SUFFIX_AUTO}, {IDC_DATE_PICKER, IDC_DATE_AUTO}};

struct RingCount {
    int ring = 0;       // pixels of the one-pixel ring round the box
    int redRing = 0;    // of those, red
    int redInside = 0;  // red pixels inside the box
};

RingCount CountRed(HWND box) {
    RECT r{};
    GetWindowRect(box, &r);
    const ScreenPixels pixels({r.left - 1, r.top - 1, r.right + 1, r.bottom + 1});
    RingCount count;
    for (int y = r.top - 1; y <= r.bottom; ++y) {
        for (int x = r.left - 1; x <= r.right; ++x) {
            const bool onRing = x == r.left - 1 || x == r.right || y == r.top - 1 || y == r.bottom;
            const bool red = pixels.At(x, y) == RGB(255, 0, 0);
            count.ring += onRing;
            count.redRing += onRing && red;
            count.redInside += !onRing && red;
        }
    }
    return count;
}

// Lets the window paint by itself, as it does for a user: nothing forces a redraw.
void LetItPaint(HWND window) {
    for (int i = 0; i < 4; ++i) {
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 2000, nullptr);
        Sleep(80);
    }
}

void ExpectRings(HWND window, bool prefix, bool suffix, bool date) {
    LetItPaint(window);
    const bool shown[] = {prefix, suffix, date};
    for (std::size_t i = 0; i < std::size(Targets); ++i) {
        SCOPED_TRACE(Targets[i].box);
        const RingCount count = CountRed(GetDlgItem(window, Targets[i].box));
        EXPECT_EQ(count.redRing, shown[i] ? count.ring : 0);
        EXPECT_EQ(count.redInside, 0) << "the frame never covers its box";
    }
}

void WriteSettings(const std::wstring& file, const std::u16string& lines) {
    const std::u16string text = u"\xFEFF[SETTINGS]\r\n" + lines + u"\r\n";
    test::PutFileContent(file, std::vector<std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()),
                                                         reinterpret_cast<const std::uint8_t*>(text.data() + text.size())));
}

// "File Names" and "Date" on, and the three "Auto" boxes as given.
std::u16string Flags(bool autos) {
    return std::u16string(u"MainControlFlags=5\r\nRenameFlags=") + (autos ? u"12291" : u"3") +  // 0x3003 or 0x3
           u"\r\nDateTimeFlags=" + (autos ? u"8" : u"0");
}

class RedFramePaths : public ::testing::Test {
protected:
    void Open(bool autos) {
        ResetRecordsToDefaults();
        WriteSettings(folder_.File(L"settings.ini"), Flags(autos));
        harness_ = std::make_unique<MainWindowHarness>(folder_.File(L"settings.ini"));
        ASSERT_NE(window(), nullptr);
        ASSERT_TRUE(BringToFront(window(), false)) << "the rings are looked at on screen";
    }
    HWND window() const { return harness_->window(); }
    void Click(int id) const { SendDlgItemMessageW(window(), id, BM_CLICK, 0, 0); }

    test::TemporaryFolder folder_;
    std::unique_ptr<MainWindowHarness> harness_;
};

TEST_F(RedFramePaths, OpeningWithTheAutoBoxesTicked) {
    Open(true);
    ExpectRings(window(), true, true, true);
}

TEST_F(RedFramePaths, TickingAndUntickingTheAutoBoxes) {
    Open(false);
    ExpectRings(window(), false, false, false);
    for (const Target& t : Targets) Click(t.autoBox);
    ExpectRings(window(), true, true, true);
    Click(IDC_SUFFIX_AUTO);
    ExpectRings(window(), true, false, true);
    Click(IDC_SUFFIX_AUTO);
    Click(IDC_DATE_AUTO);
    ExpectRings(window(), true, true, false);
}

TEST_F(RedFramePaths, SwitchingTheGroupsOffAndOn) {
    for (bool autosAtOpening : {false, true}) {
        SCOPED_TRACE(autosAtOpening);
        Open(autosAtOpening);
        if (!autosAtOpening)
            for (const Target& t : Targets) Click(t.autoBox);
        Click(IDC_FILE_NAMES);
        ExpectRings(window(), false, false, true);
        Click(IDC_DATE);
        ExpectRings(window(), false, false, false);
        Click(IDC_FILE_NAMES);
        Click(IDC_DATE);
        ExpectRings(window(), true, true, true);
        harness_.reset();
    }
}

TEST_F(RedFramePaths, ApplyingAPreset) {
    Open(false);
    Preset& withAutos = Presets()[0];
    withAutos.maincontrolflags = 0x5;
    withAutos.renameflags = 0x3003;
    withAutos.datetimeflags = 0x8;
    Presets()[1].maincontrolflags = 0x5;
    Presets()[1].renameflags = 0x3;
    Presets()[1].datetimeflags = 0;
    Command(window(), IDC_PRESET_1);
    ExpectRings(window(), true, true, true);
    Command(window(), IDC_PRESET_2);
    ExpectRings(window(), false, false, false);
    Command(window(), IDC_PRESET_1);
    ExpectRings(window(), true, true, true);
}

}  // namespace
}  // namespace qm::testing
