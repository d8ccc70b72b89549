#pragma once
// Driving the main window from a test thread: dropping files on it, ticking
// its boxes, reading what its controls show.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "resource_ids.h"

namespace qm::testing {


// A drop of these paths, as the shell hands it over (the receiver frees it).
inline HDROP MakeDrop(const std::vector<std::wstring>& paths) {
    std::size_t units = 1;
    for (const std::wstring& p : paths) units += p.size() + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + units * sizeof(wchar_t));
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(header + 1);
    for (const std::wstring& p : paths) {
        std::memcpy(text, p.c_str(), (p.size() + 1) * sizeof(wchar_t));
        text += p.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

inline void Check(HWND window, int id, bool checked) {
    SendDlgItemMessageW(window, id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

inline bool Checked(HWND window, int id) { return SendDlgItemMessageW(window, id, BM_GETCHECK, 0, 0) == BST_CHECKED; }

// "File Names" with the prefix "P" and its spacer, five digits from 1, and a
// new modification time; nothing else.
inline void ChoosePrefixAndModifiedTime(HWND w) {
    for (int id : {IDC_FILE_NAMES, IDC_PREFIX, IDC_PREFIX_SPACER, IDC_DATE, IDC_DATE_MODIFIED}) Check(w, id, true);
    for (int id : {IDC_SUFFIX, IDC_PREFIX_AUTO, IDC_EXTENSIONS, IDC_DATE_CREATED, IDC_DATE_ACCESSED, IDC_DATE_AUTO,
                   IDC_ATTRIBUTES})
        Check(w, id, false);
    SetDlgItemTextW(w, IDC_PREFIX_BOX, L"P");
    SetDlgItemTextW(w, IDC_ZEROS_EDIT, L"5");
    SetDlgItemTextW(w, IDC_OFFSET_EDIT, L"1");
}

// Clicks a control through its command, as a click or the context menu would.
inline void Command(HWND window, int id) { SendMessageW(window, WM_COMMAND, id, 0); }

inline std::wstring ItemText(HWND window, int id) {
    wchar_t text[2048] = {};
    GetDlgItemTextW(window, id, text, 2048);
    return text;
}

inline std::wstring ListText(HWND list, int row, int column) {
    wchar_t text[1024] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 1024;
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

// Every row's text in one column, top to bottom.
inline std::vector<std::wstring> Column(HWND list, int column) {
    std::vector<std::wstring> texts;
    for (int row = 0, rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); row < rows; ++row)
        texts.push_back(ListText(list, row, column));
    return texts;
}

inline std::wstring HeaderText(HWND list, int column) {
    wchar_t text[128] = {};
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT;
    c.pszText = text;
    c.cchTextMax = 128;
    SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&c));
    return text;
}

// The width of `text` in the control's own font, in pixels.
inline int TextWidth(HWND control, const wchar_t* text) {
    HDC context = GetDC(control);
    const HGDIOBJ old = SelectObject(context, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(context, text, lstrlenW(text), &size);
    SelectObject(context, old);
    ReleaseDC(control, context);
    return size.cx;
}

// A click on a button, check box or radio: its state changes and it tells the window.
inline void Click(HWND window, int id) { SendDlgItemMessageW(window, id, BM_CLICK, 0, 0); }

// Appends a row to an extension list (From, To, check box).
inline void AddExtensionRow(HWND list, const wchar_t* from, const wchar_t* to, bool checked = true) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<wchar_t*>(from);
    const int row = static_cast<int>(SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    LVITEMW second{};
    second.iSubItem = 1;
    second.pszText = const_cast<wchar_t*>(to);
    SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&second));
    LVITEMW check{};
    check.stateMask = LVIS_STATEIMAGEMASK;
    check.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&check));
}

inline int RowCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

inline void SelectRow(HWND list, int row, bool selected) {
    LVITEMW change{};
    change.stateMask = LVIS_SELECTED;
    change.state = selected ? LVIS_SELECTED : 0;
    SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&change));
}

// The process's visible dialog with this title, waiting for it to appear.
inline HWND WaitForDialog(const wchar_t* title, DWORD milliseconds) {
    for (DWORD waited = 0; waited < milliseconds; waited += 20) {
        HWND found = FindWindowW(L"#32770", title);
        if (found && IsWindowVisible(found)) return found;
        Sleep(20);
    }
    return nullptr;
}

struct Times {
    std::uint64_t created = 0, accessed = 0, written = 0;
};

inline Times TimesOf(const std::wstring& path) {
    Times t;
    HANDLE file = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    FILETIME c{}, a{}, w{};
    GetFileTime(file, &c, &a, &w);
    CloseHandle(file);
    auto value = [](const FILETIME& f) { return (static_cast<std::uint64_t>(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
    return {value(c), value(a), value(w)};
}

inline void SetTimes(const std::wstring& path, std::uint64_t created, std::uint64_t accessed, std::uint64_t written) {
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    auto ft = [](std::uint64_t v) { return FILETIME{static_cast<DWORD>(v), static_cast<DWORD>(v >> 32)}; };
    const FILETIME c = ft(created), a = ft(accessed), w = ft(written);
    SetFileTime(file, &c, &a, &w);
    CloseHandle(file);
}

// Wine keeps no creation time of its own: it reports the modification time.
inline bool PlatformKeepsCreationTimes() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") == nullptr;
}

// What the screen shows in a rectangle (screen coordinates), as 0x00BBGGRR;
// or, given a window, what that window painted in a rectangle of its client.
class ScreenPixels {
public:
    explicit ScreenPixels(const RECT& area, HWND window = nullptr) : area_(area) {
        const int width = area.right - area.left, height = area.bottom - area.top;
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        HDC screen = GetDC(window);
        HDC memory = CreateCompatibleDC(screen);
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
        GdiFlush();
        const auto* data = static_cast<const std::uint32_t*>(bits);
        pixels_.assign(data, data + static_cast<std::size_t>(width) * height);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(window, screen);
    }
    const std::vector<std::uint32_t>& All() const { return pixels_; }
    // The colour at a screen point inside the area, as a COLORREF.
    COLORREF At(int x, int y) const {
        const std::uint32_t bgr = pixels_[static_cast<std::size_t>(y - area_.top) * (area_.right - area_.left) + (x - area_.left)];
        return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
    }

private:
    RECT area_;
    std::vector<std::uint32_t> pixels_;
};

struct TipOfControl {
    HWND control;
    std::wstring text;
};

// The tools of every tooltip window of a thread, with the texts they show.
inline std::vector<TipOfControl> TipsOfThread(DWORD threadId) {
    std::vector<HWND> tipWindows;
    EnumThreadWindows(
        threadId,
        [](HWND window, LPARAM found) {
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (std::wstring(name) == TOOLTIPS_CLASSW) reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&tipWindows));
    std::vector<TipOfControl> tips;
    for (HWND tipWindow : tipWindows) {
        const LRESULT count = SendMessageW(tipWindow, TTM_GETTOOLCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            wchar_t text[256] = {};
            TOOLINFOW tool{};
            tool.cbSize = TTTOOLINFOW_V2_SIZE;
            tool.lpszText = text;
            if (!SendMessageW(tipWindow, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&tool))) continue;
            wchar_t shown[256] = {};
            tool.lpszText = shown;
            SendMessageW(tipWindow, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
            tips.push_back({tool.hwnd, shown});
        }
    }
    return tips;
}

}  // namespace qm::testing
