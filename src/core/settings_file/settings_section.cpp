#include "core/settings_file/settings_section.h"

#include "core/settings_file/decimal_text.h"
#include "core/settings_file/field_bytes.h"
#include "core/settings_file/hex_form.h"
#include "core/settings_file/key_line.h"

namespace qm {

namespace {

template <typename Bytes, typename Convert, typename Field>
void DecodeHexField(std::u16string_view value, Field& field, Convert fromBytes) {
    Bytes bytes{};
    if (DecodeHexForm(value, bytes)) field = fromBytes(bytes);
}

template <typename Bytes>
void AppendHexKey(std::u16string& out, std::u16string_view key, const Bytes& bytes) {
    AppendKey(out, key);
    AppendHexForm(out, bytes);
    out.append(LineBreak);
}

void AppendNumberKey(std::u16string& out, std::u16string_view key, std::uint32_t value) {
    AppendKey(out, key);
    AppendUnsignedDecimal(out, value);
    out.append(LineBreak);
}

void AppendTextKey(std::u16string& out, std::u16string_view key, std::u16string_view text) {
    AppendKey(out, key);
    AppendLine(out, text);
}

// Tests one cut line against the keys; at most one of them can match.
void ApplySettingsLine(std::u16string_view line, AppSettings& s) {
    std::u16string_view value;
    if (MatchKeyLine(line, u"TimeFormat", value)) {
        s.TimeFormat = value;
    } else if (MatchKeyLine(line, u"LastPath", value)) {
        s.LastPath = value;
    } else if (MatchKeyLine(line, u"Spacer", value)) {
        s.Spacer = value;
    } else if (MatchKeyLine(line, u"MainDlgWP", value)) {
        DecodeHexField<PlacementBytes>(value, s.MainDlgWP, PlacementFromBytes);
    } else if (MatchKeyLine(line, u"SettingsDlgXY", value)) {
        DecodeHexField<PointBytes>(value, s.SettingsDlgXY, PointFromBytes);
    } else if (MatchKeyLine(line, u"AddExtDlgXY", value)) {
        DecodeHexField<PointBytes>(value, s.AddExtDlgXY, PointFromBytes);
    } else if (MatchKeyLine(line, u"FileTime", value)) {
        DecodeHexField<FileTimeBytes>(value, s.FileTime, FileTimeFromBytes);
    } else if (MatchKeyLine(line, u"FileListCols", value)) {
        DecodeHexField<ColumnWidthBytes>(value, s.FileListCols, ColumnWidthsFromBytes);
    } else if (MatchKeyLine(line, u"NewNameWidth", value)) {
        s.NewNameWidth = ParseSettingsDecimal(value);
    } else if (MatchKeyLine(line, u"TakenWidth", value)) {
        s.TakenWidth = ParseSettingsDecimal(value);
    } else if (MatchKeyLine(line, u"Opacity", value)) {
        s.Opacity = ParseSettingsDecimal(value);
    } else if (MatchKeyLine(line, u"Zeros", value)) {
        s.Zeros = ParseSettingsDecimal(value);
    } else if (MatchKeyLine(line, u"Offset", value)) {
        s.Offset = ParseSettingsDecimal(value);
    } else if (MatchKeyLine(line, u"SettingsFlags", value)) {
        s.SettingsFlags = ParseSettingsDecimal(value);
    } else if (MatchKeyLine(line, u"MainControlFlags", value)) {
        s.MainControlFlags = ParseSettingsDecimal(value);
    } else if (MatchKeyLine(line, u"RenameFlags", value)) {
        s.RenameFlags = ParseSettingsDecimal(value);
    } else if (MatchKeyLine(line, u"DateTimeFlags", value)) {
        s.DateTimeFlags = ParseSettingsDecimal(value);
    } else if (MatchKeyLine(line, u"AttributeFlags", value)) {
        s.AttributeFlags = ParseSettingsDecimal(value);
    } else if (MatchKeyLine(line, u"ExtensionFlags", value)) {
        s.ExtensionFlags = ParseSettingsDecimal(value);
    } else if (MatchKeyLine(line, u"GeneralFlags", value)) {
        s.GeneralFlags = ParseSettingsDecimal(value);
    } else if (MatchKeyLine(line, u"AddFolderFlags", value)) {
        s.AddFolderFlags = ParseSettingsDecimal(value);
    } else if (MatchKeyLine(line, u"Step", value)) {
        s.Step = ParseSettingsDecimal(value);
    } else if (MatchKeyLine(line, u"NameCase", value)) {
        s.NameCase = ParseSettingsDecimal(value);
    } else if (MatchKeyLine(line, u"NameList", value)) {
        s.NameList = value;
    } else if (MatchKeyLine(line, u"AddFolderFilter", value)) {
        s.AddFolderFilter = value;
    }
}

}  // namespace

void ReadSettingsSectionBody(SettingsLineReader& reader, AppSettings& settings) {
    SettingsLine line;
    while (ReadSettingsLine(reader, line) && !StartsWithLineBreak(line))
        ApplySettingsLine(CutSettingsLine(line), settings);
}

void AppendSettingsSection(std::u16string& out, const AppSettings& s) {
    AppendLine(out, SettingsSectionHeader);
    AppendTextKey(out, u"TimeFormat", s.TimeFormat.view());
    AppendTextKey(out, u"LastPath", s.LastPath.view());
    AppendTextKey(out, u"Spacer", s.Spacer.view());
    AppendHexKey(out, u"MainDlgWP", ToBytes(s.MainDlgWP));
    AppendHexKey(out, u"SettingsDlgXY", ToBytes(s.SettingsDlgXY));
    AppendHexKey(out, u"AddExtDlgXY", ToBytes(s.AddExtDlgXY));
    AppendHexKey(out, u"FileTime", FileTimeToBytes(s.FileTime));
    AppendHexKey(out, u"FileListCols", ToBytes(s.FileListCols));
    AppendNumberKey(out, u"NewNameWidth", s.NewNameWidth);
    AppendNumberKey(out, u"TakenWidth", s.TakenWidth);
    AppendNumberKey(out, u"Opacity", s.Opacity);
    AppendNumberKey(out, u"Zeros", s.Zeros);
    AppendNumberKey(out, u"Offset", s.Offset);
    AppendNumberKey(out, u"SettingsFlags", s.SettingsFlags);
    AppendNumberKey(out, u"MainControlFlags", s.MainControlFlags);
    AppendNumberKey(out, u"RenameFlags", s.RenameFlags);
    AppendNumberKey(out, u"DateTimeFlags", s.DateTimeFlags);
    AppendNumberKey(out, u"AttributeFlags", s.AttributeFlags);
    AppendNumberKey(out, u"ExtensionFlags", s.ExtensionFlags);
    AppendNumberKey(out, u"GeneralFlags", s.GeneralFlags);
    // Last, after the keys that older builds know; they skip them.
    AppendNumberKey(out, u"AddFolderFlags", s.AddFolderFlags);
    AppendNumberKey(out, u"Step", s.Step);
    AppendNumberKey(out, u"NameCase", s.NameCase);
    AppendTextKey(out, u"NameList", s.NameList.view());
    AppendTextKey(out, u"AddFolderFilter", s.AddFolderFilter.view());
}

}  // namespace qm
