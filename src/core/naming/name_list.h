#pragma once
// "From List": new names read from a text file, one a line, for the rows that
// take part in the order shown. A list whose pairing with the rows could shift
// (a blank line inside it, a line that can give no name) is refused as a
// whole, never paired as it stands.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qm {

enum class NameListProblem : std::uint8_t {
    None,
    NotChosen,   // "From List" is ticked, but no file was picked
    Unreadable,  // the file is missing or cannot be read
    EmptyLine,   // a blank line before the last name
    NoName,      // a line of nothing but characters that no name may hold
};

struct NameList {
    std::u16string fileName;          // the file's own name, for messages
    std::vector<std::u16string> names;  // line by line, the blank lines at the end left out
    NameListProblem problem = NameListProblem::None;
    std::size_t problemLine = 0;      // counted from 1, for EmptyLine and NoName

    bool operator==(const NameList&) const = default;
};

// The list in a file's bytes, read as list files are (UTF-8 with or without
// its mark, or UTF-16 LE with one); the first faulty line is the problem.
NameList ReadNameList(std::span<const std::uint8_t> bytes, std::u16string fileName);

// What the status line and the refusal of "Start" say: "line 7 of names.txt
// is empty". Empty for a list without a problem.
std::u16string NameListMessage(const NameList& list);

// The refusal when rows have no name in the list: "3 files have no name in
// names.txt".
std::u16string MissingNamesMessage(const NameList& list, std::size_t rowsWithout);

}  // namespace qm
