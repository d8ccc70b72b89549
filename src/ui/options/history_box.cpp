#include "ui/options/history_box.h"

#include "core/settings/history.h"
#include "ui/support/dialog_support.h"
#include "win32/controls/dialog_items.h"

namespace qm {

namespace {

constexpr int BoxTextUnits = 1024;

struct ComboHistory {
    HWND box;

    std::size_t size() const {
        const LRESULT count = SendMessageW(box, CB_GETCOUNT, 0, 0);
        return count > 0 ? static_cast<std::size_t>(count) : 0;
    }
    std::u16string entry(std::size_t i) const { return HistoryEntry(box, i); }
    void erase(std::size_t i) { SendMessageW(box, CB_DELETESTRING, i, 0); }
    void insertFront(std::u16string_view text) {
        const std::u16string copy(text);
        SendMessageW(box, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(copy.c_str()));
    }
    void setText(std::u16string_view text) { SetBoxText(box, text); }
};

}  // namespace

std::u16string HistoryEntry(HWND comboBox, std::size_t index) {
    const LRESULT length = SendMessageW(comboBox, CB_GETLBTEXTLEN, index, 0);
    if (length <= 0) return {};
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    const LRESULT copied = SendMessageW(comboBox, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

int AddToHistory(HWND comboBox, std::u16string_view text) {
    ComboHistory history{comboBox};
    qm::AddToHistory(history, text);
    return 0;
}

void AddTypedTextsToHistories(HWND window, std::span<const HistoryBoxOfRun> boxes) {
    for (const HistoryBoxOfRun& box : boxes) {
        if (box.autoBoxId != 0 && IsChecked(window, box.autoBoxId))
            continue;
        HWND combo = win32::DialogItem(window, box.boxId);
        AddToHistory(combo, BoxText(combo));
    }
}

std::u16string BoxText(HWND comboBox) {
    wchar_t buffer[BoxTextUnits] = {};
    const int length = GetWindowTextW(comboBox, buffer, BoxTextUnits);
    return std::u16string(reinterpret_cast<const char16_t*>(buffer), length > 0 ? static_cast<std::size_t>(length) : 0);
}

void SetBoxText(HWND comboBox, std::u16string_view text) {
    const std::u16string copy(text);
    SetWindowTextW(comboBox, reinterpret_cast<const wchar_t*>(copy.c_str()));
}

}  // namespace qm
