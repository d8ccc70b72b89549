#pragma once
// The status text of a long operation, such as " Renaming 1,200 of 10,000".
#include <cstddef>
#include <string>
#include <string_view>

namespace qm {

// `number` in decimal with a comma between groups of three digits.
std::u16string GroupedNumber(std::size_t number);

std::u16string ProgressText(std::u16string_view verb, std::size_t done, std::size_t total);

// What the status cell says after the user stopped a run or an undo, such as
// " Stopped after 1,207 of 5,000".
std::u16string StoppedText(std::size_t done, std::size_t total);

// What the status cell says after a run or an undo that did all it was
// asked: " 3,000 files renamed", " 1 file restored".
std::u16string FilesDoneText(std::size_t files, std::u16string_view done);

}  // namespace qm
