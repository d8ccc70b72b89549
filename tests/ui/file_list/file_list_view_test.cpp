// The answers the file list gives its control: the text of a cell, cut to the
// control's buffer, and the row that a typed name finds.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "ui/file_list/file_list_view.h"

namespace qm::testing {
namespace {

FileTable Rows(std::initializer_list<const char16_t*> names) {
    FileTable table;
    for (const char16_t* name : names) table.emplace_back().name = name;
    return table;
}

TEST(FileListView, TypedNameFindsTheRowFromTheStartRowOn) {
    const FileTable table = Rows({u"apple.txt", u"Banana.txt", u"apricot.txt", u"banana.txt"});
    constexpr UINT Exact = LVFI_STRING, Begins = LVFI_PARTIAL | LVFI_STRING, Wrap = LVFI_WRAP;
    const struct {
        const wchar_t* typed;
        UINT flags;
        int start;
        long expected;
    } cases[] = {
        {L"banana.txt", Exact, -1, 1},            // ASCII case ignored; the first of two
        {L"BANANA.TXT", Exact, 2, 3},             // from the start row on
        {L"ban", Exact, -1, -1},                  // exact: a beginning is not enough
        {L"apple.txt.bak", Begins, -1, -1},       // longer than every name
        {L"ap", Begins, -1, 0},
        {L"ap", Begins, 1, 2},
        {L"AP", Begins, 3, -1},                   // past the last match, without wrapping
        {L"AP", Begins | Wrap, 3, 0},             // wrapping round to the top
        {L"ap", Begins | Wrap, 2, 2},             // the start row itself
        {L"ap", Begins | Wrap, 9, 2},             // a start past the end counts round
        {L"x", Begins | Wrap, -1, -1},
        {L"apple.txt", LVFI_PARAM, -1, -1},       // not a search by text
    };
    for (const auto& c : cases) {
        NMLVFINDITEMW request{};
        request.iStart = c.start;
        request.lvfi.flags = c.flags;
        request.lvfi.psz = c.typed;
        EXPECT_EQ(FindRow(table, request), c.expected) << ::testing::PrintToString(std::wstring(c.typed)) << " from "
                                                      << c.start << " flags " << c.flags;
    }
    NMLVFINDITEMW none{};
    none.lvfi.flags = Begins;
    EXPECT_EQ(FindRow(table, none), -1) << "no text";
    none.lvfi.psz = L"a";
    EXPECT_EQ(FindRow(FileTable{}, none), -1) << "no rows";
}

TEST(FileListView, CellTextIsCutToTheControlsBufferAndNothingBeyond) {
    FileTable table = Rows({u"photo.jpg"});
    table[0].folder = std::make_shared<const std::u16string>(u"C:\\pictures");
    const struct {
        int row, column, room;
        std::wstring expected;
    } cases[] = {
        {0, 0, 64, L"photo.jpg"},
        {0, 0, 10, L"photo.jpg"},   // exactly room for the text and its end
        {0, 0, 6, L"photo"},        // cut, still ended
        {0, 0, 1, L""},
        {0, 4, 64, L"C:\\pictures"},
        {1, 0, 64, L""},            // a row the table no longer has
        {0, 42, 64, L""},           // a column it never had
    };
    for (const auto& c : cases) {
        std::wstring buffer(80, L'#');
        NMLVDISPINFOW info{};
        info.item.mask = LVIF_TEXT;
        info.item.iItem = c.row;
        info.item.iSubItem = c.column;
        info.item.pszText = buffer.data();
        info.item.cchTextMax = c.room;
        FillDisplayInfo(table, info);
        EXPECT_EQ(std::wstring(buffer.c_str()), c.expected) << c.row << "," << c.column << " in " << c.room;
        EXPECT_EQ(buffer.substr(static_cast<std::size_t>(c.room)), std::wstring(80 - c.room, L'#'))
            << "nothing written past the buffer";
    }
    std::wstring untouched(8, L'#');
    NMLVDISPINFOW image{};
    image.item.mask = LVIF_IMAGE;
    image.item.pszText = untouched.data();
    image.item.cchTextMax = 8;
    FillDisplayInfo(table, image);
    EXPECT_EQ(untouched, std::wstring(8, L'#')) << "a request without LVIF_TEXT";
}

}  // namespace
}  // namespace qm::testing
