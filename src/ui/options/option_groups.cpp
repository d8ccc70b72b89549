#include "ui/options/option_groups.h"

#include <span>

#include "resource_ids.h"
#include "ui/options/history_box.h"
#include "ui/options/red_frames.h"
#include "ui/support/dialog_support.h"
#include "win32/controls/dialog_items.h"

namespace qm {

namespace {

constexpr int FileNameControls[] = {1015, 1016, 1017, 1018, 1019, 1020, 1021, 1022,
                                    1023, 1024, 1025, 1026, 1027, 1028, 1029, 1030,
                                    IDC_ZEROS_LABEL, IDC_OFFSET_LABEL, IDC_STAMP_UNIX, IDC_STAMP_WIN32,
                                    IDC_STAMP_CURRENT, IDC_STAMP_PRESET, IDC_KEEP_NAME, IDC_NO_NUMBER,
                                    IDC_STAMP_TAKEN, IDC_STEP_EDIT, IDC_STEP_UPDOWN, IDC_STEP_LABEL,
                                    IDC_PER_FOLDER, IDC_PREFIX_FOLDER, IDC_SUFFIX_FOLDER,
                                    IDC_NAME_CASE, IDC_FROM_LIST, IDC_FROM_LIST_PICK};
// "Find and replace" acts on the kept or listed name: it follows "Keep Name"
// and "From List", within "File Names".
constexpr int FindReplaceControls[] = {IDC_FIND_LABEL,  IDC_FIND_BOX,   IDC_REPLACE_LABEL,
                                       IDC_REPLACE_BOX, IDC_FIND_REGEX, IDC_FIND_MATCH_CASE};
constexpr int ExtensionControls[] = {1074, 1075, 1076, 1077, 1078, 1079, IDC_EXT_LIST};
constexpr int DateControls[] = {IDC_DATE_PICKER, IDC_CURRENT_TIME, IDC_DATE_CREATED,
                                IDC_DATE_MODIFIED, IDC_DATE_ACCESSED, IDC_DATE_AUTO, IDC_DATE_TAKEN};
constexpr int AttributeControls[] = {IDC_READ_ONLY, IDC_HIDDEN, IDC_SYSTEM, IDC_ARCHIVE};

struct FrameOfGroup {
    int frameId;
    int autoBoxId;
};

struct OptionGroup {
    int number;
    int governingBox;
    std::span<const int> controls;
    std::span<const FrameOfGroup> frames;
    int withinGroup = 0;  // a group inside another: enabled only while that one is too
    int withinBox = 0;
    int orBox = 0;  // a second box that enables the group as well
};

constexpr FrameOfGroup FileNameFrames[] = {{IDC_PREFIX_FRAME, IDC_PREFIX_AUTO}, {IDC_SUFFIX_FRAME, IDC_SUFFIX_AUTO}};
constexpr FrameOfGroup DateFrames[] = {{IDC_DATE_FRAME, IDC_DATE_AUTO}};

constexpr OptionGroup Groups[] = {
    {2, IDC_FILE_NAMES, FileNameControls, FileNameFrames},
    {3, IDC_EXTENSIONS, ExtensionControls, {}},
    {4, IDC_DATE, DateControls, DateFrames},
    {5, IDC_ATTRIBUTES, AttributeControls, {}},
    {FindReplaceGroup, IDC_KEEP_NAME, FindReplaceControls, {}, 2, IDC_FILE_NAMES, IDC_FROM_LIST},
};

struct CasePair {
    int upper;
    int lower;
};
constexpr CasePair CasePairs[] = {{IDC_PREFIX_UPPERCASE, IDC_PREFIX_LOWERCASE},
                                  {IDC_SUFFIX_UPPERCASE, IDC_SUFFIX_LOWERCASE},
                                  {IDC_EXT_UPPERCASE, IDC_EXT_LOWERCASE},
                                  {IDC_KEEP_NAME, IDC_FROM_LIST}};  // not a case, but exclusive alike

// "Auto" and "Folder" of one side: the prefix is either a stamp or the folder's name.
struct AutoAndFolder {
    int autoBox;
    int folderBox;
};
constexpr AutoAndFolder AutoAndFolderPairs[] = {{IDC_PREFIX_AUTO, IDC_PREFIX_FOLDER},
                                                {IDC_SUFFIX_AUTO, IDC_SUFFIX_FOLDER}};

// The newest history entry goes back into the box, or nothing when there is none.
void ShowNewestEntry(HWND box) { SetBoxText(box, HistoryEntry(box, 0)); }

}  // namespace

void EnableOptionGroups(HWND window, int group) {
    for (const OptionGroup& g : Groups) {
        if (group != 1 && group != g.number && group != g.withinGroup) continue;
        const bool governed = IsChecked(window, g.governingBox) || (g.orBox != 0 && IsChecked(window, g.orBox));
        const bool enabled = governed && (g.withinBox == 0 || IsChecked(window, g.withinBox));
        for (int id : g.controls) {
            // Disabling a disabled control still costs the system a round trip
            // (it cancels any mode the control may be in); the template makes
            // the controls that the defaults disable disabled already.
            HWND control = win32::DialogItem(window, id);
            if ((IsWindowEnabled(control) != FALSE) != enabled) EnableWindow(control, enabled);
        }
        for (const FrameOfGroup& frame : g.frames)
            if (IsChecked(window, frame.autoBoxId)) ShowRedFrame(window, frame.frameId, enabled);
    }
}

void OnAutoBoxClicked(HWND window, int autoBoxId) {
    for (const AutoAndFolder& pair : AutoAndFolderPairs)
        if (pair.autoBox == autoBoxId && IsChecked(window, autoBoxId))
            win32::SendDialogItem(window, pair.folderBox, BM_SETCHECK, BST_UNCHECKED, 0);
    for (const RedFrame& f : RedFrames) {
        if (f.autoBoxId != autoBoxId) continue;
        if (autoBoxId != IDC_DATE_AUTO) ShowNewestEntry(win32::DialogItem(window, f.targetId));
        ShowRedFrame(window, f.frameId, IsChecked(window, autoBoxId));
    }
}

void OnFolderBoxClicked(HWND window, int folderBoxId) {
    for (const AutoAndFolder& pair : AutoAndFolderPairs) {
        if (pair.folderBox != folderBoxId || !IsChecked(window, folderBoxId) || !IsChecked(window, pair.autoBox)) continue;
        // As a click that turns "Auto" off: its red frame goes, the newest typed text comes back.
        win32::SendDialogItem(window, pair.autoBox, BM_SETCHECK, BST_UNCHECKED, 0);
        OnAutoBoxClicked(window, pair.autoBox);
    }
}

void OnCaseBoxClicked(HWND window, int caseBoxId) {
    for (const CasePair& pair : CasePairs) {
        const int other = caseBoxId == pair.upper ? pair.lower : caseBoxId == pair.lower ? pair.upper : 0;
        if (other != 0 && IsChecked(window, other)) win32::SendDialogItem(window, other, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

}  // namespace qm
