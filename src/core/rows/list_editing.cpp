#include "core/rows/list_editing.h"

#include <cstdint>
#include <numeric>

namespace qm {

namespace {

// Each text's first four folded units after the prefix that all texts share,
// packed so that comparing the numbers compares the units: most comparisons of
// a large sort are decided by these alone, without touching the texts.
struct SortKey {
    std::uint64_t head;
    std::uint32_t index;
};

constexpr std::size_t HeadUnits = 4;

}  // namespace

std::vector<std::size_t> SortedOrderOfTexts(const std::vector<std::u16string_view>& texts) {
    // The folded texts side by side, so that the comparisons stay in one block of memory.
    std::u16string folded;
    std::vector<std::size_t> start(texts.size() + 1, 0);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        start[i] = folded.size();
        for (char16_t unit : texts[i]) folded.push_back(AsciiUpper(unit));
    }
    start[texts.size()] = folded.size();
    auto text = [&](std::size_t i) { return std::u16string_view(folded).substr(start[i], start[i + 1] - start[i]); };

    std::size_t shared = texts.empty() ? 0 : text(0).size();
    for (std::size_t i = 1; i < texts.size() && shared > 0; ++i) {
        const std::u16string_view a = text(0), b = text(i);
        std::size_t n = 0;
        while (n < shared && n < b.size() && a[n] == b[n]) ++n;
        shared = n;
    }

    std::vector<SortKey> keys(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::u16string_view t = text(i);
        std::uint64_t head = 0;
        // A missing unit counts as 0, below every unit a text holds, so a text
        // sorts before the longer texts it begins.
        for (std::size_t k = 0; k < HeadUnits; ++k)
            head = (head << 16) | (shared + k < t.size() ? t[shared + k] : 0u);
        keys[i] = {head, static_cast<std::uint32_t>(i)};
    }
    std::stable_sort(keys.begin(), keys.end(), [&](const SortKey& a, const SortKey& b) {
        if (a.head != b.head) return a.head < b.head;
        const std::u16string_view x = text(a.index), y = text(b.index);
        const std::size_t skip = std::min({x.size(), y.size(), shared + HeadUnits});
        return x.substr(skip) < y.substr(skip);
    });
    std::vector<std::size_t> order(texts.size());
    for (std::size_t r = 0; r < keys.size(); ++r) order[r] = keys[r].index;
    return order;
}

std::vector<std::size_t> NaturalOrderOfTexts(const std::vector<std::u16string_view>& texts, CaseFold fold,
                                             bool descending) {
    // The folded texts side by side, each folded once, not once per comparison.
    std::u16string folded;
    std::vector<std::size_t> start(texts.size() + 1, 0);
    std::size_t units = 0;
    for (const std::u16string_view text : texts) units += text.size();
    folded.reserve(units);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        start[i] = folded.size();
        bool beyondAscii = false;
        for (const char16_t unit : texts[i]) {
            folded.push_back(AsciiLower(unit));
            beyondAscii |= unit >= 0x80;
        }
        // Only a text with letters beyond ASCII needs the platform: most need no call.
        if (beyondAscii && fold) {
            folded.resize(start[i]);
            folded += FoldedForSorting(texts[i], fold);
        }
    }
    start[texts.size()] = folded.size();
    const std::u16string_view all(folded);
    auto text = [&](std::size_t i) { return all.substr(start[i], start[i + 1] - start[i]); };

    // The heads after the units all texts share (not inside a run of digits,
    // which counts whole): most comparisons never touch the texts.
    std::size_t shared = texts.empty() ? 0 : text(0).size();
    for (std::size_t i = 1; i < texts.size() && shared > 0; ++i) {
        const std::u16string_view a = text(0), b = text(i);
        std::size_t n = 0;
        while (n < shared && n < b.size() && a[n] == b[n]) ++n;
        shared = n;
    }
    while (shared > 0 && text(0)[shared - 1] >= u'0' && text(0)[shared - 1] <= u'9') --shared;
    std::vector<SortKey> keys(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i)
        keys[i] = {NaturalHead(text(i).substr(shared)), static_cast<std::uint32_t>(i)};
    std::stable_sort(keys.begin(), keys.end(), [&](const SortKey& a, const SortKey& b) {
        if (a.head != b.head) return descending ? a.head > b.head : a.head < b.head;
        const int c = CompareNaturally(text(a.index).substr(shared), text(b.index).substr(shared));
        return descending ? c > 0 : c < 0;
    });
    std::vector<std::size_t> order(texts.size());
    for (std::size_t r = 0; r < keys.size(); ++r) order[r] = keys[r].index;
    return order;
}

std::vector<std::size_t> OrderByInstants(const std::vector<std::optional<std::uint64_t>>& instants, bool descending) {
    std::vector<std::size_t> order(instants.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (!instants[a] || !instants[b]) return instants[a].has_value() && !instants[b].has_value();
        return descending ? *instants[a] > *instants[b] : *instants[a] < *instants[b];
    });
    return order;
}

}  // namespace qm
