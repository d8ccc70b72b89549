#include "core/run/progress_text.h"

namespace qm {

std::u16string GroupedNumber(std::size_t number) {
    std::u16string digits;
    do {
        if (digits.size() % 4 == 3) digits.insert(digits.begin(), u',');
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + number % 10));
        number /= 10;
    } while (number != 0);
    return digits;
}

std::u16string ProgressText(std::u16string_view verb, std::size_t done, std::size_t total) {
    std::u16string text = u" ";
    text.append(verb).append(u" ").append(GroupedNumber(done)).append(u" of ").append(GroupedNumber(total));
    return text;
}

std::u16string StoppedText(std::size_t done, std::size_t total) {
    return u" Stopped after " + GroupedNumber(done) + u" of " + GroupedNumber(total);
}

std::u16string FilesDoneText(std::size_t files, std::u16string_view done) {
    std::u16string text = u" " + GroupedNumber(files) + (files == 1 ? u" file " : u" files ");
    return text.append(done);
}

}  // namespace qm
