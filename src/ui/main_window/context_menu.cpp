#include "ui/main_window/context_menu.h"

#include <string>

#include "app/process_records.h"
#include "resource_ids.h"
#include "ui/support/dialog_support.h"
#include "win32/controls/dialog_items.h"

namespace qm {

namespace {

enum class Place { RenameOptions, ExtensionOptions, FileDateOptions, AttributeOptions, TimestampOptions, Top };

enum class Kind {
    Toggle,     // check mark from the control; the choice flips it
    Select,     // one of the time-stamp radios; the choice selects it alone
    Command,    // no check mark; the choice only posts the command
    Separator,
};

struct MenuRow {
    Place place;
    int itemId;
    const wchar_t* text;
    int controlId;
    Kind kind;
};

constexpr MenuRow Separator(Place place) { return {place, 0, nullptr, 0, Kind::Separator}; }

// Menu order within each submenu. The presets follow from their labels.
constexpr MenuRow MenuRows[] = {
    {Place::RenameOptions, 1, L"Rename Files", IDC_FILE_NAMES, Kind::Toggle},
    Separator(Place::RenameOptions),
    {Place::RenameOptions, 2, L"Use Prefix", IDC_PREFIX, Kind::Toggle},
    {Place::RenameOptions, 3, L"Auto Prefix", IDC_PREFIX_AUTO, Kind::Toggle},
    {Place::RenameOptions, 4, L"Uppercase Prefix", IDC_PREFIX_UPPERCASE, Kind::Toggle},
    {Place::RenameOptions, 5, L"Lowercase Prefix", IDC_PREFIX_LOWERCASE, Kind::Toggle},
    {Place::RenameOptions, 6, L"Spacer After Prefix", IDC_PREFIX_SPACER, Kind::Toggle},
    Separator(Place::RenameOptions),
    {Place::RenameOptions, 7, L"Use Suffix", IDC_SUFFIX, Kind::Toggle},
    {Place::RenameOptions, 8, L"Auto Suffix", IDC_SUFFIX_AUTO, Kind::Toggle},
    {Place::RenameOptions, 9, L"Uppercase Suffix", IDC_SUFFIX_UPPERCASE, Kind::Toggle},
    {Place::RenameOptions, 10, L"Lowercase Suffix", IDC_SUFFIX_LOWERCASE, Kind::Toggle},
    {Place::RenameOptions, 11, L"Spacer After Suffix", IDC_SUFFIX_SPACER, Kind::Toggle},
    // Later additions come last, so that the older items keep their places.
    Separator(Place::RenameOptions),
    {Place::RenameOptions, 51, L"Keep Name", IDC_KEEP_NAME, Kind::Toggle},
    {Place::RenameOptions, 52, L"No Number", IDC_NO_NUMBER, Kind::Toggle},
    {Place::ExtensionOptions, 12, L"Rename Extensions", IDC_EXTENSIONS, Kind::Toggle},
    Separator(Place::ExtensionOptions),
    {Place::ExtensionOptions, 13, L"Uppercase", IDC_EXT_UPPERCASE, Kind::Toggle},
    {Place::ExtensionOptions, 14, L"Lowercase", IDC_EXT_LOWERCASE, Kind::Toggle},
    Separator(Place::ExtensionOptions),
    {Place::ExtensionOptions, 15, L"Add Extensions", IDC_EXT_ADD, Kind::Command},
    {Place::FileDateOptions, 16, L"Set Date", IDC_DATE, Kind::Toggle},
    Separator(Place::FileDateOptions),
    {Place::FileDateOptions, 17, L"Set Created Date", IDC_DATE_CREATED, Kind::Toggle},
    {Place::FileDateOptions, 18, L"Set Modified Date", IDC_DATE_MODIFIED, Kind::Toggle},
    {Place::FileDateOptions, 19, L"Set Accessed Date", IDC_DATE_ACCESSED, Kind::Toggle},
    {Place::FileDateOptions, 20, L"Auto Date", IDC_DATE_AUTO, Kind::Toggle},
    {Place::FileDateOptions, 55, L"Use Date Taken", IDC_DATE_TAKEN, Kind::Toggle},
    {Place::AttributeOptions, 21, L"Set Attributes", IDC_ATTRIBUTES, Kind::Toggle},
    Separator(Place::AttributeOptions),
    {Place::AttributeOptions, 22, L"Read Only", IDC_READ_ONLY, Kind::Toggle},
    {Place::AttributeOptions, 23, L"Hidden", IDC_HIDDEN, Kind::Toggle},
    {Place::AttributeOptions, 24, L"System", IDC_SYSTEM, Kind::Toggle},
    {Place::AttributeOptions, 25, L"Archive", IDC_ARCHIVE, Kind::Toggle},
    {Place::TimestampOptions, 26, L"Unix Timestamp", IDC_STAMP_UNIX, Kind::Select},
    {Place::TimestampOptions, 27, L"Win32 Timestamp", IDC_STAMP_WIN32, Kind::Select},
    {Place::TimestampOptions, 28, L"Current Timestamp", IDC_STAMP_CURRENT, Kind::Select},
    {Place::TimestampOptions, 29, L"Preset Timestamp", IDC_STAMP_PRESET, Kind::Select},
    {Place::TimestampOptions, 54, L"Taken Timestamp", IDC_STAMP_TAKEN, Kind::Select},
    {Place::Top, 30, L"Add Files", IDC_ADD, Kind::Command},
    {Place::Top, 31, L"Always On Top", IDC_ALWAYS_ON_TOP, Kind::Toggle},
    {Place::Top, 32, L"Transparent", IDC_TRANSPARENT, Kind::Toggle},
    {Place::Top, 33, L"Settings", IDC_SETTINGS_BUTTON, Kind::Command},
    {Place::Top, 34, L"Help", IDC_HELP_BUTTON, Kind::Command},
    {Place::Top, 35, L"About", IDC_PICTURE, Kind::Command},
    Separator(Place::Top),
    {Place::Top, 53, L"Add Folder", IDC_ADD_FOLDER, Kind::Command},
};

// The submenus in their top-level order; "Presets" comes after the five.
constexpr const wchar_t* SubmenuTitles[] = {L"Rename Options", L"Extension Options", L"File Date Options",
                                            L"Attribute Options", L"Timestamp Options"};
constexpr const wchar_t* PresetsTitle = L"Presets";

constexpr int FirstPresetItem = 36;
constexpr int TimestampRadios[] = {IDC_STAMP_UNIX, IDC_STAMP_WIN32, IDC_STAMP_CURRENT, IDC_STAMP_PRESET,
                                   IDC_STAMP_TAKEN};

int PresetButtonId(int slot) { return slot == 0 ? IDC_PRESET_1 : IDC_PRESET_2 + slot - 1; }

void AppendRow(HMENU menu, HWND mainWindow, const MenuRow& row) {
    if (row.kind == Kind::Separator) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        return;
    }
    const bool checkMark = row.kind != Kind::Command && IsChecked(mainWindow, row.controlId);
    AppendMenuW(menu, MF_STRING | (checkMark ? MF_CHECKED : MF_UNCHECKED), row.itemId, row.text);
}

// A menu would take "&" as the mark of an access key; the label shows it as
// typed, as the preset's tooltip does.
std::wstring MenuTextOf(std::u16string_view label) {
    std::wstring text;
    for (char16_t unit : label) {
        if (unit == u'&') text.push_back(L'&');
        text.push_back(static_cast<wchar_t>(unit));
    }
    return text;
}

HMENU BuildPresetsMenu() {
    HMENU menu = CreatePopupMenu();
    for (int slot = 0; slot < PresetCount; ++slot)
        AppendMenuW(menu, MF_STRING, FirstPresetItem + slot, MenuTextOf(Presets()[slot].label.view()).c_str());
    return menu;
}

const MenuRow* FindRow(int itemId) {
    for (const MenuRow& row : MenuRows) {
        if (row.kind != Kind::Separator && row.itemId == itemId) return &row;
    }
    return nullptr;
}

}  // namespace

