#pragma once
// Sorting large orders by a 64-bit key in time that grows with the number of
// keys alone: a comparison sort of a million keys moves them some twenty
// times through memory far beyond the caches, a byte-wise radix sort at most
// eight times, and skips the bytes that every key shares.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qm {

struct SortKey {
    std::uint64_t head;
    std::uint32_t index;  // where the key's entry stood; equal heads keep this order
};

// Sorts `keys` by head, ascending; equal heads keep their order.
void SortKeysByHead(std::vector<SortKey>& keys);

// The same for keys[first, last): the rows of one group, say.
void SortKeysByHead(std::vector<SortKey>& keys, std::size_t first, std::size_t last);

// The index of each key, in the keys' order: the order that sorting gave.
std::vector<std::size_t> IndexesOf(const std::vector<SortKey>& keys);

}  // namespace qm
