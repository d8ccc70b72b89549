#include "core/files/status_preview.h"

#include "core/files/name_text.h"
#include "core/settings/decimal_text.h"
#include "core/settings/flags.h"

namespace qm {

namespace {

void AppendPreviewPiece(std::u16string& out, const NamePiece& piece, bool automatic, std::u16string_view stamp,
                        std::u16string_view spacer) {
    if (!piece.used) return;
    std::u16string text = automatic ? std::u16string(stamp) : piece.text;
    if (!automatic) {
        if (piece.uppercase) ToAsciiUpper(text);
        if (piece.lowercase) ToAsciiLower(text);
    }
    out += text;
    // The box holds the stamp now when it is automatic.
    const bool boxEmpty = automatic ? stamp.empty() : piece.text.empty();
    if (!boxEmpty && piece.spacer) out += spacer;
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
        std::u16string name;
        AppendPreviewPiece(name, r.prefix, options.prefixAuto, options.stamp, r.spacer);
        AppendPreviewPiece(name, r.suffix, options.suffixAuto, options.stamp, r.spacer);
        AppendPaddedNumber(name, ParseSettingsDecimal(r.offsetText), NumberWidth(r.zerosText));
        CleanNamePart(name);
        text += name;
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
