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

// Keys of 64 bits whose low `indexBits` hold the index of the key's entry,
// the head above it: half the room of a SortKey, so that a million of them
// and their spare fit the processor's cache as they are sorted. Sorts
// keys[first, last) by head, ascending; equal heads keep their order. The
// indexes must ascend as the keys stand (as they do once each key is made
// from its entry, or after such a sort among keys of equal heads).
void SortPackedKeys(std::vector<std::uint64_t>& keys, std::size_t first, std::size_t last, unsigned indexBits);

// Where the packed keys of `count` entries hold their heads and indexes:
// each index in as few bits as the largest needs, the head in the rest.
struct PackedKeys {
    explicit PackedKeys(std::size_t count);
    unsigned indexBits = 1;
    unsigned HeadBits() const { return 64 - indexBits; }
    std::uint64_t Key(std::uint64_t head, std::size_t index) const { return head << indexBits | index; }
    std::uint64_t Head(std::uint64_t key) const { return key >> indexBits; }
    std::size_t Index(std::uint64_t key) const {
        return static_cast<std::size_t>(key & ((std::uint64_t{1} << indexBits) - 1));
    }
    // The index in each key, in the keys' order.
    std::vector<std::size_t> IndexesOf(const std::vector<std::uint64_t>& keys) const;
};

// The index of each key, in the keys' order: the order that sorting gave.
std::vector<std::size_t> IndexesOf(const std::vector<SortKey>& keys);

}  // namespace qm
