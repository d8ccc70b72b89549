#pragma once
// The history of the "Files" box of "Add Folder", kept in one settings key
// ("AddFolderFilter"): the filters used, newest first, between "|" (which no
// file name may hold). The first is what the box shows when the picker opens;
// it may be empty, which adds every file.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

inline constexpr std::size_t FolderFilterWidth = 1001;  // the key's value, with its zero unit
inline constexpr std::size_t FolderFiltersKept = 20;

// The filters of a stored value, newest first; an empty value gives one empty filter.
std::vector<std::u16string> SplitFolderFilters(std::u16string_view stored);

// The stored value once `used` has been used: first, without its earlier
// copies, followed by at most 19 others, as many as fit the key's width.
std::u16string WithFolderFilterUsed(std::u16string_view stored, std::u16string_view used);

}  // namespace qm
