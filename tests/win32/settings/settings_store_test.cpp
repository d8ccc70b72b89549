// The settings store against real controls and real files under Windows (Wine):
// the three operations, the lock, and the replacement that never leaves a
// half-written file.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "core/settings_file/settings_file.h"
#include "core/settings_fixture.h"
#include "win32/settings_test_window.h"
#include "win32/settings/settings_file_io.h"
#include "win32/settings/settings_lock.h"
#include "win32/settings/settings_store.h"

namespace qm::win32 {
namespace {

using test::SettingsTestWindow;
using test::TemporaryFolder;
using Row = SettingsTestWindow::Row;

std::u16string U16(const std::wstring& text) { return {text.begin(), text.end()}; }

TEST(SettingsStorePath, LiesBesideTheExecutable) {
    wchar_t exe[1024] = {};
    GetModuleFileNameW(nullptr, exe, 1024);
    std::wstring expected = exe;
    expected = expected.substr(0, expected.find_last_of(L'\\')) + L"\\settings.ini";
    EXPECT_EQ(SettingsFilePath(), expected);
}

TEST(SettingsStoreRoundTrip, WriteThenReadRestoresRecordControlsAndPresets) {
    TemporaryFolder folder;
    const std::wstring path = folder.File(L"settings.ini");

    AppSettings written = test::FixtureSettings();
    written.TimeFormat = u"%dd%.%MM%";
    written.LastPath = u"C:\\Fotos";
    written.Spacer = u"~";
    written.MainDlgWP = {44, 0, 1, -1, -1, -1, -1, 10, 20, 810, 620};
    written.SettingsDlgXY = {120, 80};
    written.Opacity = 200;
    written.Offset = 17;
    written.RenameFlags = 0x1013;
    written.GeneralFlags = 3;
    PresetArray presets = test::FixturePresets();
    presets[6].label = u"Holiday";
    presets[6].offset = 65546;
    presets[14].prefix = u"";
    presets[14].datetimeflags = 8;

    SettingsTestWindow source;
    SetWindowTextW(source.control(IDC_PREFIX_BOX), L"current prefix");
    for (int i = 0; i < 150; ++i) source.AddEntry(IDC_PREFIX_BOX, L"p" + std::to_wstring(i));
    source.AddEntry(IDC_SUFFIX_BOX, L"s \u00E9\u20AC");
    source.AddEntry(IDC_SUFFIX_BOX, L"s");
    const std::vector<Row> rows = {{true, L"jpeg", L"jpg"}, {false, L"TIFF", L"tif"},
                                   {true, L"", L"jpg"}};
    for (const Row& row : rows) source.AddRow(row);

    ASSERT_EQ(WriteAllSettings(written, source.handle(), presets, path), 0);
    EXPECT_NE(written.SettingsLock, nullptr);  // made at first use

    // The file is exactly what the codec makes of the same data.
    SettingsLists lists;
    lists.prefix.current = u"current prefix";
    for (int i = 0; i < 100; ++i) lists.prefix.entries.push_back(U16(L"p" + std::to_wstring(i)));
    lists.suffix.entries = {u"s \u00E9\u20AC", u"s"};
    lists.extensions = {{true, u"jpeg", u"jpg"}, {false, u"TIFF", u"tif"}, {true, u"", u"jpg"}};
    EXPECT_EQ(test::FileContent(path), WriteSettingsFileBytes(written, lists, presets));

    AppSettings read = test::FixtureSettings();
    EXPECT_EQ(ReadSettings(read, path), 0);
    EXPECT_EQ(read.TimeFormat.view(), u"%dd%.%MM%");
    EXPECT_EQ(read.LastPath.view(), u"C:\\Fotos");
    EXPECT_EQ(read.Spacer.view(), u"~");
    EXPECT_EQ(read.MainDlgWP.length, 44u);
    EXPECT_EQ(read.MainDlgWP.right, 810);
    EXPECT_EQ(read.SettingsDlgXY.x, 120);
    EXPECT_EQ(read.Opacity, 200u);
    EXPECT_EQ(read.Offset, 17u);
    EXPECT_EQ(read.RenameFlags, 0x1013u);
    EXPECT_EQ(read.GeneralFlags, 3u);

    SettingsTestWindow target;
    PresetArray readPresets = MakeDefaultPresets(0);
    EXPECT_EQ(ReadListsAndPresets(read, target.handle(), readPresets, path), 0);
    EXPECT_EQ(target.Text(IDC_PREFIX_BOX), L"current prefix");
    const std::vector<std::wstring> prefixEntries = target.Entries(IDC_PREFIX_BOX);
    ASSERT_EQ(prefixEntries.size(), 100u);
    EXPECT_EQ(prefixEntries.front(), L"p0");
    EXPECT_EQ(prefixEntries.back(), L"p99");
    EXPECT_EQ(target.Text(IDC_SUFFIX_BOX), L"");
    EXPECT_EQ(target.Entries(IDC_SUFFIX_BOX), (std::vector<std::wstring>{L"s \u00E9\u20AC", L"s"}));
    EXPECT_EQ(target.Rows(), rows);
    EXPECT_EQ(readPresets[6].label.view(), u"Holiday");
    EXPECT_EQ(readPresets[6].offset, 65546);
    EXPECT_EQ(readPresets[14].prefix.view(), u"");
    EXPECT_EQ(readPresets[14].datetimeflags, 8u);
    EXPECT_EQ(readPresets[0].filetime, test::FixtureFileTime);
}

TEST(SettingsStoreRead, AppendsToWhatTheControlsHold) {
    TemporaryFolder folder;
    const std::wstring path = folder.File(L"settings.ini");
    ASSERT_TRUE(test::PutFileContent(
        path, test::FileOfLines({u"[EXTENSIONS]", u"1\u00BB\u00BBjpg", u"0\u00BBtif\u00BBtiff",
                                 u"no separators", u"", u"[PREFIX]", u"typed", u"a", u"keep",
                                 u"", u"[SUFFIX]", u"", u"[PRESET3]", u"label=Third"})));
    SettingsTestWindow window;
    window.AddEntry(IDC_PREFIX_BOX, L"keep");
    SetWindowTextW(window.control(IDC_SUFFIX_BOX), L"stays");
    window.AddRow({false, L"old", L"row"});

    AppSettings settings = test::FixtureSettings();
    PresetArray presets = test::FixturePresets();
    ASSERT_EQ(ReadListsAndPresets(settings, window.handle(), presets, path), 0);
    EXPECT_EQ(window.Text(IDC_PREFIX_BOX), L"typed");
    EXPECT_EQ(window.Entries(IDC_PREFIX_BOX), (std::vector<std::wstring>{L"keep", L"a", L"keep"}));
    EXPECT_EQ(window.Text(IDC_SUFFIX_BOX), L"stays");
    const std::vector<Row> rows = {{false, L"old", L"row"},
                                   {true, L"", L"jpg"},
                                   {false, L"tif", L"tiff"},
                                   {false, L"", L""}};
    EXPECT_EQ(window.Rows(), rows);
    EXPECT_EQ(presets[2].label.view(), u"Third");
    EXPECT_EQ(presets[2].prefix.view(), u"Prefix");
}

TEST(SettingsStoreRead, MissingFileChangesNothing) {
    TemporaryFolder folder;
    const std::wstring path = folder.File(L"settings.ini");
    AppSettings settings = test::FixtureSettings();
    EXPECT_EQ(ReadSettings(settings, path), -1);
    EXPECT_EQ(settings.Zeros, 4u);
    EXPECT_EQ(settings.TimeFormat.view(), DefaultTimeFormat);

    SettingsTestWindow window;
    SetWindowTextW(window.control(IDC_PREFIX_BOX), L"mine");
    PresetArray presets = test::FixturePresets();
    EXPECT_EQ(ReadListsAndPresets(settings, window.handle(), presets, path), -1);
    EXPECT_EQ(window.Text(IDC_PREFIX_BOX), L"mine");
    EXPECT_TRUE(window.Entries(IDC_PREFIX_BOX).empty());
    EXPECT_EQ(presets[0].label.view(), u"Preset 1");
}

TEST(SettingsStoreWrite, CurrentTextIsReadWithItsLimitAndEmptyBecomesTheStandIn) {
    TemporaryFolder folder;
    const std::wstring path = folder.File(L"settings.ini");
    SettingsTestWindow window;
    SendMessageW(window.control(IDC_PREFIX_BOX), CB_LIMITTEXT, 0, 0);
    SetWindowTextW(window.control(IDC_PREFIX_BOX), std::wstring(1500, L'x').c_str());
    AppSettings settings = test::FixtureSettings();
    ASSERT_EQ(WriteAllSettings(settings, window.handle(), test::FixturePresets(), path), 0);
    const std::vector<std::uint8_t> content = test::FileContent(path);
    const std::vector<std::uint8_t> prefix =
        test::LittleEndian(u"[PREFIX]\r\n" + test::Repeated(u'x', 1022) + u"\r\n\r\n");
    const std::vector<std::uint8_t> suffix = test::LittleEndian(u"[SUFFIX]\r\n\u00FF\r\n\r\n");
    EXPECT_NE(std::search(content.begin(), content.end(), prefix.begin(), prefix.end()),
              content.end());
    EXPECT_NE(std::search(content.begin(), content.end(), suffix.begin(), suffix.end()),
              content.end());
}

// Writes half of the new file, then fails as a full disk would.
bool WriteHalfThenFail(HANDLE file, std::span<const std::uint8_t> bytes) {
    WriteAllFileBytes(file, bytes.first(bytes.size() / 2));
    return false;
}

TEST(SettingsStoreWrite, FailureMidwayKeepsTheOldFile) {
    TemporaryFolder folder;
    const std::wstring path = folder.File(L"settings.ini");
    const std::vector<std::uint8_t> old = test::FileOfLines({u"[SETTINGS]", u"Zeros=9"});
    ASSERT_TRUE(test::PutFileContent(path, old));
    const std::vector<std::uint8_t> replacement(100000, 0x41);

    EXPECT_EQ(ReplaceFileContents(path, replacement, WriteHalfThenFail), -1);
    EXPECT_EQ(test::FileContent(path), old);
    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"settings.ini"});  // nothing left over

