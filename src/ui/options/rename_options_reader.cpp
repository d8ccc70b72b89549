#include "ui/options/rename_options_reader.h"

#include "resource_ids.h"
#include "ui/options/date_picker.h"
#include "ui/options/flag_controls.h"
#include "ui/options/history_box.h"
#include "ui/options/name_options.h"
#include "ui/support/dialog_support.h"
#include "win32/controls/dialog_items.h"
#include "win32/locale/case_mapping.h"
#include "win32/locale/clock.h"
#include "win32/settings/settings_list_controls.h"

namespace qm {

namespace {

constexpr int NumberTextUnits = 261;
constexpr int BoxTextUnits = 1024;  // as the history boxes read their texts

std::u16string ItemText(HWND window, int id, int units) {
    std::u16string text(static_cast<std::size_t>(units), u'\0');
    const UINT length = win32::GetDialogItemText(window, id, reinterpret_cast<wchar_t*>(text.data()), units);
    text.resize(length);
    return text;
}

NamePiece ReadPiece(HWND window, int used, int box, int upper, int lower, int spacer, int automatic, int folder) {
    NamePiece piece;
    piece.folderName = IsChecked(window, folder);
    piece.takenStamp = IsChecked(window, automatic) && IsChecked(window, IDC_STAMP_TAKEN);
    piece.used = IsChecked(window, used);
    piece.uppercase = IsChecked(window, upper);
    piece.lowercase = IsChecked(window, lower);
    piece.spacer = IsChecked(window, spacer);
    piece.text = ItemText(window, box, BoxTextUnits);
    return piece;
}

// Everything but the extension table.
RenameOptions ReadOptions(HWND window, const AppSettings& settings) {
    RenameOptions options;
    options.fileNames = IsChecked(window, IDC_FILE_NAMES);
    options.extensions = IsChecked(window, IDC_EXTENSIONS);
    options.setDates = IsChecked(window, IDC_DATE);
    options.setAttributes = IsChecked(window, IDC_ATTRIBUTES);
    options.prefix = ReadPiece(window, IDC_PREFIX, IDC_PREFIX_BOX, IDC_PREFIX_UPPERCASE, IDC_PREFIX_LOWERCASE,
                               IDC_PREFIX_SPACER, IDC_PREFIX_AUTO, IDC_PREFIX_FOLDER);
    options.suffix = ReadPiece(window, IDC_SUFFIX, IDC_SUFFIX_BOX, IDC_SUFFIX_UPPERCASE, IDC_SUFFIX_LOWERCASE,
                               IDC_SUFFIX_SPACER, IDC_SUFFIX_AUTO, IDC_SUFFIX_FOLDER);
    options.timeFormat = settings.TimeFormat.str();
    options.localOffset = win32::LocalOffsetNow();
    options.spacer = settings.Spacer.str();
    options.zerosText = ItemText(window, IDC_ZEROS_EDIT, NumberTextUnits);
    options.offsetText = ItemText(window, IDC_OFFSET_EDIT, NumberTextUnits);
    options.keepName = IsChecked(window, IDC_KEEP_NAME);
    options.noNumber = IsChecked(window, IDC_NO_NUMBER);
    options.stepText = ItemText(window, IDC_STEP_EDIT, NumberTextUnits);
    options.perFolder = IsChecked(window, IDC_PER_FOLDER);
    options.fromList = IsChecked(window, IDC_FROM_LIST);
    if (options.fileNames && options.fromList) options.nameList = CurrentNameList(settings);
    options.nameCase = NameCaseFromNumber(ChosenNameCase(window));
    options.caseMapping = win32::MapCase;
    if (options.keepName || options.fromList) {
        options.findReplace.find = ItemText(window, IDC_FIND_BOX, BoxTextUnits);
        options.findReplace.replace = ItemText(window, IDC_REPLACE_BOX, BoxTextUnits);
        options.findReplace.regex = IsChecked(window, IDC_FIND_REGEX);
        options.findReplace.matchCase = IsChecked(window, IDC_FIND_MATCH_CASE);
    }
    options.extensionUppercase = IsChecked(window, IDC_EXT_UPPERCASE);
    options.extensionLowercase = IsChecked(window, IDC_EXT_LOWERCASE);
    options.setCreated = IsChecked(window, IDC_DATE_CREATED);
    options.setModified = IsChecked(window, IDC_DATE_MODIFIED);
    options.setAccessed = IsChecked(window, IDC_DATE_ACCESSED);
    options.fileTime = settings.FileTime;
    options.setTaken = IsChecked(window, IDC_DATE_TAKEN);
    options.attributes = ChosenAttributes(CaptureFlagWord(window, AttributeFlagControls()));
    return options;
}

}  // namespace

RenameOptions ReadRunOptions(HWND window, const AppSettings& settings) {
    RenameOptions options = ReadOptions(window, settings);
    for (ExtensionRow& row : win32::ReadExtensionRows(win32::DialogItem(window, IDC_EXT_LIST)))
        options.extensionMap.push_back({row.checked, std::move(row.from), std::move(row.to)});
    return options;
}

RenameOptions TakeRunOptions(HWND window, AppSettings& settings, bool rowsToRun) {
    // A time stamp made by "Auto" is not a text the user typed: it stays out of the history.
    const HistoryBoxOfRun boxes[] = {{IDC_PREFIX_BOX, IDC_PREFIX_AUTO},
                                     {IDC_SUFFIX_BOX, IDC_SUFFIX_AUTO},
                                     {IDC_FIND_BOX, 0},
                                     {IDC_REPLACE_BOX, 0}};
    AddTypedTextsToHistories(window, boxes);
    if (rowsToRun && IsChecked(window, IDC_DATE_AUTO)) {
        settings.FileTime = win32::LocalNowAsUtc();
        ShowFileTimeInPicker(win32::DialogItem(window, IDC_DATE_PICKER), settings.FileTime);
    }
    return ReadRunOptions(window, settings);
}

PreviewOptions ReadPreviewOptions(HWND window, const AppSettings& settings) {
    PreviewOptions preview;
    preview.rename = ReadOptions(window, settings);
    preview.prefixAuto = IsChecked(window, IDC_PREFIX_AUTO);
    preview.suffixAuto = IsChecked(window, IDC_SUFFIX_AUTO);
    preview.dateAuto = IsChecked(window, IDC_DATE_AUTO);
    preview.attributeFlags = CaptureFlagWord(window, AttributeFlagControls());
    return preview;
}

}  // namespace qm
