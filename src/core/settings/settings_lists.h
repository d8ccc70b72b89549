#pragma once
// The user-edited lists as plain data: while the program runs they live in the
// main window's controls; these records carry them to and from the file.
#include <string>
#include <vector>

namespace qm {

// A drop-down history: the box's current text and its entries, newest first.
struct HistoryList {
    std::u16string current;
    std::vector<std::u16string> entries;

    friend bool operator==(const HistoryList&, const HistoryList&) = default;
};

// One row of the extension table.
struct ExtensionRow {
    bool checked = false;
    std::u16string from;
    std::u16string to;

    friend bool operator==(const ExtensionRow&, const ExtensionRow&) = default;
};

struct SettingsLists {
    HistoryList prefix;
    HistoryList suffix;
    HistoryList find;     // "Find and replace": what is looked for
    HistoryList replace;  // and what replaces it
    std::vector<ExtensionRow> extensions;
};

}  // namespace qm
