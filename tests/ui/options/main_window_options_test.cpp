// The option area of the main window: the status line and preview, the option
// groups with their red frames (looked at on screen), the "Auto" boxes, the
// case pairs, and the tips.
#include <gtest/gtest.h>

#include <map>

#include "main_window_harness.h"
#include "real_input.h"
#include "resource_ids.h"
#include "ui/options/date_picker.h"
#include "window_driving.h"

namespace qm::testing {
namespace {

std::uint64_t LocalToUtc(WORD year, WORD month, WORD day, WORD hour, WORD minute) {
    SYSTEMTIME local{year, month, 0, day, hour, minute, 0, 0};
    FILETIME l{}, u{};
    SystemTimeToFileTime(&local, &l);
    LocalFileTimeToFileTime(&l, &u);
    return (static_cast<std::uint64_t>(u.dwHighDateTime) << 32) | u.dwLowDateTime;
}

TEST(MainWindowPreview, TimeStampIntoTheBoxAndTheNotes) {
    ResetRecordsToDefaults();
    MainWindowHarness harness;
    HWND w = harness.window();
    ASSERT_NE(w, nullptr);
    ShowFileTimeInPicker(harness.control(IDC_DATE_PICKER), LocalToUtc(2024, 1, 5, 14, 30));
    Settings().FileTime = LocalToUtc(2024, 1, 5, 14, 30);
    for (int id : {IDC_SUFFIX, IDC_EXTENSIONS, IDC_DATE_CREATED, IDC_DATE_ACCESSED}) Check(w, id, false);
    for (int id : {IDC_FILE_NAMES, IDC_PREFIX, IDC_PREFIX_SPACER, IDC_DATE, IDC_DATE_MODIFIED}) Check(w, id, true);
    Click(w, IDC_STAMP_PRESET);
    Click(w, IDC_PREFIX_AUTO);
    EXPECT_EQ(ItemText(w, IDC_STATUS_MESSAGE), L" Jan05-2024-1430_0001   (Date: M)");
    EXPECT_EQ(ItemText(w, IDC_PREFIX_BOX), L"Jan05-2024-1430");
    EXPECT_EQ(ItemText(w, IDC_STATUS_COUNT), L" Files: 0");
    EXPECT_EQ(ItemText(w, IDC_STATUS_SELECTION), L" Selected: 0");

    Click(w, IDC_ATTRIBUTES);
    for (int id : {IDC_READ_ONLY, IDC_HIDDEN, IDC_SYSTEM, IDC_ARCHIVE}) Check(w, id, false);
    Click(w, IDC_DATE_MODIFIED);
    EXPECT_EQ(ItemText(w, IDC_STATUS_MESSAGE), L" Jan05-2024-1430_0001   (Attributes: Cleared)")
        << "no date note without a ticked time";

    // A run that fails leaves its message standing until the next refresh.
    test::TemporaryFolder folder;
    test::PutFileContent(folder.File(L"a.txt"), {1});
    test::PutFileContent(folder.File(L"Jan05-2024-1430_0001.txt"), {2});
    SendMessageW(w, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({folder.File(L"a.txt")})), 0);
    Check(w, IDC_ATTRIBUTES, false);
    Command(w, IDC_START);
    EXPECT_EQ(ItemText(w, IDC_STATUS_MESSAGE), L" 1 file(s) could not be renamed");
    Command(w, 15000);
    EXPECT_EQ(ItemText(w, IDC_STATUS_MESSAGE), L" Jan05-2024-1430_0001");
    EXPECT_EQ(SendDlgItemMessageW(w, IDC_PREFIX_BOX, CB_GETCOUNT, 0, 0), 0) << "a stamp that Auto put in stays out of the history";

