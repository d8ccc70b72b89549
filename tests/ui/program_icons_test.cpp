// Icons 100 and 101 carry a drawn picture for every size Windows asks for, so that no
// size is scaled from another one and turns blurred.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>

#include "resource_ids.h"

namespace {

#pragma pack(push, 2)
struct GroupIconEntry {  // one entry of an RT_GROUP_ICON directory
    BYTE width, height, colours, reserved;
    WORD planes, bitsPerPixel;
    DWORD bytes;
    WORD iconId;
};
#pragma pack(pop)

TEST(ProgramIcons, EachIconHoldsEverySizeInFullColour) {
    HMODULE module = GetModuleHandleW(nullptr);
    for (int id : {IDI_PROGRAM, IDI_PICTURE}) {
        SCOPED_TRACE(id);
        HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(id), RT_GROUP_ICON);
        ASSERT_NE(group, nullptr);
        const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, group)));
        DWORD size = SizeofResource(module, group);
        ASSERT_GE(size, 6u);
        WORD count = *reinterpret_cast<const WORD*>(data + 4);
        ASSERT_GE(size, 6u + count * sizeof(GroupIconEntry));
        std::set<int> sizes;
        for (WORD i = 0; i < count; ++i) {
            GroupIconEntry entry;
            memcpy(&entry, data + 6 + i * sizeof(GroupIconEntry), sizeof(entry));
            int side = entry.width == 0 ? 256 : entry.width;  // 0 stands for 256
            EXPECT_EQ(entry.height == 0 ? 256 : entry.height, side);
            EXPECT_EQ(entry.bitsPerPixel, 32) << "size " << side;
            EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(entry.iconId), RT_ICON), nullptr);
            sizes.insert(side);
        }
        EXPECT_EQ(sizes, (std::set<int>{16, 24, 32, 48, 256}));

        // The window icons are loaded like this.
        for (int side : {16, 32}) {
            HICON icon = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, side, side, 0));
            ASSERT_NE(icon, nullptr) << "size " << side;
            ICONINFO info{};
            ASSERT_TRUE(GetIconInfo(icon, &info));
            BITMAP colour{};
            GetObjectW(info.hbmColor, sizeof(colour), &colour);
            EXPECT_EQ(colour.bmWidth, side);
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            DestroyIcon(icon);
        }
    }
}

}  // namespace
