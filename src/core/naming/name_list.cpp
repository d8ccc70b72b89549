#include "core/naming/name_list.h"

#include <string_view>

#include "core/settings_file/decimal_text.h"
#include "core/text/remove_characters.h"
#include "core/text/text_file.h"

namespace qm {

namespace {

bool Blank(std::u16string_view line) { return line.find_first_not_of(u" \t") == std::u16string_view::npos; }

// Nothing is left of the line once the characters no name may hold are gone
// and the leading dots and blanks that a name loses.
bool GivesNoName(std::u16string_view line) {
    for (const char16_t unit : line) {
        const bool dropped = unit < 0x20 || unit == u'.' || unit == u' ' ||
                             NameForbiddenCharacters.find(unit) != std::u16string_view::npos;
        if (!dropped) return false;
    }
    return true;
}

std::u16string Number(std::size_t value) {
    std::u16string text;
    AppendUnsignedDecimal(text, static_cast<std::uint32_t>(value));
    return text;
}

}  // namespace

NameList ReadNameList(std::span<const std::uint8_t> bytes, std::u16string fileName) {
    NameList list;
    list.fileName = std::move(fileName);
    const std::u16string text = DecodeTextFile(bytes);
    std::vector<std::u16string_view> lines = TextLines(text);
    while (!lines.empty() && Blank(lines.back())) lines.pop_back();
    list.names.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (list.problem == NameListProblem::None) {
            if (Blank(lines[i]))
                list.problem = NameListProblem::EmptyLine;
            else if (GivesNoName(lines[i]))
                list.problem = NameListProblem::NoName;
            if (list.problem != NameListProblem::None) list.problemLine = i + 1;
        }
        list.names.emplace_back(lines[i]);
    }
    return list;
}

std::u16string NameListMessage(const NameList& list) {
    const std::u16string line = u"line " + Number(list.problemLine) + u" of " + list.fileName;
    switch (list.problem) {
        case NameListProblem::None: break;
        case NameListProblem::NotChosen: return u"no list of names chosen";
        case NameListProblem::Unreadable: return list.fileName + u" cannot be read";
        case NameListProblem::EmptyLine: return line + u" is empty";
        case NameListProblem::NoName: return line + u" holds no character a name may have";
    }
    return {};
}

std::u16string MissingNamesMessage(const NameList& list, std::size_t rowsWithout) {
    return Number(rowsWithout) + (rowsWithout == 1 ? u" file has no name in " : u" files have no name in ") +
           list.fileName;
}

}  // namespace qm
