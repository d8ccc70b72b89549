#include "core/settings_file/settings_file.h"

#include <array>
#include <string>

#include "core/settings_file/key_line.h"
#include "core/settings_file/list_sections.h"
#include "core/settings_file/preset_section.h"
#include "core/settings_file/settings_line_reader.h"
#include "core/settings_file/settings_section.h"

namespace qm {

namespace {

constexpr char16_t ByteOrderMark = 0xFEFF;

std::array<std::u16string, PresetCount> MakePresetHeaders() {
    std::array<std::u16string, PresetCount> headers;
    for (int i = 0; i < PresetCount; ++i) headers[i] = PresetSectionHeader(i + 1);
    return headers;
}

std::vector<std::uint8_t> ToLittleEndianBytes(const std::u16string& text) {
    std::vector<std::uint8_t> bytes(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        bytes[2 * i] = static_cast<std::uint8_t>(text[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<std::uint8_t>(text[i] >> 8);
    }
    return bytes;
}

std::size_t EstimatedUnits(const SettingsLists& lists) {
    std::size_t units = 64 * 1024;
    for (const HistoryList* history : {&lists.prefix, &lists.suffix, &lists.find, &lists.replace}) {
        units += history->current.size() + 2;
        for (std::size_t i = 0; i < history->entries.size() && i < HistoryEntriesWritten; ++i)
            units += history->entries[i].size() + 2;
    }
    for (const ExtensionRow& row : lists.extensions) units += row.from.size() + row.to.size() + 6;
    return units;
}

}  // namespace

void ReadSettingsFromFileBytes(std::span<const std::uint8_t> bytes, AppSettings& settings) {
    SettingsLineReader reader = OpenSettingsLines(bytes);
    SettingsLine line;
    while (ReadSettingsLine(reader, line)) {
        if (CutSettingsLine(line) == SettingsSectionHeader) {
            ReadSettingsSectionBody(reader, settings);
            return;
        }
    }
}

void ReadListsAndPresetsFromFileBytes(std::span<const std::uint8_t> bytes, SettingsLists& lists,
                                      PresetArray& presets) {
    static const std::array<std::u16string, PresetCount> presetHeaders = MakePresetHeaders();
    SettingsLineReader reader = OpenSettingsLines(bytes);
    SettingsLine line;
    while (ReadSettingsLine(reader, line)) {
        const std::u16string_view text = CutSettingsLine(line);
        if (text == PrefixSectionHeader) {
            ReadHistorySectionBody(reader, lists.prefix);
        } else if (text == SuffixSectionHeader) {
            ReadHistorySectionBody(reader, lists.suffix);
        } else if (text == ExtensionSectionHeader) {
            ReadExtensionSectionBody(reader, lists.extensions);
        } else if (text == FindSectionHeader) {
            ReadHistorySectionBody(reader, lists.find);
        } else if (text == ReplaceSectionHeader) {
            ReadHistorySectionBody(reader, lists.replace);
        } else {
            for (int i = 0; i < PresetCount; ++i) {
                if (text == presetHeaders[i]) {
                    ReadPresetSectionBody(reader, presets[i]);
                    break;
                }
            }
        }
    }
}

std::vector<std::uint8_t> WriteSettingsFileBytes(const AppSettings& settings,
                                                 const SettingsLists& lists,
                                                 const PresetArray& presets) {
    std::u16string out;
    out.reserve(EstimatedUnits(lists));
    out.push_back(ByteOrderMark);
    AppendLine(out, SettingsFileFirstLine);
    out.append(LineBreak);
    AppendSettingsSection(out, settings);
    out.append(LineBreak);
    AppendHistorySection(out, PrefixSectionHeader, lists.prefix);
    out.append(LineBreak);
    AppendHistorySection(out, SuffixSectionHeader, lists.suffix);
    out.append(LineBreak);
    AppendExtensionSection(out, lists.extensions);
    out.append(LineBreak);
    // After the sections that older builds know; they skip these.
    AppendHistorySection(out, FindSectionHeader, lists.find);
    out.append(LineBreak);
    AppendHistorySection(out, ReplaceSectionHeader, lists.replace);
    out.append(LineBreak);
    for (int i = 0; i < PresetCount; ++i) {
        AppendLine(out, PresetSectionHeader(i + 1));
        AppendPresetKeys(out, presets[i]);
        out.append(LineBreak);
    }
    return ToLittleEndianBytes(out);
}

}  // namespace qm
