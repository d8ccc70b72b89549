#include "core/rows/keyed_sort.h"

#include <algorithm>
#include <array>

namespace qm {

namespace {

// Below this, a comparison sort beats counting 2,048 buckets.
constexpr std::size_t RadixFrom = 256;

// Least significant digit first, a byte a digit; `digit(key, d)` is key's
// d-th. Every digit's counts in one pass; a digit all keys share needs no
// pass of its own.
template <class Key, class Digit>
void RadixSort(Key* keys, std::size_t count, int digits, const Digit& digit) {
    std::vector<std::array<std::size_t, 256>> counts(static_cast<std::size_t>(digits));
    for (auto& digitCounts : counts) digitCounts.fill(0);
    for (std::size_t i = 0; i < count; ++i)
        for (int d = 0; d < digits; ++d) ++counts[static_cast<std::size_t>(d)][digit(keys[i], d)];
    std::vector<Key> spare(count);
    Key* from = keys;
    Key* to = spare.data();
    for (int d = 0; d < digits; ++d) {
        auto& digitCounts = counts[static_cast<std::size_t>(d)];
        if (std::find(digitCounts.begin(), digitCounts.end(), count) != digitCounts.end()) continue;
        std::size_t place = 0;
        for (std::size_t& n : digitCounts) {
            const std::size_t here = n;
            n = place;
            place += here;
        }
        for (std::size_t i = 0; i < count; ++i) to[digitCounts[digit(from[i], d)]++] = from[i];
        std::swap(from, to);
    }
    if (from != keys) std::copy(from, from + count, keys);
}

}  // namespace

void SortKeysByHead(std::vector<SortKey>& keys, std::size_t first, std::size_t last) {
    const std::size_t count = last - first;
    if (count < 2) return;
    if (count < RadixFrom) {
        std::sort(keys.begin() + static_cast<std::ptrdiff_t>(first), keys.begin() + static_cast<std::ptrdiff_t>(last),
                  [](const SortKey& a, const SortKey& b) { return a.head != b.head ? a.head < b.head : a.index < b.index; });
        return;
    }
    RadixSort(keys.data() + first, count, 8,
              [](const SortKey& key, int d) { return static_cast<std::size_t>(key.head >> (8 * d) & 0xFF); });
}

void SortPackedKeys(std::vector<std::uint64_t>& keys, std::size_t first, std::size_t last, unsigned indexBits) {
    const std::size_t count = last - first;
    if (count < 2) return;
    // The indexes ascend as the keys stand: ordering whole keys keeps equal
    // heads in that order, and the index's own bits need no pass.
    if (count < RadixFrom) {
        std::sort(keys.begin() + static_cast<std::ptrdiff_t>(first), keys.begin() + static_cast<std::ptrdiff_t>(last));
        return;
    }
    RadixSort(keys.data() + first, count, static_cast<int>((64 - indexBits + 7) / 8), [indexBits](std::uint64_t key, int d) {
        return static_cast<std::size_t>(key >> (indexBits + 8 * static_cast<unsigned>(d)) & 0xFF);
    });
}

void SortKeysByHead(std::vector<SortKey>& keys) { SortKeysByHead(keys, 0, keys.size()); }

PackedKeys::PackedKeys(std::size_t count) {
    while (indexBits < 32 && (std::uint64_t{1} << indexBits) < count) ++indexBits;
}

std::vector<std::size_t> PackedKeys::IndexesOf(const std::vector<std::uint64_t>& keys) const {
    std::vector<std::size_t> order(keys.size());
    for (std::size_t r = 0; r < keys.size(); ++r) order[r] = Index(keys[r]);
    return order;
}

std::vector<std::size_t> IndexesOf(const std::vector<SortKey>& keys) {
    std::vector<std::size_t> order(keys.size());
    for (std::size_t r = 0; r < keys.size(); ++r) order[r] = keys[r].index;
    return order;
}

}  // namespace qm