    EXPECT_EQ(ReplaceFileContents(path, replacement), 0);
    EXPECT_EQ(test::FileContent(path), replacement);
    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"settings.ini"});
}

TEST(SettingsStoreWrite, WhereNoNewFileCanBeMadeTheWriteFailsAndTheOldFileStays) {
    TemporaryFolder folder;
    const std::wstring path = folder.File(L"settings.ini");
    ASSERT_TRUE(test::PutFileContent(path, std::vector<std::uint8_t>(300000, 0x41)));
    // A folder where the new file would go: it can be neither removed nor created.
    ASSERT_TRUE(CreateDirectoryW(ReplacementFilePath(path).c_str(), nullptr));

    SettingsTestWindow window;
    AppSettings settings = test::FixtureSettings();
    const PresetArray presets = test::FixturePresets();
    EXPECT_EQ(WriteAllSettings(settings, window.handle(), presets, path), -1);
    EXPECT_EQ(test::FileContent(path), std::vector<std::uint8_t>(300000, 0x41));
}

TEST(SettingsStoreWrite, WithoutAPathNothingIsWritten) {
    TemporaryFolder folder;
    wchar_t before[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, before);
    SetCurrentDirectoryW(folder.path().c_str());
    SettingsTestWindow window;
    AppSettings settings = test::FixtureSettings();
    EXPECT_EQ(WriteAllSettings(settings, window.handle(), test::FixturePresets(), L""), -1);
    EXPECT_EQ(ReplaceFileContents(L"", std::vector<std::uint8_t>(10, 1)), -1);
    SetCurrentDirectoryW(before);
    EXPECT_TRUE(folder.Names().empty()) << "no \".tmp\" in the current folder";
}

