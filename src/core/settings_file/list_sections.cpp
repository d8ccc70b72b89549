#include "core/settings_file/list_sections.h"

#include <algorithm>

#include "core/settings_file/key_line.h"

namespace qm {

void ReadHistorySectionBody(SettingsLineReader& reader, HistoryList& history) {
    SettingsLine line;
    bool first = true;
    while (ReadSettingsLine(reader, line) && !IsEmptySettingsLine(line)) {
        const std::u16string_view text = CutSettingsLine(line);
        if (first) {
            const bool standsForEmpty = text.size() == 1 && text[0] == EmptyCurrentText;
            history.current.assign(standsForEmpty ? std::u16string_view{} : text);
            first = false;
        } else {
            history.entries.emplace_back(text);
        }
    }
}

ExtensionRow ParseExtensionRow(std::u16string_view line) {
    ExtensionRow row;
    const std::size_t first = line.find(ExtensionFieldSeparator);
    row.checked = line.substr(0, first) == u"1";
    if (first == std::u16string_view::npos) return row;
    const std::u16string_view rest = line.substr(first + 1);
    const std::size_t second = rest.find(ExtensionFieldSeparator);
    row.from.assign(rest.substr(0, second));
    if (second != std::u16string_view::npos) row.to.assign(rest.substr(second + 1));
    return row;
}

void ReadExtensionSectionBody(SettingsLineReader& reader, std::vector<ExtensionRow>& rows) {
    SettingsLine line;
    while (ReadSettingsLine(reader, line) && !IsEmptySettingsLine(line))
        rows.push_back(ParseExtensionRow(CutSettingsLine(line)));
}

void AppendHistorySection(std::u16string& out, std::u16string_view header,
                          const HistoryList& history) {
    AppendLine(out, header);
    if (history.current.empty())
        AppendLine(out, std::u16string_view(&EmptyCurrentText, 1));
    else
        AppendLine(out, history.current);
    const std::size_t count = std::min(history.entries.size(), HistoryEntriesWritten);
    for (std::size_t i = 0; i < count; ++i) AppendLine(out, history.entries[i]);
}

void AppendExtensionSection(std::u16string& out, const std::vector<ExtensionRow>& rows) {
    AppendLine(out, ExtensionSectionHeader);
    for (const ExtensionRow& row : rows) {
        out.push_back(row.checked ? u'1' : u'0');
        out.push_back(ExtensionFieldSeparator);
        out.append(row.from);
        out.push_back(ExtensionFieldSeparator);
        AppendLine(out, row.to);
    }
}

}  // namespace qm
