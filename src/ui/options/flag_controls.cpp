#include "ui/options/flag_controls.h"

#include <vector>

#include "core/settings/flags.h"
#include "resource_ids.h"
#include "ui/support/dialog_support.h"
#include "win32/controls/dialog_items.h"
#include "win32/controls/radio_check.h"

namespace qm {

namespace {

bool IsRadioButton(HWND button) {
    const auto type = GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON;
}

constexpr FlagControl mainControl[] = {
    {IDC_FILE_NAMES, MainControl::FileNames},
    {IDC_EXTENSIONS, MainControl::Extensions},
    {IDC_DATE, MainControl::Date},
    {IDC_ATTRIBUTES, MainControl::Attributes},
};

constexpr FlagControl rename[] = {
    {IDC_PREFIX, Rename::Prefix},
    {IDC_PREFIX_AUTO, Rename::PrefixAuto},
    {IDC_PREFIX_UPPERCASE, Rename::PrefixUppercase},
    {IDC_PREFIX_LOWERCASE, Rename::PrefixLowercase},
    {IDC_SUFFIX, Rename::Suffix},
    {IDC_SUFFIX_AUTO, Rename::SuffixAuto},
    {IDC_SUFFIX_UPPERCASE, Rename::SuffixUppercase},
    {IDC_SUFFIX_LOWERCASE, Rename::SuffixLowercase},
    {IDC_PREFIX_SPACER, Rename::PrefixSpacer},
    {IDC_SUFFIX_SPACER, Rename::SuffixSpacer},
    {IDC_STAMP_UNIX, Rename::StampUnix},
    {IDC_STAMP_WIN32, Rename::StampWin32},
    {IDC_STAMP_CURRENT, Rename::StampCurrent},
    {IDC_STAMP_PRESET, Rename::StampPreset},
    {IDC_STAMP_TAKEN, Rename::StampTaken},
    {IDC_KEEP_NAME, Rename::KeepName},
    {IDC_NO_NUMBER, Rename::NoNumber},
    {IDC_FIND_REGEX, Rename::FindRegex},
    {IDC_FIND_MATCH_CASE, Rename::FindMatchCase},
    {IDC_PER_FOLDER, Rename::PerFolder},
    {IDC_PREFIX_FOLDER, Rename::PrefixFolder},
    {IDC_SUFFIX_FOLDER, Rename::SuffixFolder},
    {IDC_FROM_LIST, Rename::FromList},
};

constexpr FlagControl dateTime[] = {
    {IDC_DATE_AUTO, DateTime::Auto},
    {IDC_DATE_CREATED, DateTime::Created},
    {IDC_DATE_MODIFIED, DateTime::Modified},
    {IDC_DATE_ACCESSED, DateTime::Accessed},
    {IDC_DATE_TAKEN, DateTime::Taken},
};

constexpr FlagControl attribute[] = {
    {IDC_READ_ONLY, Attribute::ReadOnly},
    {IDC_HIDDEN, Attribute::Hidden},
    {IDC_SYSTEM, Attribute::System},
    {IDC_ARCHIVE, Attribute::Archive},
};

constexpr FlagControl extension[] = {
    {IDC_EXT_UPPERCASE, Extension::Uppercase},
    {IDC_EXT_LOWERCASE, Extension::Lowercase},
};

constexpr FlagControl general[] = {
    {IDC_ALWAYS_ON_TOP, General::AlwaysOnTop},
    {IDC_TRANSPARENT, General::Transparent},
};

}  // namespace

std::span<const FlagControl> MainControlFlagControls() { return mainControl; }
std::span<const FlagControl> RenameFlagControls() { return rename; }
std::span<const FlagControl> DateTimeFlagControls() { return dateTime; }
std::span<const FlagControl> AttributeFlagControls() { return attribute; }
std::span<const FlagControl> ExtensionFlagControls() { return extension; }
std::span<const FlagControl> GeneralFlagControls() { return general; }

void ApplyFlagWord(HWND window, std::span<const FlagControl> controls, std::uint32_t word,
                   bool clearOthers) {
    // Under Wine each look-up of a control by its identifier asks the server: once a control.
    std::vector<HWND> buttons;
    buttons.reserve(controls.size());
    // Of the radio buttons whose bits are set (a stored word may hold more
    // than one), the last is the one checked, as when each checks in turn.
    HWND checkedRadio = nullptr;
    for (const FlagControl& control : controls) {
        buttons.push_back(win32::DialogItem(window, control.controlId));
        if ((word & control.bit) != 0 && IsRadioButton(buttons.back())) checkedRadio = buttons.back();
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        HWND button = buttons[i];
        const bool radio = IsRadioButton(button);
        const bool set = radio ? button == checkedRadio : (word & controls[i].bit) != 0;
        const bool uncheckedRadio = radio && checkedRadio && SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED;
        if (set && radio)
            win32::CheckRadioButtonAlone(button);
        else if (set || clearOthers || uncheckedRadio)
            SendMessageW(button, BM_SETCHECK, set ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

std::uint32_t CaptureFlagWord(HWND window, std::span<const FlagControl> controls) {
    std::uint32_t word = 0;
    for (const FlagControl& control : controls) {
        if (IsChecked(window, control.controlId))
            word |= control.bit;
    }
    return word;
}

}  // namespace qm
