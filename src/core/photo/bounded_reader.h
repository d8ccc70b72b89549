#pragma once
// Reads of a ByteSource for the date readers: only pieces that lie wholly
// inside the file, served from a few small cached windows (the fields of one
// structure sit close together, so a well-formed file costs a read or two),
// and no more than a fixed budget per file, so a malformed one costs little.
// The budget counts the bytes fetched and a fixed charge for every read, so
// that it bounds both what a file costs in bytes and in reads.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/photo/byte_source.h"

namespace qm {

enum class ByteOrder { Little, Big };

class BoundedReader {
public:
    static constexpr std::size_t kWindowBytes = 4096;
    static constexpr std::uint64_t kBudgetBytes = std::uint64_t{1} << 20;
    // What one read costs beside its bytes: the budget holds some thousand
    // reads of a header, as many as a walk over the chunks of a file may take.
    static constexpr std::uint64_t kReadCharge = 1024;

    explicit BoundedReader(ByteSource& source) : source_(source), size_(source.Size()) {}

    std::uint64_t size() const { return size_; }

    // Exactly `length` bytes at `offset`; false when any of them lies past the
    // end, the source delivers fewer, or the budget is spent.
    bool Read(std::uint64_t offset, void* into, std::size_t length);

    // The same for the header of a chunk or box whose body is then skipped: a
    // read that misses the windows fetches these bytes alone, not a window
    // full of the body.
    bool ReadHeader(std::uint64_t offset, void* into, std::size_t length);

    // Whether the bytes at `offset` are `text`.
    bool Matches(std::uint64_t offset, std::string_view text);

private:
    struct Window {
        std::uint64_t start = 0;
        std::size_t length = 0;
        std::array<std::uint8_t, kWindowBytes> bytes;
    };

    bool Fetch(std::uint64_t offset, void* into, std::size_t length);
    bool FromWindows(std::uint64_t offset, void* into, std::size_t length) const;

    ByteSource& source_;
    std::uint64_t size_;
    std::uint64_t spent_ = 0;
    std::array<Window, 4> windows_;
    std::size_t windowsUsed_ = 0;
    std::size_t nextWindow_ = 0;
};

// An unsigned number of `width` bytes (at most 8) in the given order.
std::uint64_t LoadUnsigned(const std::uint8_t* bytes, std::size_t width, ByteOrder order);

// Fields read one after another inside [at, end). A read that does not fit
// (or fails) sets failed() and yields 0 from then on, so a parser checks once
// after a run of fields rather than after each.
class Cursor {
public:
    Cursor(BoundedReader& reader, std::uint64_t at, std::uint64_t end, ByteOrder order = ByteOrder::Big)
        : reader_(reader), at_(at), end_(end), order_(order) {}

    std::uint64_t Number(std::size_t width);
    // Fills `into` with the next `length` bytes.
    bool Bytes(void* into, std::size_t length);
    void Skip(std::uint64_t count);

    std::uint64_t at() const { return at_; }
    std::uint64_t left() const { return failed_ || at_ > end_ ? 0 : end_ - at_; }
    bool failed() const { return failed_; }

private:
    BoundedReader& reader_;
    std::uint64_t at_;
    std::uint64_t end_;
    ByteOrder order_;
    bool failed_ = false;
};

}  // namespace qm
