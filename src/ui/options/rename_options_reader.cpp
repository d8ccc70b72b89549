#include "ui/options/rename_options_reader.h"

#include "resource_ids.h"
#include "ui/options/flag_controls.h"
#include "ui/options/history_box.h"
#include "ui/options/name_options.h"
#include "win32/settings_list_controls.h"

namespace qm {

namespace {

constexpr int NumberTextUnits = 261;

std::u16string ItemText(HWND window, int id) {
    wchar_t buffer[NumberTextUnits] = {};
    const UINT length = GetDlgItemTextW(window, id, buffer, NumberTextUnits);
    return std::u16string(reinterpret_cast<const char16_t*>(buffer), length);
}

NamePiece ReadPiece(HWND window, int used, int box, int upper, int lower, int spacer) {
    NamePiece piece;
    piece.used = IsChecked(window, used);
    piece.uppercase = IsChecked(window, upper);
    piece.lowercase = IsChecked(window, lower);
    piece.spacer = IsChecked(window, spacer);
    piece.text = BoxText(GetDlgItem(window, box));
    return piece;
}

}  // namespace

bool IsChecked(HWND window, int controlId) {
    return SendDlgItemMessageW(window, controlId, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

RenameOptions ReadRenameOptions(HWND window, const AppSettings& settings) {
    RenameOptions options;
    options.fileNames = IsChecked(window, IDC_FILE_NAMES);
    options.extensions = IsChecked(window, IDC_EXTENSIONS);
    options.setDates = IsChecked(window, IDC_DATE);
    options.setAttributes = IsChecked(window, IDC_ATTRIBUTES);
    options.prefix = ReadPiece(window, IDC_PREFIX, IDC_PREFIX_BOX, IDC_PREFIX_UPPERCASE, IDC_PREFIX_LOWERCASE,
                               IDC_PREFIX_SPACER);
    options.suffix = ReadPiece(window, IDC_SUFFIX, IDC_SUFFIX_BOX, IDC_SUFFIX_UPPERCASE, IDC_SUFFIX_LOWERCASE,
                               IDC_SUFFIX_SPACER);
    options.spacer = settings.Spacer.str();
    options.zerosText = ItemText(window, IDC_ZEROS_EDIT);
    options.offsetText = ItemText(window, IDC_OFFSET_EDIT);
    options.keepName = IsChecked(window, IDC_KEEP_NAME);
    options.noNumber = IsChecked(window, IDC_NO_NUMBER);
    if (options.keepName) options.findReplace = ReadFindReplace(window);
    options.extensionUppercase = IsChecked(window, IDC_EXT_UPPERCASE);
    options.extensionLowercase = IsChecked(window, IDC_EXT_LOWERCASE);
    options.setCreated = IsChecked(window, IDC_DATE_CREATED);
    options.setModified = IsChecked(window, IDC_DATE_MODIFIED);
    options.setAccessed = IsChecked(window, IDC_DATE_ACCESSED);
    options.fileTime = settings.FileTime;
    options.attributes = ChosenAttributes(CaptureFlagWord(window, AttributeFlagControls()));
    return options;
}

std::vector<ExtensionMapping> ReadExtensionMap(HWND window) {
    std::vector<ExtensionMapping> map;
    for (ExtensionRow& row : win32::ReadExtensionRows(GetDlgItem(window, IDC_EXT_LIST)))
        map.push_back({row.checked, std::move(row.from), std::move(row.to)});
    return map;
}

}  // namespace qm
