#pragma once
// The "[PREFIX]", "[SUFFIX]" and "[EXTENSIONS]" sections.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings_file/settings_line_reader.h"
#include "core/settings/settings_lists.h"

namespace qm {

inline constexpr std::u16string_view PrefixSectionHeader = u"[PREFIX]";
inline constexpr std::u16string_view SuffixSectionHeader = u"[SUFFIX]";
inline constexpr std::u16string_view ExtensionSectionHeader = u"[EXTENSIONS]";
inline constexpr std::u16string_view FindSectionHeader = u"[FIND]";
inline constexpr std::u16string_view ReplaceSectionHeader = u"[REPLACE]";

// At most this many entries of each history are written.
inline constexpr std::size_t HistoryEntriesWritten = 100;

// "ÿ" stands for an empty current text.
inline constexpr char16_t EmptyCurrentText = 0x00FF;
// "»" separates the fields of an extension row.
inline constexpr char16_t ExtensionFieldSeparator = 0x00BB;

// Reads up to an empty line or the end of the data: the first line replaces
// the current text ("ÿ" alone makes it empty), every further line is appended
// to the entries, with no limit of count and no test for duplicates.
void ReadHistorySectionBody(SettingsLineReader& reader, HistoryList& history);

// Reads up to an empty line or the end of the data, appending one row per line.
void ReadExtensionSectionBody(SettingsLineReader& reader, std::vector<ExtensionRow>& rows);

// One cut line of "[EXTENSIONS]": checked when the first field is exactly "1";
// then From and To. Missing separators leave the missing fields empty.
ExtensionRow ParseExtensionRow(std::u16string_view line);

// Header, current text or "ÿ", the first 100 entries (no empty line after them).
void AppendHistorySection(std::u16string& out, std::u16string_view header,
                          const HistoryList& history);

// Header and one line per row (no empty line after them).
void AppendExtensionSection(std::u16string& out, const std::vector<ExtensionRow>& rows);

}  // namespace qm
