#include "core/files/new_name.h"

#include "core/files/name_text.h"
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

}  // namespace

NamePlan PlanNames(const RenameOptions& options) {
    NamePlan plan;
    plan.fileNames = options.fileNames;
    plan.extensions = options.extensions;
    if (options.fileNames) {
        plan.namePart = BuildNamePart(options);
        plan.numberWidth = NumberWidth(options.zerosText);
        plan.firstNumber = ParseSettingsDecimal(options.offsetText);
    }
    if (options.extensions) plan.map = CleanedMap(options.extensionMap);
    plan.extensionUppercase = options.extensionUppercase;
    plan.extensionLowercase = options.extensionLowercase;
    return plan;
}

std::u16string NewName(const NamePlan& plan, std::u16string_view currentName, std::uint32_t number) {
    if (!plan.renames()) return std::u16string(currentName);
    const NameSplit old = SplitExtension(currentName);
    std::u16string extension(old.extension);
    if (plan.extensions) extension = MapExtension(extension, plan.map);
    if (plan.extensionUppercase) ToAsciiUpper(extension);
    if (plan.extensionLowercase) ToAsciiLower(extension);

    std::u16string name;
    if (plan.fileNames) {
        name = plan.namePart;
        AppendPaddedNumber(name, number, plan.numberWidth);
    } else {
        name.assign(old.base);
    }
    name += extension;
    return name;
}

}  // namespace qm
