// Arbitrary text read as a list date: never a read outside the text, never a
// time that no file can hold, and a time that was read writes and reads back
// to itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "core/timestamp/list_date.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    qm::LocalOffset offset = 0;
    const std::size_t n = size < sizeof offset ? size : sizeof offset;
    if (n > 0) std::memcpy(&offset, data, n);
    data += n;
    size -= n;

    // Exactly the text's units, so a read past its end is an overrun the sanitizer sees.
    std::vector<char16_t> text(size / 2);
    if (!text.empty()) std::memcpy(text.data(), data, text.size() * 2);
    const std::optional<std::uint64_t> parsed = qm::ParseDateText(std::u16string_view(text.data(), text.size()), offset);
    if (!parsed) return 0;

    if (*parsed >= (std::uint64_t{1} << 63)) std::abort();
    const qm::ListDateText written = qm::FormatListDate(*parsed, offset);
    if (qm::ParseDateText(written.view(), offset) != parsed) std::abort();
    return 0;
}
