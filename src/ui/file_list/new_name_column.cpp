#include "ui/file_list/new_name_column.h"

#include <windowsx.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "app/private_commands.h"
#include "app/process_records.h"
#include "core/naming/new_name.h"
#include "core/run/run_prediction.h"
#include "resource_ids.h"
#include "ui/file_list/file_list_view.h"
#include "ui/file_list/main_window_state.h"
#include "ui/options/rename_options_reader.h"
#include "win32/controls/dialog_items.h"
#include "win32/files/platform_file_system.h"

namespace qm {

namespace {

// Up to this many rows the clash pass runs with every change; above it, once
// the changes pause, so that typing never waits for it.
constexpr std::size_t ImmediateRows = 5000;
constexpr UINT PauseMilliseconds = 400;
constexpr COLORREF Red = RGB(220, 0, 0);
constexpr UINT_PTR TipSubclass = 0x4E4E;

HWND FileList(HWND window) { return win32::DialogItem(window, IDC_FILE_LIST); }

void ReadRows(HWND window, MainWindowState& state) {
    NewNameColumnState& c = state.newNames;
    c.rows = TakingPartRows(state.files.size(), SelectedRows(FileList(window)));
    c.slotOfRow.assign(state.files.size(), NameIndex::None);
    for (std::size_t slot = 0; slot < c.rows.size(); ++slot)
        if (c.rows[slot] < state.files.size()) c.slotOfRow[c.rows[slot]] = static_cast<std::uint32_t>(slot);
    c.rowsCurrent = true;
}

void ReadListings(MainWindowState& state) {
    win32::PlatformFileSystem files;
    state.newNames.listings = ReadFolderListings(state.files, TakingPartRows(state.files.size(), {}), files);
    state.newNames.listingsRead = true;
}

std::uint32_t SlotOf(const NewNameColumnState& c, std::size_t row) {
    return row < c.slotOfRow.size() ? c.slotOfRow[row] : NameIndex::None;
}

RunRowOutcome RunMark(const NewNameColumnState& c, std::size_t row) {
    return row < c.runMarks.size() ? c.runMarks[row] : RunRowOutcome::Done;
}

// "From List": why the list gives the row at `slot` no name; empty when it does.
std::u16string ListReason(const NewNameColumnState& c, std::size_t slot) {
    if (!c.plan.fileNames || !c.plan.list) return {};
    if (!ListedName(c.plan, slot)) return u"no name in the list";
    const NameList& list = *c.plan.list;
    if (list.problem != NameListProblem::None && c.plan.listOffset + slot + 1 == list.problemLine)
        return NameListMessage(list);
    return {};
}

bool IsRed(const NewNameColumnState& c, std::size_t row) {
    const std::uint32_t slot = SlotOf(c, row);
    if (slot == NameIndex::None) return false;
    if (RunMark(c, row) != RunRowOutcome::Done) return true;
    if (!ListReason(c, slot).empty()) return true;
    return c.predictionCurrent && slot < c.predicted.size() && c.predicted[slot].outcome != RunRowOutcome::Done;
}

// Why "Find and replace" cannot make the names, for the heading: a pattern
// that does not compile, or a match too complex for one of the names.
NameProblem FindReplaceProblem(const NewNameColumnState& c, const FileTable& files) {
    const bool kept = c.options.keepName || c.options.fromList;
    if (!c.options.fileNames || !kept || !c.options.findReplace.regex) return NameProblem::None;
    std::vector<std::u16string_view> names;
    names.reserve(c.rows.size());
    for (const std::size_t row : c.rows)
        if (row < files.size()) names.push_back(files[row].name);
    const NameProblem problem = CheckNames(c.plan, names).problem;
    return problem == NameProblem::NameList ? NameProblem::None : problem;  // the rows show the list's own
}

// The words of the heading, one per reason a name fails, in the order shown;
// the tips name the same reasons at length.
enum class HeadingReason { Clash, NotAllowed, Refused, TooLong, HeldOpen, NotFound, ListedTwice, TwoFilesFit, NotRecorded, Count };
constexpr const wchar_t* HeadingWords[] = {L"clash",    L"not allowed", L"refused",      L"too long",
                                           L"held open", L"not found",  L"listed twice", L"two files fit",
                                           L"not recorded"};
static_assert(std::size(HeadingWords) == static_cast<std::size_t>(HeadingReason::Count));

// A mark of the last run says what happened; a prediction what would.
HeadingReason ReasonOf(RunRowOutcome outcome, bool ofTheRun) {
    switch (outcome) {
        case RunRowOutcome::NameTaken: return HeadingReason::Clash;
        case RunRowOutcome::MoveRefused: return ofTheRun ? HeadingReason::Refused : HeadingReason::NotAllowed;
        case RunRowOutcome::PathTooLong: return HeadingReason::TooLong;
        case RunRowOutcome::NotOpened: return ofTheRun ? HeadingReason::HeldOpen : HeadingReason::NotFound;
        case RunRowOutcome::NotFound: return HeadingReason::NotFound;
        case RunRowOutcome::MovedThisRun: return HeadingReason::ListedTwice;
        case RunRowOutcome::TwoFilesFit: return HeadingReason::TwoFilesFit;
        case RunRowOutcome::NotRecorded:
        case RunRowOutcome::Done: break;
    }
    return HeadingReason::NotRecorded;
}

// " (1 clash, 13 not allowed)": the red names counted by reason; empty without any.
std::wstring RedCounts(const NewNameColumnState& c) {
    std::size_t counts[static_cast<std::size_t>(HeadingReason::Count)] = {};
    for (const std::size_t row : c.rows) {
        if (!IsRed(c, row)) continue;
        const RunRowOutcome mark = RunMark(c, row);
        const bool ofTheRun = mark != RunRowOutcome::Done;
        ++counts[static_cast<std::size_t>(ReasonOf(ofTheRun ? mark : c.predicted[SlotOf(c, row)].outcome, ofTheRun))];
    }
    std::wstring text;
    for (std::size_t reason = 0; reason < std::size(counts); ++reason)
        if (counts[reason] > 0)
            text += (text.empty() ? L" (" : L", ") + std::to_wstring(counts[reason]) + L" " + HeadingWords[reason];
    return text.empty() ? text : text + L")";
}

void ShowClashCount(HWND window, NewNameColumnState& c, const FileTable& files) {
    const NameProblem problem = FindReplaceProblem(c, files);
    std::wstring caption = L"New Name";
    if (problem == NameProblem::InvalidPattern) caption += L" (pattern not valid)";
    if (problem == NameProblem::TooComplex) caption += L" (pattern too complex)";
    caption += RedCounts(c);
    if (caption == c.shownHeading) return;
    c.shownHeading = caption;
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = caption.data();
    SendMessageW(FileList(window), LVM_SETCOLUMNW, NewNameColumn, reinterpret_cast<LPARAM>(&column));
}

void RunPass(HWND window, MainWindowState& state) {
    NewNameColumnState& c = state.newNames;
    KillTimer(window, NewNameTimer);
    if (!c.listingsRead) ReadListings(state);
    c.predicted = PredictRun(state.files, c.rows, c.plan, c.listings);
    c.predictionCurrent = true;
    ShowClashCount(window, c, state.files);
    InvalidateRect(FileList(window), nullptr, FALSE);
}

// Rows added or removed without a change being followed (the list is
// filled from elsewhere): the column catches up when it is next drawn.
void CatchUp(HWND window, MainWindowState& state) {
    if (state.newNames.rowsCurrent && state.newNames.slotOfRow.size() == state.files.size()) return;
    FollowNewNames(window, NewNamesChange::List);
}

std::u16string RunReason(RunRowOutcome outcome) {
    switch (outcome) {
        case RunRowOutcome::NameTaken: return u"name taken";
        case RunRowOutcome::NotOpened: return u"held open by another program";
        case RunRowOutcome::PathTooLong: return u"path too long";
        case RunRowOutcome::MoveRefused: return u"name refused";
        case RunRowOutcome::MovedThisRun: return u"listed twice";
        case RunRowOutcome::NotRecorded: return u"journal could not be written";
        case RunRowOutcome::NotFound: return u"file at neither its name nor its new one";
        case RunRowOutcome::TwoFilesFit: return u"two files fit it: left alone";
        case RunRowOutcome::Done: break;
    }
    return {};
}

std::u16string PredictedReason(const PredictedRow& p) {
    switch (p.outcome) {
        case RunRowOutcome::NameTaken: return u"taken by " + p.takenBy;
        case RunRowOutcome::NotOpened: return u"file not found";
        case RunRowOutcome::PathTooLong: return u"path too long";
        case RunRowOutcome::MoveRefused: return u"name not allowed";
        case RunRowOutcome::MovedThisRun: return u"listed twice";
        case RunRowOutcome::NotRecorded:
        case RunRowOutcome::NotFound:
        case RunRowOutcome::TwoFilesFit:
        case RunRowOutcome::Done: break;
    }
    return {};
}

// The tip: a tracking tool shown where the mouse rests on a red name.
struct TipState {
    HWND tip = nullptr;
    int row = -1;
};

TOOLINFOW Tool(HWND list) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = list;
    tool.uId = 1;
    return tool;
}

void HideTip(HWND list, TipState& state) {
    if (state.row < 0) return;
    TOOLINFOW tool = Tool(list);
    SendMessageW(state.tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    state.row = -1;
}

int NewNameRowAt(HWND list, POINT at) {
    LVHITTESTINFO hit{};
    hit.pt = at;
    SendMessageW(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    return hit.iItem >= 0 && hit.iSubItem == NewNameColumn ? hit.iItem : -1;
}

void ShowTip(HWND list, TipState& state, POINT at) {
    const int row = NewNameRowAt(list, at);
    std::u16string text = row >= 0 ? NewNameTip(GetParent(list), static_cast<std::size_t>(row)) : std::u16string();
    TOOLINFOW tool = Tool(list);
    tool.lpszText = reinterpret_cast<wchar_t*>(text.data());
    SendMessageW(state.tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    if (text.empty()) {
        HideTip(list, state);
        return;
    }
    ClientToScreen(list, &at);
    SendMessageW(state.tip, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x + 12, at.y + 18));
    SendMessageW(state.tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    state.row = row;
}

LRESULT CALLBACK TipProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    TipState& state = *reinterpret_cast<TipState*>(data);
    switch (message) {
        case WM_MOUSEMOVE: {
            const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (state.row >= 0 && NewNameRowAt(list, at) != state.row) HideTip(list, state);
            TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, list, HOVER_DEFAULT};
            TrackMouseEvent(&track);
            break;
        }
        case WM_MOUSEHOVER:
            ShowTip(list, state, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            break;
        case WM_MOUSELEAVE:
        case WM_MOUSEWHEEL:
        case WM_VSCROLL:
        case WM_KEYDOWN:
            HideTip(list, state);
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(list, TipProc, TipSubclass);
            delete &state;
            break;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

}  // namespace

void SetUpNewNameColumn(HWND list, int width) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<wchar_t*>(L"New Name");
    column.cx = width;
    SendMessageW(list, LVM_INSERTCOLUMNW, NewNameColumn, reinterpret_cast<LPARAM>(&column));
    int order[NewNameColumn + 1] = {0, NewNameColumn};
    for (int i = 1; i < NewNameColumn; ++i) order[i + 1] = i;
    SendMessageW(list, LVM_SETCOLUMNORDERARRAY, NewNameColumn + 1, reinterpret_cast<LPARAM>(order));
}

void MakeNewNameTip(HWND list) {
    auto* state = new TipState;
    state->tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, GetParent(list), nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    TOOLINFOW tool = Tool(list);
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(state->tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SetWindowSubclass(list, TipProc, TipSubclass, reinterpret_cast<DWORD_PTR>(state));
}

std::vector<std::u16string> NewNamesOfRows(HWND window) {
    MainWindowState* state = FindMainWindowState(window);
    if (!state) return {};
    CatchUp(window, *state);
    NewNameColumnState& c = state->newNames;
    if (!c.predictionCurrent) RunPass(window, *state);
    std::vector<std::u16string> names(state->files.size());
    for (std::size_t slot = 0; slot < c.rows.size() && slot < c.predicted.size(); ++slot)
        if (c.rows[slot] < names.size()) names[c.rows[slot]] = c.predicted[slot].newName;
    return names;
}

NewNamesChange ChangeOfCommand(int id) {
    switch (id) {
        case IDC_START:
        case IDC_UNDO:
        case IDC_ADD:
        case IDC_ADD_FOLDER:
        case static_cast<int>(CmdTakeOutsidePaths): return NewNamesChange::Files;
        case static_cast<int>(CmdDatesTaken): return NewNamesChange::DatesTaken;
        case IDC_CLEAR:
        case IDC_ROW_UP:
        case IDC_ROW_DOWN: return NewNamesChange::List;
        default: return NewNamesChange::Options;
    }
}

void FollowNewNames(HWND window, NewNamesChange change) {
    MainWindowState* state = FindMainWindowState(window);
    if (!state) return;
    NewNameColumnState& c = state->newNames;
    // Marks made by the command being followed stay; any later change ends them.
    const bool keepMarks = c.runMarksFresh;
    c.runMarksFresh = false;
    bool changed = false;
    if (change == NewNamesChange::Files || change == NewNamesChange::Activated) {
        c.listingsRead = false;
        changed = true;
    }
    if ((change == NewNamesChange::List || change == NewNamesChange::Files) && !keepMarks) c.runMarks.clear();
    if (change == NewNamesChange::Selection || change == NewNamesChange::List || change == NewNamesChange::Files)
        c.rowsCurrent = false;
    // Rows added by a way this column was not told of: their folders are new.
    if (state->files.size() > c.slotOfRow.size()) c.listingsRead = false;
    if (!c.rowsCurrent || c.slotOfRow.size() != state->files.size()) {
        ReadRows(window, *state);
        changed = true;
    }
    RenameOptions options = ReadRunOptions(window, Settings());
    NamePlan plan = PlanNames(options);
    // The same pattern over the same rows keeps its replacer, and with it what
    // it found too complex: a keystroke's several notices match the names once.
    if (!changed && plan.replacer && c.plan.replacer && plan.replacer->options() == c.plan.replacer->options())
        plan.replacer = c.plan.replacer;
    if (!c.planRead || !(plan == c.plan)) {
        if (c.planRead && !keepMarks) c.runMarks.clear();
        c.plan = std::move(plan);
        c.planRead = true;
        changed = true;
    }
    c.options = std::move(options);
    if (change == NewNamesChange::DatesTaken && c.plan.fileNames && c.plan.takesStamps()) changed = true;
    if (!changed) return;

    c.predictionCurrent = false;
    if (state->files.size() <= ImmediateRows) {
        RunPass(window, *state);
    } else {
        // The rows in view are drawn at once with the numbers they would
        // get if no row failed; the pass corrects them when typing pauses.
        c.numbers = NumbersIfNoneFails(state->files, c.rows, c.plan);
        SetTimer(window, NewNameTimer, PauseMilliseconds, nullptr);
        InvalidateRect(FileList(window), nullptr, FALSE);
    }
}

void NoteRunOutcomes(HWND window, const std::vector<std::size_t>& rows, const std::vector<RunRowOutcome>& outcomes) {
    MainWindowState* state = FindMainWindowState(window);
    if (!state) return;
    NewNameColumnState& c = state->newNames;
    c.runMarks.assign(state->files.size(), RunRowOutcome::Done);
    for (std::size_t i = 0; i < rows.size() && i < outcomes.size(); ++i)
        if (rows[i] < c.runMarks.size()) c.runMarks[rows[i]] = outcomes[i];
    c.runMarksFresh = true;
}

void OnNewNamesTimer(HWND window) {
    KillTimer(window, NewNameTimer);
    if (MainWindowState* state = FindMainWindowState(window)) RunPass(window, *state);
}

void FillNewNameText(HWND window, NMLVDISPINFOW& info) {
    LVITEMW& item = info.item;
    if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
    item.pszText[0] = L'\0';
    MainWindowState* state = FindMainWindowState(window);
    if (!state || item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= state->files.size()) return;
    CatchUp(window, *state);
    const NewNameColumnState& c = state->newNames;
    const auto row = static_cast<std::size_t>(item.iItem);
    const std::uint32_t slot = SlotOf(c, row);
    if (slot == NameIndex::None) return;
    std::u16string provisional;
    std::u16string_view text;
    if (c.plan.fileNames && c.plan.list && !ListedName(c.plan, slot)) {
        text = u"no name in the list";
    } else if (c.predictionCurrent && slot < c.predicted.size()) {
        text = c.predicted[slot].newName;
    } else {
        const std::uint32_t number = slot < c.numbers.size() ? c.numbers[slot] : c.plan.firstNumber;
        provisional = NewNameOfRow(c.plan, state->files[row], state->files[row].name, number, slot);
        text = provisional;
    }
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(item.cchTextMax - 1));
    std::copy_n(text.data(), n, reinterpret_cast<char16_t*>(item.pszText));
    item.pszText[n] = L'\0';
}

LRESULT DrawNewNames(HWND window, NMLVCUSTOMDRAW& draw) {
    switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT: return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT: {
            // Only a red row is drawn cell by cell.
            const MainWindowState* state = FindMainWindowState(window);
            const bool red = state && IsRed(state->newNames, static_cast<std::size_t>(draw.nmcd.dwItemSpec));
            return red ? CDRF_NOTIFYSUBITEMDRAW : CDRF_DODEFAULT;
        }
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
            const bool red = draw.iSubItem == NewNameColumn;
            draw.clrText = red ? Red : static_cast<COLORREF>(SendMessageW(draw.nmcd.hdr.hwndFrom, LVM_GETTEXTCOLOR, 0, 0));
            return CDRF_NEWFONT;
        }
        default: return CDRF_DODEFAULT;
    }
}

std::u16string NewNameTip(HWND window, std::size_t row) {
    const MainWindowState* state = FindMainWindowState(window);
    if (!state) return {};
    const NewNameColumnState& c = state->newNames;
    const std::uint32_t slot = SlotOf(c, row);
    if (slot == NameIndex::None) return {};
    if (const RunRowOutcome mark = RunMark(c, row); mark != RunRowOutcome::Done) return RunReason(mark);
    if (std::u16string reason = ListReason(c, slot); !reason.empty()) return reason;
    if (c.predictionCurrent && slot < c.predicted.size() && c.predicted[slot].outcome != RunRowOutcome::Done)
        return PredictedReason(c.predicted[slot]);
    // A "Taken" stamp falls back on the modified time: the name says no date then.
    if (c.plan.fileNames && c.plan.takesStamps() && row < state->files.size() && !state->files[row].taken)
        return state->files[row].takenTicket != 0 ? u"date taken not read yet: modified time used for now"
                                                  : u"no date taken: modified time used";
    return {};
}

}  // namespace qm
