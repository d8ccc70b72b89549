#include "core/naming/new_name.h"

#include <algorithm>
#include <array>

#include "core/text/name_case.h"
#include "core/text/name_text.h"
#include "core/timestamp/list_date.h"
#include "core/timestamp/time_format.h"
#include "core/settings_file/decimal_text.h"
#include "core/text/remove_characters.h"

namespace qm {

namespace {

constexpr std::size_t MaximumNumberWidth = 260;
// Room for any expansion of a 1000-unit format: no token's value is longer
// than three units per unit of its name.
constexpr std::size_t StampUnits = 4 * 1001;

// The name part of generated names: the characters that no name may hold
// removed (they would make it a path or a name no file can have), then any
// leading run of "." and " ".
void CleanNamePart(std::u16string& text) {
    text = RemoveCharacters(text, NameForbiddenCharacters);
    const std::size_t first = text.find_first_not_of(u". ");
    text.erase(0, first == std::u16string::npos ? text.size() : first);
}

// The least number of digits of the running number, from the text of the
// "Zeros" box as the width of a "%0<text>u" conversion: its leading digits, none
// giving no minimum. Capped, since no path could hold more digits anyway.
std::size_t NumberWidth(std::u16string_view zerosText) {
    std::size_t width = 0;
    for (char16_t unit : zerosText) {
        if (unit < u'0' || unit > u'9') break;
        width = std::min(width * 10 + static_cast<std::size_t>(unit - u'0'), MaximumNumberWidth);
    }
    return width;
}

// `number` in decimal, with leading zeros up to `width` digits.
void AppendPaddedNumber(std::u16string& out, std::uint32_t number, std::size_t width) {
    char16_t digits[10];
    std::size_t count = 0;
    do {
        digits[count++] = static_cast<char16_t>(u'0' + number % 10);
        number /= 10;
    } while (number != 0);
    if (width > count) out.append(width - count, u'0');
    while (count > 0) out.push_back(digits[--count]);
}

// A "To" text comes from a file that may have been edited by hand: cleaned like
// the name part, it can neither lead out of the folder nor make a name that no
// file can have.
std::vector<ExtensionMapping> CleanedMap(const std::vector<ExtensionMapping>& map) {
    std::vector<ExtensionMapping> cleaned;
    cleaned.reserve(map.size());
    for (const ExtensionMapping& row : map) {
        if (!row.checked) continue;
        ExtensionMapping copy = row;
        copy.to = RemoveCharacters(copy.to, NameForbiddenCharacters);
        cleaned.push_back(std::move(copy));
    }
    return cleaned;
}

std::u16string CasedText(const NamePiece& piece) {
    if (!piece.used) return {};
    std::u16string text = piece.text;
    if (piece.uppercase) ToAsciiUpper(text);
    if (piece.lowercase) ToAsciiLower(text);
    return text;
}

std::u16string Cased(std::u16string_view piece, bool uppercase, bool lowercase) {
    std::u16string text(piece);
    if (uppercase) ToAsciiUpper(text);
    if (lowercase) ToAsciiLower(text);
    return text;
}

NamePlan::StampPiece StampOf(const NamePiece& piece) {
    if (!piece.used || !piece.takenStamp || piece.folderName) return {};
    return {true, piece.uppercase, piece.lowercase};
}

NamePlan::FolderPiece FolderOf(const NamePiece& piece) {
    if (!piece.used || !piece.folderName) return {};
    return {true, piece.uppercase, piece.lowercase};
}

// The prefix or suffix of one row: its folder's name, its stamp or the text
// of the box; `scratch` holds a text made for the row.
std::u16string_view PieceText(const NamePlan::FolderPiece& folder, const NamePlan::StampPiece& stamp,
                              std::u16string_view typed, const RowTexts& row, std::u16string& scratch) {
    if (folder.used) {
        scratch = Cased(row.folder, folder.uppercase, folder.lowercase);
        return scratch;
    }
    if (stamp.taken) {
        scratch = Cased(row.stamp, stamp.uppercase, stamp.lowercase);
        return scratch;
    }
    return typed;
}

struct Piece {
    std::u16string_view text;
    bool spacer;
};

// "From List" ticked without a list read: as if none was chosen. One for all
// plans, so that two plans made of the same options are equal.
const std::shared_ptr<const NameList>& NoListChosen() {
    static const std::shared_ptr<const NameList> none =
        std::make_shared<const NameList>(NameList{{}, {}, NameListProblem::NotChosen, 0});
    return none;
}

std::u16string NameWithPieces(const NamePlan& plan, std::u16string_view currentName, std::uint32_t number,
                              std::size_t slot, const RowTexts& row, NameProblem* problem,
                              std::u16string* problemText) {
    if (!plan.renames()) return std::u16string(currentName);
    const NameSplit old = SplitExtension(currentName);
    std::u16string_view source = old.base;
    if (plan.fileNames && plan.list) {
        const std::u16string* listed = ListedName(plan, slot);
        if (!listed) return std::u16string(currentName);
        source = *listed;
    }
    std::u16string extension(old.extension);
    if (plan.extensions) extension = MapExtension(extension, plan.map);
    if (plan.extensionUppercase) ToAsciiUpper(extension);
    if (plan.extensionLowercase) ToAsciiLower(extension);

    std::u16string name = plan.fileNames ? NewBaseName(plan, source, number, row, problem, problemText)
                                         : std::u16string(old.base);
    name += extension;
    return name;
}

}  // namespace

std::u16string MapExtension(std::u16string_view extension, const std::vector<ExtensionMapping>& map) {
    std::u16string result(extension);
    for (const ExtensionMapping& row : map) {
        if (!row.checked) continue;
        if (!result.empty() && result.front() == u'.' && EqualIgnoringAsciiCase(result.substr(1), row.from))
            result = u"." + row.to;
    }
    return result;
}

NamePlan PlanNames(const RenameOptions& options) {
    NamePlan plan;
    plan.fileNames = options.fileNames;
    plan.extensions = options.extensions;
    if (options.fileNames) {
        plan.prefixFolder = FolderOf(options.prefix);
        plan.suffixFolder = FolderOf(options.suffix);
        plan.prefixStamp = StampOf(options.prefix);
        plan.suffixStamp = StampOf(options.suffix);
        if (!plan.prefixStamp.taken && !plan.prefixFolder.used) plan.prefix = CasedText(options.prefix);
        if (!plan.suffixStamp.taken && !plan.suffixFolder.used) plan.suffix = CasedText(options.suffix);
        if (plan.takesStamps()) {
            plan.timeFormat = options.timeFormat;
            plan.localOffset = options.localOffset;
        }
        plan.prefixSpacer = options.prefix.spacer;
        plan.suffixSpacer = options.suffix.spacer;
        plan.spacer = options.spacer;
        // "From List" and "Keep Name" exclude each other; a file edited by hand may tick both.
        plan.keepName = options.keepName && !options.fromList;
        if (options.fromList) plan.list = options.nameList ? options.nameList : NoListChosen();
        plan.noNumber = options.noNumber;
        if (plan.keepName || plan.list) plan.replacer = std::make_shared<const NameReplacer>(options.findReplace);
        plan.nameCase = options.nameCase;
        if (plan.nameCase != NameCase::AsIs) plan.caseMapping = options.caseMapping;
        plan.numberWidth = NumberWidth(options.zerosText);
        plan.firstNumber = ParseSettingsDecimal(options.offsetText);
        // An empty or zero step would give every file one number.
        plan.step = std::max<std::uint32_t>(ParseSettingsDecimal(options.stepText), 1);
        plan.perFolder = options.perFolder;
    }
    if (options.extensions) plan.map = CleanedMap(options.extensionMap);
    plan.extensionUppercase = options.extensionUppercase;
    plan.extensionLowercase = options.extensionLowercase;
    return plan;
}

std::u16string TakenStamp(const NamePlan& plan, const FileRow& row) {
    std::optional<std::uint64_t> instant = TakenInstant(row, plan.localOffset);
    // The modified date as the list shows it, to the millisecond.
    if (!instant) instant = ParseDateText(RowDateText(row.modified, plan.localOffset).view(), plan.localOffset);
    if (!instant) return {};
    // The time as the camera's own clock showed it, whatever zone it named.
    const LocalOffset shown = row.taken ? TakenClockOffset(*row.taken, plan.localOffset) : plan.localOffset;
    std::array<char16_t, StampUnits> buffer;
    const std::size_t length = ExpandTimeFormat(*instant, plan.timeFormat, shown, buffer.data(), buffer.size());
    return std::u16string(buffer.data(), length);
}

const std::u16string* ListedName(const NamePlan& plan, std::size_t slot) {
    if (!plan.list) return nullptr;
    const std::size_t line = plan.listOffset + slot;
    return line < plan.list->names.size() ? &plan.list->names[line] : nullptr;
}

std::u16string NewNameOfRow(const NamePlan& plan, const FileRow& row, std::u16string_view currentName,
                            std::uint32_t number, std::size_t slot) {
    const std::u16string stamp = plan.fileNames && plan.takesStamps() ? TakenStamp(plan, row) : std::u16string();
    return NameWithPieces(plan, currentName, number, slot, {stamp, FolderName(row.folderText())}, nullptr, nullptr);
}

std::u16string NewBaseName(const NamePlan& plan, std::u16string_view oldBase, std::uint32_t number,
                           const RowTexts& row, NameProblem* problem, std::u16string* problemText) {
    std::u16string kept;
    if (plan.keepName || plan.list) kept = plan.replacer ? plan.replacer->Apply(oldBase, problem, problemText) : std::u16string(oldBase);
    std::u16string digits;
    if (!plan.noNumber) AppendPaddedNumber(digits, number, plan.numberWidth);

    std::u16string prefixScratch, suffixScratch;
    const std::u16string_view prefix = PieceText(plan.prefixFolder, plan.prefixStamp, plan.prefix, row, prefixScratch);
    const std::u16string_view suffix = PieceText(plan.suffixFolder, plan.suffixStamp, plan.suffix, row, suffixScratch);

    // A spacer stands between pieces: after a non-empty piece whose spacer is
    // on, when something follows it. The kept name always takes one then.
    const Piece pieces[] = {{prefix, plan.prefixSpacer}, {kept, true}, {suffix, plan.suffixSpacer}, {digits, false}};
    std::u16string name;
    for (std::size_t i = 0; i < std::size(pieces); ++i) {
        if (pieces[i].text.empty()) continue;
        name += pieces[i].text;
        if (!pieces[i].spacer) continue;
        for (std::size_t later = i + 1; later < std::size(pieces); ++later) {
            if (!pieces[later].text.empty()) {
                name += plan.spacer;
                break;
            }
        }
    }
    CleanNamePart(name);
    // Last, on the name as the other options have made it.
    if (plan.nameCase != NameCase::AsIs) name = CasedName(name, plan.nameCase, plan.caseMapping);
    return name;
}

std::u16string NewName(const NamePlan& plan, std::u16string_view currentName, std::uint32_t number,
                       NameProblem* problem, std::u16string* problemText) {
    return NameWithPieces(plan, currentName, number, 0, {}, problem, problemText);
}

NameCheck CheckNames(const NamePlan& plan, const std::vector<std::u16string_view>& currentNames) {
    NameCheck check;
    if (!plan.fileNames) return check;
    if (plan.list) {
        const NameList& list = *plan.list;
        const std::size_t listed = list.names.size() > plan.listOffset ? list.names.size() - plan.listOffset : 0;
        if (list.problem != NameListProblem::None || currentNames.size() > listed) {
            check.problem = NameProblem::NameList;
            check.message = NameProblemMessage(check.problem, list.problem != NameListProblem::None
                                                                  ? NameListMessage(list)
                                                                  : MissingNamesMessage(list, currentNames.size() - listed));
            return check;
        }
    }
    if (!plan.replacer) return check;
    if (plan.problem() != NameProblem::None) {
        check.problem = plan.problem();
        check.message = NameProblemMessage(check.problem, plan.replacer->problemText());
        return check;
    }
    std::u16string detail;
    for (std::size_t slot = 0; slot < currentNames.size(); ++slot) {
        const std::u16string* listed = ListedName(plan, slot);
        plan.replacer->Apply(listed ? std::u16string_view(*listed) : SplitExtension(currentNames[slot]).base,
                             &check.problem, &detail);
        if (check.problem != NameProblem::None) {
            check.message = NameProblemMessage(check.problem, detail);
            return check;
        }
    }
    return check;
}

}  // namespace qm
