#include "win32/files/dropped_files.h"

#include <shlobj.h>

namespace qm::win32 {

namespace {

std::vector<std::wstring> QueriedPaths(HDROP drop) {
    std::vector<std::wstring> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        paths.push_back(std::move(path));
    }
    return paths;
}

template <class Unit>
std::vector<std::wstring> ListedPaths(const Unit* text, const Unit* end) {
    std::vector<std::wstring> paths;
    while (text < end && *text) {
        const Unit* start = text;
        while (text < end && *text) ++text;
        if (text == end) break;  // a list without its end mark: take what is whole
        if constexpr (sizeof(Unit) == sizeof(wchar_t)) {
            paths.emplace_back(reinterpret_cast<const wchar_t*>(start), reinterpret_cast<const wchar_t*>(text));
        } else {
            const int length = static_cast<int>(text - start);
            std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, start, length, nullptr, 0)), L'\0');
            MultiByteToWideChar(CP_ACP, 0, start, length, wide.data(), static_cast<int>(wide.size()));
            paths.push_back(std::move(wide));
        }
        ++text;
    }
    return paths;
}

}  // namespace

std::vector<std::wstring> DroppedPaths(HDROP drop) {
    const auto* header = static_cast<const DROPFILES*>(GlobalLock(drop));
    if (!header) return QueriedPaths(drop);
    const SIZE_T size = GlobalSize(drop);
    std::vector<std::wstring> paths;
    if (size > sizeof(DROPFILES) && header->pFiles >= sizeof(DROPFILES) && header->pFiles < size) {
        const auto* begin = reinterpret_cast<const char*>(header) + header->pFiles;
        const auto* end = reinterpret_cast<const char*>(header) + size;
        paths = header->fWide ? ListedPaths(reinterpret_cast<const wchar_t*>(begin),
                                            reinterpret_cast<const wchar_t*>(begin) + (end - begin) / sizeof(wchar_t))
                              : ListedPaths(begin, end);
    }
    GlobalUnlock(drop);
    return paths;
}

}  // namespace qm::win32