    // "Auto" beside the date stamps the run's own time, and the picker shows it.
    Check(w, IDC_DATE_MODIFIED, true);
    Check(w, IDC_DATE_AUTO, true);
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t started = (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    Command(w, IDC_START);
    const std::uint64_t stamped = Settings().FileTime;
    EXPECT_LT(stamped > started ? stamped - started : started - stamped, 20'000'000u) << "within two seconds of Start";
    EXPECT_EQ(TimesOf(folder.File(L"a.txt")).written, stamped);
}

// Every governing box enables and disables its group; the red frames and the
// case pairs follow.
TEST(MainWindowGroups, GoverningBoxesFramesAndCasePairs) {
    ResetRecordsToDefaults();
    MainWindowHarness harness;
    HWND w = harness.window();
    ASSERT_NE(w, nullptr);
    struct Group {
        int box;
        std::vector<int> controls;
        int frame;  // shown while its "Auto" box is checked, or 0
        int autoBox;
    } groups[] = {
        {IDC_FILE_NAMES,
         {1015, 1016, 1017, 1018, 1019, 1020, 1021, 1022, 1023, 1024, 1025, 1026, 1027, 1028, 1029, 1030, 1032, 1100,
          1035, 1031, 1036, 1037, IDC_STAMP_TAKEN},
         1050, 1022},
        {IDC_EXTENSIONS, {1074, 1075, 1076, 1077, 1078, 1079, 1082}, 0, 0},
        {IDC_DATE, {1108, 1045, 1047, 1048, 1012, 1049, IDC_DATE_TAKEN}, 1073, 1049},
        {IDC_ATTRIBUTES, {1069, 1070, 1071, 1072}, 0, 0},
    };
    for (const Group& g : groups) {
        SCOPED_TRACE(g.box);
        Check(w, g.box, true);
        Command(w, g.box);
        if (g.autoBox) Click(w, g.autoBox);
        for (int id : g.controls) EXPECT_TRUE(IsWindowEnabled(harness.control(id))) << id;
        Click(w, g.box);
        for (int id : g.controls) EXPECT_FALSE(IsWindowEnabled(harness.control(id))) << id;
        if (g.frame) {
            EXPECT_FALSE(IsWindowVisible(harness.control(g.frame)));
        }
        Click(w, g.box);
        if (g.frame) {
            EXPECT_TRUE(IsWindowVisible(harness.control(g.frame)));
            EXPECT_TRUE(Checked(w, g.autoBox)) << "a governing box changes only the enabling";
        }
    }
    for (auto [upper, lower] : {std::pair{1023, 1024}, std::pair{1028, 1029}, std::pair{1078, 1079}}) {
        Check(w, lower, true);
        Click(w, upper);
        EXPECT_TRUE(Checked(w, upper));
        EXPECT_FALSE(Checked(w, lower));
        Click(w, upper);
        EXPECT_FALSE(Checked(w, upper) || Checked(w, lower));
    }
    // "Auto" puts the newest history entry back, or empties the box (with
    // "File Names" off, no time stamp comes into it afterwards).
    Check(w, IDC_FILE_NAMES, false);
    SetDlgItemTextW(w, IDC_SUFFIX_BOX, L"typed");
    SendMessageW(w, WM_COMMAND, IDC_SUFFIX_AUTO, 0);
    EXPECT_EQ(ItemText(w, IDC_SUFFIX_BOX), L"");
    SendDlgItemMessageW(w, IDC_SUFFIX_BOX, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"newest"));
    SendMessageW(w, WM_COMMAND, IDC_SUFFIX_AUTO, 0);
    EXPECT_EQ(ItemText(w, IDC_SUFFIX_BOX), L"newest");
}

// The frame must show on screen as a one-pixel red ring around the box.
TEST(MainWindowGroups, RedFramesShowOnScreen) {
    ResetRecordsToDefaults();
    MainWindowHarness harness;
    HWND w = harness.window();
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(BringToFront(w, false)) << "the frames are looked at on screen";
    Check(w, IDC_FILE_NAMES, true);
    Check(w, IDC_DATE, true);
    Command(w, IDC_FILE_NAMES);
    Command(w, IDC_DATE);
    struct Target {
        int box, autoBox;
    } targets[] = {{IDC_PREFIX_BOX, IDC_PREFIX_AUTO}, {IDC_SUFFIX_BOX, IDC_SUFFIX_AUTO}, {IDC_DATE_PICKER, IDC_DATE_AUTO}};
    for (bool on : {true, false}) {
        for (const Target& t : targets) {
            if (Checked(w, t.autoBox) != on) Click(w, t.autoBox);
        }
        RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Sleep(100);
        for (const Target& t : targets) {
            SCOPED_TRACE(t.box);
            RECT box{};
            GetWindowRect(harness.control(t.box), &box);
            const ScreenPixels pixels({box.left - 1, box.top - 1, box.right + 1, box.bottom + 1});
            int redRing = 0, redInside = 0, ring = 0;
            for (int y = box.top - 1; y <= box.bottom; ++y) {
                for (int x = box.left - 1; x <= box.right; ++x) {
                    const bool onRing = x == box.left - 1 || x == box.right || y == box.top - 1 || y == box.bottom;
                    const bool red = pixels.At(x, y) == RGB(255, 0, 0);
                    ring += onRing;
                    redRing += onRing && red;
                    redInside += !onRing && red;
                }
            }
            EXPECT_EQ(redRing, on ? ring : 0);
            EXPECT_EQ(redInside, 0) << "the frame never covers the box";
        }
    }
}

// Made at once (as the tests' CmdFinishOpening does) or left to the window's
// own timer, a step at a time: every tip comes, each once.
void ExpectEveryTip(MainWindowHarness::Tips made) {
    ResetRecordsToDefaults();
    Presets()[2].label = u"Holiday & more";
    MainWindowHarness harness(made);
    HWND w = harness.window();
    ASSERT_NE(w, nullptr);
    constexpr std::size_t allTips = 10u + 15u + 5u + 1u + 9u + 5u + 3u;
    std::vector<TipOfControl> found = TipsOfThread(GetWindowThreadProcessId(w, nullptr));
    for (int wait = 0; wait < 500 && found.size() < allTips; ++wait) {
        Sleep(10);
        found = TipsOfThread(GetWindowThreadProcessId(w, nullptr));
    }
    std::map<int, std::wstring> tips;
    for (const TipOfControl& tip : found) {
        // A drop-down box's tip sits on its edit field, where the mouse is.
        HWND control = tip.control;
        wchar_t parentClass[32] = {};
        GetClassNameW(GetParent(control), parentClass, 32);
        if (lstrcmpiW(parentClass, L"ComboBox") == 0) control = GetParent(control);
        tips[GetDlgCtrlID(control)] = tip.text;
    }
    const std::map<int, std::wstring> expected = {
        {1045, L"current date"}, {1005, L"up"}, {1006, L"down"}, {1003, L"undo"}, {1007, L"help"},
        {1014, L"settings"}, {1074, L"add extension"}, {1075, L"delete extension"}, {1076, L"up"}, {1077, L"down"},
        {1080, L"Preset 1"}, {1086, L"Preset 2"}, {1087, L"Holiday & more"}, {1099, L"Preset 15"},
        {1035, L"seconds since 1970"}, {1031, L"100-nanosecond steps since 1601"},
        {1036, L"now, through the time format"}, {1037, L"the date picker's time, through the time format"},
        {1033, L"About Quillmoth"},
        {IDC_FILE_LIST, L""},  // the New Name column's, empty until the mouse rests on a red name
        {IDC_KEEP_NAME, L"keep the old name, after the prefix"}, {IDC_NO_NUMBER, L"no running number in the name"},
        {IDC_FIND_BOX, L"text to find in the old name"}, {IDC_REPLACE_BOX, L"text that replaces it ($1 for a group)"},
        {IDC_FIND_REGEX, L"find a regular expression"}, {IDC_FIND_MATCH_CASE, L"upper and lower case differ"},
        {IDC_ADD_FOLDER, L"add every file of a folder"},
        {IDC_STEP_EDIT, L"how much each number is above the one before (10: 1, 11, 21...)"},
        {IDC_STEP_UPDOWN, L"how much each number is above the one before (10: 1, 11, 21...)"},
        {IDC_PER_FOLDER, L"each folder's files count from the offset on their own"},
        {IDC_PREFIX_FOLDER, L"the name of each file's own folder as the prefix"},
        {IDC_SUFFIX_FOLDER, L"the name of each file's own folder as the suffix"},
        {IDC_NAME_CASE, L"the case of the whole new name, after every other option"},
        {IDC_FROM_LIST, L"new names from a text file, one a line, for the rows in the order shown"},
        {IDC_FROM_LIST_PICK, L"pick the text file of names, one a line"}};
    for (const auto& [id, text] : expected) EXPECT_EQ(tips[id], text) << id;
    EXPECT_EQ(tips.size(), allTips);
    EXPECT_EQ(found.size(), allTips) << "no tip made twice";
}

TEST(MainWindowTips, EveryButtonTipAndThePresetLabels) {
    { SCOPED_TRACE("made at once"); ExpectEveryTip(MainWindowHarness::Tips::MadeAtOnce); }
    { SCOPED_TRACE("left to the window's timer"); ExpectEveryTip(MainWindowHarness::Tips::LeftToTheWindow); }
}

TEST(MainWindowLifetime, SessionEndSavesOnceAndStoredOpacityStaysVisible) {
    test::TemporaryFolder folder;
    const std::wstring file = folder.File(L"settings.ini");
    struct Case {
        const char16_t* opacity;
        BYTE alpha;
    } cases[] = {{u"0", 70}, {u"256", 70}, {u"300", 70}, {u"200", 200}, {u"511", 255}};
    for (const Case& c : cases) {
        std::u16string text = u"\xFEFF[SETTINGS]\r\nGeneralFlags=2\r\nOpacity=";
        text += c.opacity;
        text += u"\r\n\r\n";
        test::PutFileContent(file, std::vector<std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()),
                                                             reinterpret_cast<const std::uint8_t*>(text.data() + text.size())));
        ResetRecordsToDefaults();
        MainWindowHarness harness(file);
        ASSERT_NE(harness.window(), nullptr);
        BYTE alpha = 0;
        DWORD flags = 0;
        GetLayeredWindowAttributes(harness.window(), nullptr, &alpha, &flags);
        EXPECT_EQ(alpha, c.alpha) << std::string(c.opacity, c.opacity + std::char_traits<char16_t>::length(c.opacity));
        EXPECT_EQ(Settings().Opacity, std::stoul(std::wstring(c.opacity, c.opacity + std::char_traits<char16_t>::length(c.opacity)))) << "the stored value stays";

        DeleteFileW(file.c_str());
        SendMessageW(harness.window(), WM_ENDSESSION, FALSE, 0);
        EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES) << "the session goes on";
        SendMessageW(harness.window(), WM_ENDSESSION, TRUE, 0);
        EXPECT_NE(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES) << "saved at the session's end";
        DeleteFileW(file.c_str());
        EXPECT_TRUE(harness.close());
        EXPECT_EQ(GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES) << "saved once";
    }
}

}  // namespace
}  // namespace qm::testing

#include "win32/help.h"
#include "win32/files/program_folder.h"

namespace qm::testing {
namespace {

TEST(MainWindowHelp, HelpFileLiesBesideTheProgram) {
    wchar_t exe[1024] = {};
    GetModuleFileNameW(nullptr, exe, 1024);
    std::wstring folder = exe;
    folder.resize(folder.find_last_of(L'\\'));
    EXPECT_EQ(win32::HelpTarget(win32::MainHelpTopic), folder + L"\\Quillmoth.chm::/index.html>MainWindow");
    EXPECT_EQ(win32::ProgramFolderFile(L"settings.ini"), folder + L"\\settings.ini");
}

}  // namespace
}  // namespace qm::testing
