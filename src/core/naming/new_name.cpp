#include "core/naming/new_name.h"

#include "core/text/name_text.h"
#include "core/settings/decimal_text.h"
#include "core/text/remove_characters.h"

namespace qm {

namespace {

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

struct Piece {
    std::u16string_view text;
    bool spacer;
};

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
        plan.prefix = CasedText(options.prefix);
        plan.suffix = CasedText(options.suffix);
        plan.prefixSpacer = options.prefix.spacer;
        plan.suffixSpacer = options.suffix.spacer;
        plan.spacer = options.spacer;
        plan.keepName = options.keepName;
        plan.noNumber = options.noNumber;
        if (options.keepName) plan.replacer = std::make_shared<const NameReplacer>(options.findReplace);
        plan.numberWidth = NumberWidth(options.zerosText);
        plan.firstNumber = ParseSettingsDecimal(options.offsetText);
    }
    if (options.extensions) plan.map = CleanedMap(options.extensionMap);
    plan.extensionUppercase = options.extensionUppercase;
    plan.extensionLowercase = options.extensionLowercase;
    return plan;
}

std::u16string NewBaseName(const NamePlan& plan, std::u16string_view oldBase, std::uint32_t number,
                           NameProblem* problem, std::u16string* problemText) {
    std::u16string kept;
    if (plan.keepName) kept = plan.replacer ? plan.replacer->Apply(oldBase, problem, problemText) : std::u16string(oldBase);
    std::u16string digits;
    if (!plan.noNumber) AppendPaddedNumber(digits, number, plan.numberWidth);

    // A spacer stands between pieces: after a non-empty piece whose spacer is
    // on, when something follows it. The kept name always takes one then.
    const Piece pieces[] = {{plan.prefix, plan.prefixSpacer}, {kept, true}, {plan.suffix, plan.suffixSpacer}, {digits, false}};
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
    return name;
}

std::u16string NewName(const NamePlan& plan, std::u16string_view currentName, std::uint32_t number,
                       NameProblem* problem, std::u16string* problemText) {
    if (!plan.renames()) return std::u16string(currentName);
    const NameSplit old = SplitExtension(currentName);
    std::u16string extension(old.extension);
    if (plan.extensions) extension = MapExtension(extension, plan.map);
    if (plan.extensionUppercase) ToAsciiUpper(extension);
    if (plan.extensionLowercase) ToAsciiLower(extension);

    std::u16string name = plan.fileNames ? NewBaseName(plan, old.base, number, problem, problemText)
                                         : std::u16string(old.base);
    name += extension;
    return name;
}

NameCheck CheckNames(const NamePlan& plan, const std::vector<std::u16string_view>& currentNames) {
    NameCheck check;
    if (!plan.fileNames || !plan.keepName || !plan.replacer) return check;
    if (plan.problem() != NameProblem::None) {
        check.problem = plan.problem();
        check.message = NameProblemMessage(check.problem, plan.replacer->problemText());
        return check;
    }
    std::u16string detail;
    for (std::u16string_view name : currentNames) {
        plan.replacer->Apply(SplitExtension(name).base, &check.problem, &detail);
        if (check.problem != NameProblem::None) {
            check.message = NameProblemMessage(check.problem, detail);
            return check;
        }
    }
    return check;
}

}  // namespace qm
