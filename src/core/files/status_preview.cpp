#include "core/files/status_preview.h"

#include "core/files/new_name.h"
#include "core/settings/decimal_text.h"
#include "core/settings/flags.h"

namespace qm {

namespace {

// An automatic prefix or suffix shows the stamp as it stands in its box, which
// no case box changes.
void ShowStamp(NamePiece& piece, bool automatic, std::u16string_view stamp) {
    if (!automatic) return;
    piece.text = stamp;
    piece.uppercase = piece.lowercase = false;
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
    if (r.fileNames) {
        // The first file's name without its extension, from the run's own name function.
        RenameOptions shown = r;
        shown.extensions = shown.extensionUppercase = shown.extensionLowercase = false;
        ShowStamp(shown.prefix, options.prefixAuto, options.stamp);
        ShowStamp(shown.suffix, options.suffixAuto, options.stamp);
        const NamePlan plan = PlanNames(shown);
        text += NewName(plan, u"", plan.firstNumber);
    }
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
