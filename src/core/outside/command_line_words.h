#pragma once
// The words of a Windows command line, split as the system's own splitter
// (CommandLineToArgvW) splits them: blanks part words, double quotes group
// them, backslashes escape a quote only when they come right before one.
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// The words after the program's name. The name itself ends at the next quote
// when it starts with one, else at the first white space, and is left out.
std::vector<std::u16string> CommandLineArguments(std::u16string_view commandLine);

}  // namespace qm
