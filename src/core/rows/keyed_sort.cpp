#include "core/rows/keyed_sort.h"

#include <algorithm>
#include <array>

namespace qm {

namespace {

// Below this, a comparison sort beats counting 2,048 buckets.
constexpr std::size_t RadixFrom = 256;

}  // namespace

void SortKeysByHead(std::vector<SortKey>& keys, std::size_t first, std::size_t last) {
    const std::size_t count = last - first;
    if (count < 2) return;
    if (count < RadixFrom) {
        std::sort(keys.begin() + static_cast<std::ptrdiff_t>(first), keys.begin() + static_cast<std::ptrdiff_t>(last),
                  [](const SortKey& a, const SortKey& b) { return a.head != b.head ? a.head < b.head : a.index < b.index; });
        return;
    }
    // Every byte's counts in one pass; a byte all keys share needs no pass of its own.
    std::vector<std::array<std::size_t, 256>> counts(8);
    for (auto& byteCounts : counts) byteCounts.fill(0);
    for (std::size_t i = first; i < last; ++i)
        for (int b = 0; b < 8; ++b) ++counts[b][(keys[i].head >> (8 * b)) & 0xFF];
    std::vector<SortKey> spare(count);
    SortKey* from = keys.data() + first;
    SortKey* to = spare.data();
    for (int b = 0; b < 8; ++b) {
        auto& byteCounts = counts[b];
        if (std::find(byteCounts.begin(), byteCounts.end(), count) != byteCounts.end()) continue;
        std::size_t place = 0;
        for (std::size_t& n : byteCounts) {
            const std::size_t here = n;
            n = place;
            place += here;
        }
        for (std::size_t i = 0; i < count; ++i) to[byteCounts[(from[i].head >> (8 * b)) & 0xFF]++] = from[i];
        std::swap(from, to);
    }
    if (from != keys.data() + first) std::copy(from, from + count, keys.data() + first);
}

void SortKeysByHead(std::vector<SortKey>& keys) { SortKeysByHead(keys, 0, keys.size()); }

std::vector<std::size_t> IndexesOf(const std::vector<SortKey>& keys) {
    std::vector<std::size_t> order(keys.size());
    for (std::size_t r = 0; r < keys.size(); ++r) order[r] = keys[r].index;
    return order;
}

}  // namespace qm
