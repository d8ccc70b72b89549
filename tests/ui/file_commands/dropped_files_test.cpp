// The paths of a drop, read in one pass, are the ones the platform's own
// query gives, in order.
#include <gtest/gtest.h>

#include "win32/files/dropped_files.h"
#include "window_driving.h"

namespace qm::testing {
namespace {

std::vector<std::wstring> Queried(HDROP drop) {
    std::vector<std::wstring> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        wchar_t path[2048] = {};
        DragQueryFileW(drop, i, path, 2048);
        paths.push_back(path);
    }
    return paths;
}

TEST(DroppedFiles, SameAsThePlatformsQuery) {
    const std::vector<std::vector<std::wstring>> drops = {
        {L"C:\\a.txt"},
        {L"C:\\f\\\u00fc\u00df.txt", L"D:\\x y\\z", L"C:\\" + std::wstring(300, L'n') + L".txt"},
    };
    for (const auto& paths : drops) {
        HDROP drop = MakeDrop(paths);
        EXPECT_EQ(win32::DroppedPaths(drop), Queried(drop));
        EXPECT_EQ(win32::DroppedPaths(drop), paths);
        GlobalFree(drop);
    }
    HDROP empty = MakeDrop({});
    EXPECT_TRUE(win32::DroppedPaths(empty).empty());
    GlobalFree(empty);
    // An ANSI drop, as older programs make it.
    const char ansi[] = "C:\\one.txt\0C:\\two.txt\0";
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + sizeof ansi + 1);
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    std::memcpy(header + 1, ansi, sizeof ansi);
    GlobalUnlock(memory);
    EXPECT_EQ(win32::DroppedPaths(static_cast<HDROP>(memory)), (std::vector<std::wstring>{L"C:\\one.txt", L"C:\\two.txt"}));
    GlobalFree(memory);
}

}  // namespace
}  // namespace qm::testing
