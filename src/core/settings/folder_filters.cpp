#include "core/settings/folder_filters.h"

#include <algorithm>

namespace qm {

namespace {
constexpr char16_t Separator = u'|';
}  // namespace

std::vector<std::u16string> SplitFolderFilters(std::u16string_view stored) {
    std::vector<std::u16string> filters;
    for (;;) {
        const std::size_t end = stored.find(Separator);
        filters.emplace_back(stored.substr(0, end));
        if (end == std::u16string_view::npos) return filters;
        stored.remove_prefix(end + 1);
    }
}

std::u16string WithFolderFilterUsed(std::u16string_view stored, std::u16string_view used) {
    std::u16string first(used);
    first.erase(std::remove(first.begin(), first.end(), Separator), first.end());
    std::u16string value = first.substr(0, FolderFilterWidth - 1);
    std::size_t kept = 1;
    for (const std::u16string& filter : SplitFolderFilters(stored)) {
        if (kept == FolderFiltersKept) break;
        if (filter.empty() || filter == first) continue;
        if (value.size() + 1 + filter.size() > FolderFilterWidth - 1) break;
        value += Separator;
        value += filter;
        ++kept;
    }
    return value;
}

}  // namespace qm
