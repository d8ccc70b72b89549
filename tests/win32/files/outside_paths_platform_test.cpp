// The command-line splitter against the system's own on random lines, and the
// platform side of paths from outside: full paths, and list files read from disk.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <random>
#include <string>
#include <vector>

#include "core/outside/command_line_words.h"
#include "win32/files/outside_path_names.h"
#include "win32/temporary_folder.h"

namespace qm::win32 {
namespace {

using test::TemporaryFolder;

std::vector<std::u16string> SystemWords(const std::u16string& line) {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(reinterpret_cast<const wchar_t*>(line.c_str()), &count);
    std::vector<std::u16string> result;
    for (int i = 1; i < count; ++i) result.emplace_back(reinterpret_cast<const char16_t*>(words[i]));
    LocalFree(words);
    return result;
}

TEST(CommandLineDifferential, RandomLinesSplitAsTheSystemSplitsThem) {
    // The characters that matter, and a few that do not.
    const std::u16string alphabet = u"a\\\\\\\"\"  \tb\u00E9\u65E5:.";
    std::mt19937 random(1515);
    for (int round = 0; round < 5000; ++round) {
        std::u16string line = round % 2 ? u"\"C:\\Program Files\\Q.exe\" " : u"Q.exe ";
        const std::size_t length = random() % 24;
        for (std::size_t i = 0; i < length; ++i) line += alphabet[random() % alphabet.size()];
        ASSERT_EQ(CommandLineArguments(line), SystemWords(line)) << std::string(line.begin(), line.end());
    }
}

std::u16string U16(const std::wstring& text) { return {text.begin(), text.end()}; }

TEST(OutsidePathNames, FullPathsFromTheCurrentFolderOrAGivenOne) {
    TemporaryFolder folder;
    const std::u16string base = U16(folder.path());
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    std::u16string here = U16(current);
    if (here.back() != u'\\') here += u'\\';
    struct Case {
        std::u16string given, baseFolder, full;
    } cases[] = {
        {u"a.txt", u"", here + u"a.txt"},
        {u"a.txt", base, base + u"\\a.txt"},
        {u"sub\\..\\b.txt", base, base + u"\\b.txt"},
        {u"sub/c.txt", base, base + u"\\sub\\c.txt"},
        {u"C:\\x\\.\\y.txt", base, u"C:\\x\\y.txt"},
        {u"C:/x/y.txt", u"", u"C:\\x\\y.txt"},
        {u"\\\\server\\share\\z.txt", base, u"\\\\server\\share\\z.txt"},
        {u"", base, u""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FullPath(c.given, c.baseFolder), c.full) << std::string(c.given.begin(), c.given.end());
}

TEST(OutsidePathNames, AListFileIsReadWithItsRelativeLinesTakenFromItsFolder) {
    TemporaryFolder folder;
    const std::u16string base = U16(folder.path());
    const std::string lines = "\xEF\xBB\xBF" "a.txt\r\nsub\\b.txt\r\n\r\nC:\\elsewhere\\c.txt\r\n\"d e.txt\"\r\n";
    test::PutFileContent(folder.File(L"list.txt"), std::vector<std::uint8_t>(lines.begin(), lines.end()));
    test::PutFileContent(folder.File(L"empty.txt"), {});
    CreateDirectoryW(folder.File(L"sub").c_str(), nullptr);

    EXPECT_EQ(ReadPathListFile(base + u"\\list.txt"),
              (std::vector<std::u16string>{base + u"\\a.txt", base + u"\\sub\\b.txt", u"C:\\elsewhere\\c.txt",
                                           base + u"\\d e.txt"}));
    EXPECT_EQ(ReadPathListFile(base + u"\\empty.txt"), std::vector<std::u16string>{});
    EXPECT_FALSE(ReadPathListFile(base + u"\\missing.txt")) << "a missing list file";
    EXPECT_FALSE(ReadPathListFile(base + u"\\sub")) << "a folder";
}

}  // namespace
}  // namespace qm::win32