HMENU BuildFileListMenu(HWND mainWindow) {
    HMENU top = CreatePopupMenu();
    for (int place = 0; place < static_cast<int>(std::size(SubmenuTitles)); ++place) {
        HMENU submenu = CreatePopupMenu();
        for (const MenuRow& row : MenuRows) {
            if (static_cast<int>(row.place) == place) AppendRow(submenu, mainWindow, row);
        }
        AppendMenuW(top, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu), SubmenuTitles[place]);
    }
    AppendMenuW(top, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(BuildPresetsMenu()), PresetsTitle);
    for (const MenuRow& row : MenuRows) {
        if (row.place == Place::Top) AppendRow(top, mainWindow, row);
    }
    return top;
}

void ActOnFileListMenuChoice(HWND mainWindow, int itemId) {
    int controlId = 0;
    if (itemId >= FirstPresetItem && itemId < FirstPresetItem + PresetCount) {
        controlId = PresetButtonId(itemId - FirstPresetItem);
    } else if (const MenuRow* row = FindRow(itemId)) {
        controlId = row->controlId;
        if (row->kind == Kind::Toggle) {
            win32::SendDialogItem(mainWindow, controlId, BM_SETCHECK,
                                IsChecked(mainWindow, controlId) ? BST_UNCHECKED : BST_CHECKED, 0);
        } else if (row->kind == Kind::Select) {
            for (int radio : TimestampRadios)
                win32::SendDialogItem(mainWindow, radio, BM_SETCHECK, radio == controlId ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
    if (controlId != 0) PostMessageW(mainWindow, WM_COMMAND, static_cast<WPARAM>(controlId), 0);
}

void ShowFileListMenu(HWND mainWindow) {
    HMENU menu = BuildFileListMenu(mainWindow);
    POINT pointer{};
    GetCursorPos(&pointer);
    const int chosen = static_cast<int>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_BOTTOMALIGN, pointer.x, pointer.y,
                                                       0, mainWindow, nullptr));
    DestroyMenu(menu);  // with its submenus
    ActOnFileListMenuChoice(mainWindow, chosen);
}

}  // namespace qm
