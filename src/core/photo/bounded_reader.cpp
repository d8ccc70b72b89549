#include "core/photo/bounded_reader.h"

#include <algorithm>
#include <cstring>

namespace qm {

bool BoundedReader::Fetch(std::uint64_t offset, void* into, std::size_t length) {
    if (length > kBudgetBytes - spent_ || kReadCharge > kBudgetBytes - spent_ - length) return false;
    spent_ += length + kReadCharge;
    return source_.ReadAt(offset, into, length) == length;
}

bool BoundedReader::FromWindows(std::uint64_t offset, void* into, std::size_t length) const {
    for (std::size_t i = 0; i < windowsUsed_; ++i) {
        const Window& w = windows_[i];
        if (offset >= w.start && offset - w.start + length <= w.length) {
            std::memcpy(into, w.bytes.data() + (offset - w.start), length);
            return true;
        }
    }
    return false;
}

bool BoundedReader::ReadHeader(std::uint64_t offset, void* into, std::size_t length) {
    if (offset > size_ || length > size_ - offset) return false;
    return length == 0 || FromWindows(offset, into, length) || Fetch(offset, into, length);
}

bool BoundedReader::Read(std::uint64_t offset, void* into, std::size_t length) {
    if (offset > size_ || length > size_ - offset) return false;
    if (length == 0) return true;
    // Windows start at multiples of half their size, so any read of up to half
    // a window fits in the one that holds its first byte.
    constexpr std::size_t kHalf = kWindowBytes / 2;
    if (length > kHalf) return Fetch(offset, into, length);
    if (FromWindows(offset, into, length)) return true;

    Window& w = windows_[nextWindow_];
    nextWindow_ = (nextWindow_ + 1) % windows_.size();
    if (windowsUsed_ < windows_.size()) ++windowsUsed_;
    w.start = offset - offset % kHalf;
    w.length = static_cast<std::size_t>(std::min<std::uint64_t>(kWindowBytes, size_ - w.start));
    if (!Fetch(w.start, w.bytes.data(), w.length)) {
        w.length = 0;  // never serve bytes that did not arrive
        return false;
    }
    std::memcpy(into, w.bytes.data() + (offset - w.start), length);
    return true;
}

bool BoundedReader::Matches(std::uint64_t offset, std::string_view text) {
    std::array<char, 64> bytes;
    return text.size() <= bytes.size() && Read(offset, bytes.data(), text.size()) &&
           std::string_view(bytes.data(), text.size()) == text;
}

std::uint64_t LoadUnsigned(const std::uint8_t* bytes, std::size_t width, ByteOrder order) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        const std::uint8_t byte = bytes[order == ByteOrder::Big ? i : width - 1 - i];
        value = (value << 8) | byte;
    }
    return value;
}

bool Cursor::Bytes(void* into, std::size_t length) {
    if (failed_ || length > left() || !reader_.Read(at_, into, length)) {
        failed_ = true;
        return false;
    }
    at_ += length;
    return true;
}

std::uint64_t Cursor::Number(std::size_t width) {
    std::array<std::uint8_t, 8> bytes{};
    if (width > bytes.size() || !Bytes(bytes.data(), width)) {
        failed_ = true;
        return 0;
    }
    return LoadUnsigned(bytes.data(), width, order_);
}

void Cursor::Skip(std::uint64_t count) {
    if (count > left()) failed_ = true;
    if (!failed_) at_ += count;
}

}  // namespace qm