TEST(SettingsStoreWrite, ReplacesAStaleReadOnlyNewFileAndKeepsTheHiddenMark) {
    TemporaryFolder folder;
    const std::wstring path = folder.File(L"settings.ini");
    ASSERT_TRUE(test::PutFileContent(path, test::FileOfLines({u"old"})));
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(test::PutFileContent(ReplacementFilePath(path), {1, 2, 3}));
    ASSERT_TRUE(SetFileAttributesW(ReplacementFilePath(path).c_str(), FILE_ATTRIBUTE_READONLY));

    SettingsTestWindow window;
    AppSettings settings = test::FixtureSettings();
    const PresetArray presets = test::FixturePresets();
    ASSERT_EQ(WriteAllSettings(settings, window.handle(), presets, path), 0);
    EXPECT_EQ(test::FileContent(path), WriteSettingsFileBytes(settings, SettingsLists{}, presets));
    EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"settings.ini"});
    EXPECT_NE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
}

TEST(SettingsStoreLock, KeepsTheOperationsFromOverlapping) {
    TemporaryFolder folder;
    const std::wstring path = folder.File(L"settings.ini");
    AppSettings settings = test::FixtureSettings();
    void* lock = nullptr;
    {
        SettingsLockHold first(settings);
        lock = settings.SettingsLock;
        ASSERT_NE(lock, nullptr);
    }
    std::atomic<bool> holding{false};
    std::atomic<bool> released{false};
    std::thread other([&] {
        SettingsLockHold hold(settings);
        holding = true;
        Sleep(200);
        released = true;
    });
    while (!holding) Sleep(1);
    ReadSettings(settings, path);  // must wait for the other thread
    EXPECT_TRUE(released);
    other.join();
    EXPECT_EQ(settings.SettingsLock, lock);  // the same lock throughout
}

}  // namespace
}  // namespace qm::win32
