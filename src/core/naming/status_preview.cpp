#include "core/naming/status_preview.h"

#include "core/text/name_text.h"
#include "core/naming/new_name.h"
#include "core/settings_file/decimal_text.h"
#include "core/settings/flags.h"

namespace qm {

namespace {

// An automatic piece shows the time stamp as it will stand in its box, without
// the case boxes that the run applies to the box's text. A "Taken" piece is
// the first row's own stamp, cased as the run cases it.
void ShowStamp(NamePiece& piece, bool automatic, std::u16string_view stamp) {
    if (!automatic || piece.takenStamp || piece.folderName) return;
    piece.text.assign(stamp);
    piece.uppercase = piece.lowercase = false;
}

std::u16string PreviewName(const PreviewOptions& options) {
    RenameOptions shown = options.rename;
    ShowStamp(shown.prefix, options.prefixAuto, options.stamp);
    ShowStamp(shown.suffix, options.suffixAuto, options.stamp);
    const NamePlan plan = PlanNames(shown);
    NameCheck check = CheckNames(plan, {});
    if (check.problem != NameProblem::None) return check.message;
    std::u16string detail;
    // The row the preview shows is the first that takes part: with a list, it takes the first name.
    const std::u16string* listed = ListedName(plan, 0);
    if (plan.list && !listed) return u"no name in the list";
    const std::u16string name =
        NewBaseName(plan, listed ? std::u16string_view(*listed) : SplitExtension(options.firstName).base,
                    plan.firstNumber, {options.stamp, options.folderName}, &check.problem, &detail);
    return check.problem == NameProblem::None ? name : NameProblemMessage(check.problem, detail);
}

// "From List" with a list that pairs: how far it is from the rows' count.
std::u16string ListNote(const PreviewOptions& options) {
    const RenameOptions& r = options.rename;
    if (!r.fileNames || !r.fromList || !r.nameList || r.nameList->problem != NameListProblem::None) return {};
    const std::size_t names = r.nameList->names.size(), rows = options.rowsTakingPart;
    if (rows == 0) return {};  // nothing to pair yet
    std::u16string note = u"   (List: ";
    if (names < rows) {
        AppendUnsignedDecimal(note, static_cast<std::uint32_t>(rows - names));
        note += rows - names == 1 ? u" file without a name)" : u" files without a name)";
    } else if (names > rows) {
        AppendUnsignedDecimal(note, static_cast<std::uint32_t>(names - rows));
        note += names - rows == 1 ? u" name left over)" : u" names left over)";
    } else {
        return {};
    }
    return note;
}

std::u16string Count(std::u16string_view label, std::size_t value) {
    std::u16string text(label);
    AppendUnsignedDecimal(text, static_cast<std::uint32_t>(value));
    return text;
}

}  // namespace

std::u16string ComposePreview(const PreviewOptions& options) {
    const RenameOptions& r = options.rename;
    std::u16string text = u" ";
    if (r.fileNames) text += PreviewName(options) + ListNote(options);
    if (r.extensions) {
        text += u"   (Extension: rename";
        if (r.extensionUppercase || r.extensionLowercase) text += u" + ";
        if (r.extensionUppercase) text += u"UPPERCASE";
        if (r.extensionLowercase) text += u"lowercase";
        text += u")";
    }
    if (r.setDates && (r.setCreated || r.setModified || r.setAccessed || options.dateAuto)) {
        text += u"   (Date: ";
        if (r.setCreated) text += u"C";
        if (r.setModified) text += u"M";
        if (r.setAccessed) text += u"A";
        if (r.setTaken) text += u" taken";
        if (options.dateAuto) text += u" auto";
        text += u")";
    }
    if (r.setAttributes) {
        constexpr struct {
            std::uint32_t bit;
            char16_t letter;
        } letters[] = {{Attribute::ReadOnly, u'R'}, {Attribute::Hidden, u'H'}, {Attribute::System, u'S'},
                       {Attribute::Archive, u'A'}};
        std::u16string ticked;
        for (const auto& l : letters)
            if (options.attributeFlags & l.bit) ticked += l.letter;
        text += ticked.empty() ? std::u16string(u"   (Attributes: Cleared)") : u"   (Attributes: " + ticked + u")";
    }
    return text;
}

std::u16string FilesText(std::size_t rows) { return Count(u" Files: ", rows); }
std::u16string SelectedText(std::size_t selected) { return Count(u" Selected: ", selected); }

}  // namespace qm
