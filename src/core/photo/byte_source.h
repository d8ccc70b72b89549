#pragma once
// Where the date readers take a file's bytes from. The platform reads an open
// file with an offset; tests and the fuzzer read bytes held in memory. The
// readers ask only for what they need and never for bytes past Size().
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace qm {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() = 0;
    // Copies up to `length` bytes from `offset` into `into` and returns how many
    // it copied; fewer only when the file ends or cannot be read.
    virtual std::size_t ReadAt(std::uint64_t offset, void* into, std::size_t length) = 0;
};

class SpanByteSource final : public ByteSource {
public:
    explicit SpanByteSource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint64_t Size() override { return bytes_.size(); }
    std::size_t ReadAt(std::uint64_t offset, void* into, std::size_t length) override {
        if (offset >= bytes_.size()) return 0;
        const std::size_t n = std::min<std::uint64_t>(length, bytes_.size() - offset);
        if (n > 0) std::memcpy(into, bytes_.data() + offset, n);
        return n;
    }

private:
    std::span<const std::uint8_t> bytes_;
};

}  // namespace qm
