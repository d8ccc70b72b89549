#include "core/settings_file/preset_section.h"

#include "core/settings_file/decimal_text.h"
#include "core/settings_file/field_bytes.h"
#include "core/settings_file/hex_form.h"
#include "core/settings_file/key_line.h"

namespace qm {

namespace {

void ApplyPresetLine(std::u16string_view line, Preset& p) {
    std::u16string_view value;
    if (MatchKeyLine(line, u"label", value)) {
        p.label = value;
    } else if (MatchKeyLine(line, u"timeformat", value)) {
        p.timeformat = value;
    } else if (MatchKeyLine(line, u"prefix", value)) {
        p.prefix = value;
    } else if (MatchKeyLine(line, u"suffix", value)) {
        p.suffix = value;
    } else if (MatchKeyLine(line, u"spacer", value)) {
        p.spacer = value.substr(0, 1);  // a spacer is one character, whatever the field holds
    } else if (MatchKeyLine(line, u"offset", value)) {
        p.offset = static_cast<std::int32_t>(ParseSettingsDecimal(value));
    } else if (MatchKeyLine(line, u"zeros", value)) {
        p.zeros = static_cast<std::int32_t>(ParseSettingsDecimal(value));
    } else if (MatchKeyLine(line, u"filetime", value)) {
        FileTimeBytes bytes{};
        if (DecodeHexForm(value, bytes)) p.filetime = FileTimeFromBytes(bytes);
    } else if (MatchKeyLine(line, u"maincontrolflags", value)) {
        p.maincontrolflags = ParseSettingsDecimal(value);
    } else if (MatchKeyLine(line, u"renameflags", value)) {
        p.renameflags = ParseSettingsDecimal(value);
    } else if (MatchKeyLine(line, u"datetimeflags", value)) {
        p.datetimeflags = ParseSettingsDecimal(value);
    } else if (MatchKeyLine(line, u"attribflags", value)) {
        p.attribflags = ParseSettingsDecimal(value);
    } else if (MatchKeyLine(line, u"extflags", value)) {
        p.extflags = ParseSettingsDecimal(value);
    } else if (MatchKeyLine(line, u"find", value)) {
        p.find = value;
    } else if (MatchKeyLine(line, u"replace", value)) {
        p.replace = value;
    } else if (MatchKeyLine(line, u"step", value)) {
        p.step = static_cast<std::int32_t>(ParseSettingsDecimal(value));
    } else if (MatchKeyLine(line, u"namecase", value)) {
        p.namecase = ParseSettingsDecimal(value);
    } else if (MatchKeyLine(line, u"namelist", value)) {
        p.namelist = value;
    }
}

void AppendTextKey(std::u16string& out, std::u16string_view key, std::u16string_view text) {
    AppendKey(out, key);
    AppendLine(out, text);
}

void AppendSignedKey(std::u16string& out, std::u16string_view key, std::int32_t value) {
    AppendKey(out, key);
    AppendSignedDecimal(out, value);
    out.append(LineBreak);
}

void AppendUnsignedKey(std::u16string& out, std::u16string_view key, std::uint32_t value) {
    AppendKey(out, key);
    AppendUnsignedDecimal(out, value);
    out.append(LineBreak);
}

}  // namespace

std::u16string PresetSectionHeader(int slotNumber) {
    std::u16string header = u"[PRESET";
    AppendSignedDecimal(header, slotNumber);
    header.push_back(u']');
    return header;
}

void ReadPresetSectionBody(SettingsLineReader& reader, Preset& preset) {
    SettingsLine line;
    while (ReadSettingsLine(reader, line) && !IsEmptySettingsLine(line))
        ApplyPresetLine(CutSettingsLine(line), preset);
}

void AppendPresetKeys(std::u16string& out, const Preset& p) {
    AppendTextKey(out, u"label", p.label.view());
    AppendTextKey(out, u"timeformat", p.timeformat.view());
    AppendTextKey(out, u"prefix", p.prefix.view());
    AppendTextKey(out, u"suffix", p.suffix.view());
    AppendTextKey(out, u"spacer", p.spacer.view());
    AppendSignedKey(out, u"offset", p.offset);
    AppendSignedKey(out, u"zeros", p.zeros);
    AppendKey(out, u"filetime");
    AppendHexForm(out, FileTimeToBytes(p.filetime));
    out.append(LineBreak);
    AppendUnsignedKey(out, u"maincontrolflags", p.maincontrolflags);
    AppendUnsignedKey(out, u"renameflags", p.renameflags);
    AppendUnsignedKey(out, u"datetimeflags", p.datetimeflags);
    AppendUnsignedKey(out, u"attribflags", p.attribflags);
    AppendUnsignedKey(out, u"extflags", p.extflags);
    // After the thirteen keys that older builds know; they skip these.
    AppendTextKey(out, u"find", p.find.view());
    AppendTextKey(out, u"replace", p.replace.view());
    AppendSignedKey(out, u"step", p.step);
    AppendUnsignedKey(out, u"namecase", p.namecase);
    AppendTextKey(out, u"namelist", p.namelist.view());
}

}  // namespace qm
