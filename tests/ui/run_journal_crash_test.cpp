// The real program killed in the middle of a run over 2,000 real files, then
// started again: the rows come back, "^" undoes them, and every file is back
// with its content, name, times and attributes. The files are numbered from 2
// and renumbered from 1, so that each row takes the name the row before it
// gives up: every name is still on disk after the kill, and only the files
// themselves tell how far the run got. Prints "lost N" as the stress check does.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>
#include <random>

#include "program_driving.h"
#include "resource_ids.h"
#include "window_driving.h"

namespace qm::testing {
namespace {

constexpr DWORD Timeout = 60000;
constexpr std::size_t FileCount = 2000;
constexpr std::uint64_t Millisecond = 10'000;

std::uint64_t ContentHash(const std::vector<std::uint8_t>& bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const std::uint8_t byte : bytes) hash = (hash ^ byte) * 1099511628211ull;
    return hash;
}

struct Record {
    std::uint64_t hash = 0, written = 0, accessed = 0;
    DWORD attributes = 0;
    bool operator==(const Record&) const = default;
};

Record RecordOf(const std::wstring& path) {
    Record record;
    const Times times = TimesOf(path);  // before the content, whose reading may move the access time
    record.written = times.written;
    record.accessed = times.accessed;
    record.attributes = GetFileAttributesW(path.c_str()) &
                        (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    record.hash = ContentHash(test::FileContent(path));
    SetTimes(path, times.created, times.accessed, times.written);  // as they were before the reading
    return record;
}

std::wstring ChainName(std::size_t number) {
    wchar_t name[32];
    swprintf(name, 32, L"Trip_%05zu.dat", number);
    return name;
}

// How many rows of the chain have moved: the name the run has freed last.
std::size_t RowsMoved(const TemporaryFolder& files) {
    std::size_t number = 1;
    const auto there = [&](std::size_t n) {
        return GetFileAttributesW(files.File(ChainName(n)).c_str()) != INVALID_FILE_ATTRIBUTES;
    };
    while (number <= FileCount + 1 && there(number)) ++number;
    return number - 1;
}

TEST(RunJournalCrash, KilledPartWayThenUndoneAfterRestart) {
    TemporaryFolder programFolder;
    TemporaryFolder files;
    std::mt19937 random(11);
    std::vector<std::wstring> names;
    std::map<std::wstring, Record> before;
    for (std::size_t i = 0; i < FileCount; ++i) {
        const std::wstring name = ChainName(i + 2);
        names.push_back(name);
        std::vector<std::uint8_t> content(random() % 2048);
        for (std::uint8_t& byte : content) byte = static_cast<std::uint8_t>(random());
        const std::wstring path = files.File(name);
        test::PutFileContent(path, content);
        // Whole milliseconds: what the list keeps of a time, and so what undo restores.
        const std::uint64_t written = 130'000'000'000'000'000ull + (random() % 100'000'000ull) * Millisecond;
        SetTimes(path, written, written + (random() % 1000) * Millisecond, written);
        const DWORD attributes = (random() % 4 == 0 ? FILE_ATTRIBUTE_READONLY : 0) |
                                 (random() % 3 == 0 ? FILE_ATTRIBUTE_HIDDEN : 0) | FILE_ATTRIBUTE_ARCHIVE;
        SetFileAttributesW(path.c_str(), attributes);
        before[name] = RecordOf(path);
    }
    const std::wstring program = CopyProgramInto(L"Quillmoth.exe", programFolder);
    WriteLastPathSettings(programFolder.File(L"settings.ini"), files.path());

    std::size_t renamedAtKill = 0;
    {
        ProgramProcess process(program);
        HWND main = process.waitForDialog(L"Quillmoth", Timeout);
        ASSERT_NE(main, nullptr);
        for (int id : {IDC_FILE_NAMES, IDC_PREFIX, IDC_PREFIX_SPACER, IDC_DATE, IDC_DATE_MODIFIED, IDC_DATE_ACCESSED,
                       IDC_DATE_AUTO, IDC_ATTRIBUTES, IDC_SYSTEM})
            Check(main, id, true);
        for (int id : {IDC_SUFFIX, IDC_PREFIX_AUTO, IDC_EXTENSIONS, IDC_READ_ONLY, IDC_HIDDEN, IDC_ARCHIVE})
            Check(main, id, false);
        SetDlgItemTextW(main, IDC_PREFIX_BOX, L"Trip");
        SetDlgItemTextW(main, IDC_ZEROS_EDIT, L"5");
        SetDlgItemTextW(main, IDC_OFFSET_EDIT, L"1");
        ASSERT_TRUE(AddThroughOpenDialog(process, main, names, Timeout)) << "the files were not added";

        PostMessageW(main, WM_COMMAND, IDC_START, 0);
        ASSERT_TRUE(WaitUntil([&] { return RowsMoved(files) >= FileCount / 10; }, Timeout));
        // The process object ends the program the hard way, in the middle of the run.
    }
    renamedAtKill = RowsMoved(files);
    std::printf("renamed when killed: %zu of %zu\n", renamedAtKill, FileCount);
    ASSERT_LT(renamedAtKill, FileCount) << "the run ended before it was killed";

    {
        ProgramProcess process(program);
        HWND main = process.waitForDialog(L"Quillmoth", Timeout);
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(ItemText(main, IDC_STATUS_MESSAGE), L" 2,000 rows came back from an interrupted run; Undo, the curved arrow, takes them back");
        EXPECT_EQ(ItemText(main, IDC_STATUS_COUNT), L" Files: 2000");
        PostMessageW(main, WM_COMMAND, IDC_UNDO, 0);
        EXPECT_TRUE(WaitUntil([&] { return RowsMoved(files) == 0; }, Timeout));
        EXPECT_TRUE(WaitUntil([&] { return ItemText(main, IDC_STATUS_MESSAGE).find(L"Undoing") == std::wstring::npos; }, Timeout));
        PostMessageW(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(process.waitForExit(Timeout), 0);
    }

    std::size_t lost = 0;
    for (const auto& [name, first] : before) {
        const std::wstring path = files.File(name);
        if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
            std::printf("missing: %ls\n", name.c_str());
            ++lost;
        } else if (const Record now = RecordOf(path); !(now == first)) {
            std::printf("changed: %ls (content %d, written %d, accessed %d, attributes %lx -> %lx)\n", name.c_str(),
                        now.hash != first.hash, now.written != first.written, now.accessed != first.accessed,
                        first.attributes, now.attributes);
            ++lost;
        }
    }
    for (const std::wstring& name : files.Names())
        if (!before.count(name)) {
            std::printf("extra in the folder: %ls\n", name.c_str());
            ++lost;
        }
    EXPECT_FALSE(GetFileAttributesW(programFolder.File(L"lastrun.txt").c_str()) != INVALID_FILE_ATTRIBUTES)
        << "every row is back: the journal is gone";
    std::printf("lost %zu\n", lost);
    EXPECT_EQ(lost, 0u);
    for (const std::wstring& name : files.Names()) SetFileAttributesW(files.File(name).c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace qm::testing
