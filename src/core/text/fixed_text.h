#pragma once
// A UTF-16 text field of fixed width, the width counting the terminating zero
// unit: FixedText<261> holds at most 260 characters. Assigning a longer text
// cuts it to the field, so a field is never overrun.
#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace qm {

template <std::size_t Width>
struct FixedText {
    static_assert(Width >= 1);
    static constexpr std::size_t capacity = Width - 1;  // characters, without the zero unit

    std::array<char16_t, Width> units{};

    FixedText() = default;
    FixedText(std::u16string_view text) { assign(text); }  // NOLINT: plain record initialisation

    void assign(std::u16string_view text) {
        // The text ends at its first zero unit, as a C string would.
        const std::size_t zero = text.find(u'\0');
        if (zero != std::u16string_view::npos) text = text.substr(0, zero);
        const std::size_t n = std::min(text.size(), capacity);
        std::copy_n(text.data(), n, units.begin());
        units[n] = u'\0';
    }
    FixedText& operator=(std::u16string_view text) {
        assign(text);
        return *this;
    }

    std::size_t size() const { return std::u16string_view(units.data()).size(); }
    bool empty() const { return units[0] == u'\0'; }
    std::u16string_view view() const { return std::u16string_view(units.data()); }
    std::u16string str() const { return std::u16string(view()); }
    const char16_t* c_str() const { return units.data(); }
    char16_t* data() { return units.data(); }

    friend bool operator==(const FixedText& a, const FixedText& b) { return a.view() == b.view(); }
    friend bool operator==(const FixedText& a, std::u16string_view b) { return a.view() == b; }
};

}  // namespace qm
