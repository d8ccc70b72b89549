#pragma once
// The drop-down histories of the prefix and suffix boxes: newest first, no two
// entries equal in every character, at most HistoryCapacity entries.
#include <cstddef>
#include <string>
#include <string_view>

namespace qm {

inline constexpr std::size_t HistoryCapacity = 15000;

// Puts `text` at the top of `box`'s list (removing entries equal to it,
// case-sensitively) and makes it the box's text. An empty text changes
// nothing; at HistoryCapacity entries a new text is not inserted, but still
// becomes the box's text. `Box` offers size(), entry(i), erase(i),
// insertFront(text) and setText(text).
template <class Box>
void AddToHistory(Box& box, std::u16string_view text) {
    if (text.empty()) return;
    for (std::size_t i = box.size(); i-- > 0;)
        if (box.entry(i) == text) box.erase(i);
    if (box.size() < HistoryCapacity) box.insertFront(text);
    box.setText(text);
}

}  // namespace qm
