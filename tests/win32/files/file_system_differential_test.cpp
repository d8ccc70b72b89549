// The in-memory file layer that the engine's native tests use must answer as
// the platform does: the same steps on both, the same outcomes.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "core/rows/attribute_letters.h"
#include "core/rows/memory_file_system.h"
#include "win32/files/platform_file_system.h"
#include "win32/temporary_folder.h"

namespace qm::win32 {
namespace {

using test::TemporaryFolder;

struct Outcome {
    std::string what;
    int value;
    friend bool operator==(const Outcome&, const Outcome&) = default;
};

// Runs the steps on one file layer in `folder`; each step gives one outcome.
std::vector<Outcome> Play(FileSystem& files, const std::u16string& folder, bool platform) {
    auto at = [&](std::u16string_view name) { return folder + u"\\" + std::u16string(name); };
    std::vector<Outcome> out;
    auto note = [&](const char* what, int value) { out.push_back({what, value}); };
    auto attributes = [&](std::u16string_view name) {
        const std::uint32_t a = files.GetAttributes(at(name));
        // The platform here marks every file archive; only the other bits can be compared.
        return a == FileAttribute::Invalid ? -1 : static_cast<int>(a & ~0x20u & ~0x80u);
    };
    std::uint64_t clock = 133'000'000'000'000'000ull;  // each new file made at another moment
    auto make = [&](std::u16string_view name) {
        if (platform) {
            const std::u16string path = at(name);
            test::PutFileContent(std::wstring(path.begin(), path.end()), {1});
        } else {
            clock += 10'000;
            static_cast<MemoryFileSystem&>(files).AddFile(at(name), {clock, clock, clock});
        }
    };
    make(u"x.txt");
    make(u"y.txt");
    note("move onto another file", static_cast<int>(files.Move(at(u"x.txt"), at(u"Y.TXT"))));
    note("move into a missing folder", static_cast<int>(files.Move(at(u"x.txt"), at(u"none\\x.txt"))));
    note("move to a name with ?", static_cast<int>(files.Move(at(u"x.txt"), at(u"q?.txt"))));
    note("move to a name with |", static_cast<int>(files.Move(at(u"x.txt"), at(u"q|.txt"))));
    note("move onto itself", static_cast<int>(files.Move(at(u"x.txt"), at(u"x.txt"))));
    note("move", static_cast<int>(files.Move(at(u"x.txt"), at(u"z.txt"))));
    note("old name gone", attributes(u"x.txt"));
    note("trailing dots dropped", static_cast<int>(files.Move(at(u"z.txt"), at(u"w.txt.."))));
    note("found without dots", attributes(u"w.txt"));
    note("found in other case", attributes(u"W.TXT"));
    {
        auto first = files.OpenForRead(at(u"w.txt"));
        note("open", first != nullptr);
        note("second open while open", files.OpenForWrite(at(u"w.txt")) != nullptr);
        note("move while open", static_cast<int>(files.Move(at(u"w.txt"), at(u"v.txt"))));
    }
    note("open after close", files.OpenForRead(at(u"w.txt")) != nullptr);
    note("open missing", files.OpenForRead(at(u"missing.txt")) != nullptr);
    note("set hidden+system", files.SetAttributes(at(u"w.txt"), 0x6));
    note("hidden+system", attributes(u"w.txt"));
    {
        const auto file = files.OpenForRead(at(u"w.txt"));
        const std::uint32_t bits = file ? file->ReadAttributes() & ~0x20u & ~0x80u : FileAttribute::Invalid;
        note("hidden+system through the handle", static_cast<int>(bits));
    }
    note("set normal", files.SetAttributes(at(u"w.txt"), FileAttribute::Normal));
    note("normal", attributes(u"w.txt"));
    {
        auto file = files.OpenForWrite(at(u"w.txt"));
        const std::uint64_t when = 133'000'000'001'234'567ull;
        file->WriteTimes(nullptr, &when, &when);
        note("times kept to 100 ns", file->ReadTimes().written == when && file->ReadTimes().accessed == when);
    }
    {
        std::vector<std::u16string> names = files.ListNames(folder);
        std::sort(names.begin(), names.end());
        std::u16string joined;
        for (const std::u16string& name : names) joined += name + u"|";
        note("listing as spelled", static_cast<int>(std::hash<std::u16string>{}(joined) & 0x7FFFFFFF));
        note("listing a missing folder", static_cast<int>(files.ListNames(at(u"none")).size()));
    }
    {
        // Wine's index is the file's inode, which a rename keeps, as NTFS keeps
        // its id; Wine's drives give 128-bit ids whose high half is zero.
        const FileIdentity y = files.ReadIdentity(at(u"y.txt"));
        note("identity by 128-bit id", y.kind == FileIdentity::Kind::FileId);
        note("two files, two identities", IsSameFile(y, files.ReadIdentity(at(u"w.txt"))));
        files.Move(at(u"y.txt"), at(u"u.txt"));
        note("a move keeps the identity", IsSameFile(y, files.ReadIdentity(at(u"u.txt"))));
        const auto held = files.OpenForRead(at(u"u.txt"));
        note("identity of a file held open", IsSameFile(y, files.ReadIdentity(at(u"U.TXT"))));
        note("identity through the handle", IsSameFile(y, held->ReadIdentity()));
        note("no identity where no file is", files.ReadIdentity(at(u"y.txt")).known());
        note("a folder is not a file", files.ReadIdentity(folder).kind == FileIdentity::Kind::NotAFile);
    }
    {
        // Deleted and made again at once: ext4 mostly hands the freed inode
        // to the new file, whose creation time tells it apart.
        const FileIdentity old = files.ReadIdentity(at(u"u.txt"));
        if (platform) {
            DeleteFileW(reinterpret_cast<const wchar_t*>(at(u"u.txt").c_str()));
        } else {
            static_cast<MemoryFileSystem&>(files).Remove(at(u"u.txt"));
        }
        make(u"u.txt");
        const FileIdentity now = files.ReadIdentity(at(u"u.txt"));
        note("a new file at the name is another file", IsSameFile(old, now));
    }
    note("move out with ..", static_cast<int>(files.Move(at(u"w.txt"), at(u"..\\escaped-w.txt"))));
    note("left the folder", attributes(u"w.txt"));
    return out;
}

TEST(FileSystemDifferential, MemoryLayerAnswersAsThePlatform) {
    TemporaryFolder outer;
    const std::wstring inner = outer.File(L"f");
    CreateDirectoryW(inner.c_str(), nullptr);
    const std::u16string folder(inner.begin(), inner.end());
    PlatformFileSystem platform;
    const std::vector<Outcome> real = Play(platform, folder, true);
    MemoryFileSystem memory;
    memory.AddFolder(folder);
    // Wine's drives lie on the Unix file systems, which reuse an inode at once.
    memory.reuseIndexes = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    const std::vector<Outcome> simulated = Play(memory, folder, false);
    ASSERT_EQ(real.size(), simulated.size());
    for (std::size_t i = 0; i < real.size(); ++i)
        EXPECT_EQ(simulated[i].value, real[i].value) << real[i].what;
    EXPECT_NE(GetFileAttributesW(outer.File(L"escaped-w.txt").c_str()), INVALID_FILE_ATTRIBUTES)
        << "a \"..\" in a new name does lead out of the folder, which the run must prevent";
}

}  // namespace
}  // namespace qm::win32
