// Arbitrary bytes as a photo or video: reading the date taken must never
// crash, hang or ask for bytes past the end, and a date it gives is one the
// calendar takes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "core/photo/date_taken.h"
#include "core/timestamp/calendar.h"

namespace {

class ExactSource final : public qm::ByteSource {
public:
    ExactSource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint64_t Size() override { return size_; }
    std::size_t ReadAt(std::uint64_t offset, void* into, std::size_t length) override {
        if (offset > size_ || length > size_ - offset) std::abort();
        if (length > 0) std::memcpy(into, data_ + offset, length);
        return length;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ExactSource source(data, size);
    const std::optional<qm::DateTaken> taken = qm::ReadDateTaken(source);
    if (taken && !qm::CalendarFromFileTime(taken->fileTime)) std::abort();
    return 0;
}
