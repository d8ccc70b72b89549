#include "ui/file_commands/add_folder.h"

#include <shobjidl.h>

#include <string>
#include <vector>

#include "app/process_records.h"
#include "core/run/progress_text.h"
#include "core/settings/folder_filters.h"
#include "core/text/name_patterns.h"
#include "resource_ids.h"
#include "ui/file_list/file_list_view.h"
#include "ui/file_commands/file_work.h"
#include "ui/file_list/main_window_state.h"
#include "win32/controls/check_box_fit.h"
#include "win32/locale/clock.h"
#include "win32/message_box.h"
#include "win32/files/platform_file_system.h"
#include "win32/controls/dialog_items.h"

namespace qm {

namespace {

constexpr DWORD IncludeSubfoldersId = 1;
constexpr DWORD IncludeHiddenId = 2;
constexpr DWORD FilesGroupId = 3;
constexpr DWORD FilesBoxId = 4;
constexpr DWORD RecentGroupId = 5;
constexpr DWORD RecentListId = 6;

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// A COM interface pointer released when it goes.
template <class T>
struct ComPtr {
    T* p = nullptr;
    ~ComPtr() {
        if (p) p->Release();
    }
    T* operator->() const { return p; }
};

struct PickedFolder {
    std::u16string path;
    bool subfolders = true;
    bool hiddenAndSystem = false;
    std::vector<std::u16string> filters;  // offered, newest first; the first is in the "Files" box
    std::u16string filter;                // the "Files" box's text when the folder was chosen
};

// The picker's own controls cannot drop a list from an edit box: a choice in
// "Recent" puts that filter into the "Files" box. Also sees that the check
// boxes show their whole captions. Lives on the stack for the time the picker
// is shown, so it counts no references.
class RecentFilters : public IFileDialogEvents, public IFileDialogControlEvents {
public:
    explicit RecentFilters(const std::vector<std::u16string>& filters) : filters_(filters) {}

    IFACEMETHODIMP QueryInterface(REFIID id, void** object) override {
        if (id == IID_IUnknown || id == IID_IFileDialogEvents) {
            *object = static_cast<IFileDialogEvents*>(this);
        } else if (id == IID_IFileDialogControlEvents) {
            *object = static_cast<IFileDialogControlEvents*>(this);
        } else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        return S_OK;
    }
    IFACEMETHODIMP_(ULONG) AddRef() override { return 2; }
    IFACEMETHODIMP_(ULONG) Release() override { return 1; }

    IFACEMETHODIMP OnItemSelected(IFileDialogCustomize* customize, DWORD control, DWORD item) override {
        if (control == RecentListId && item < filters_.size()) customize->SetEditBoxText(FilesBoxId, Wide(filters_[item]));
        return S_OK;
    }
    IFACEMETHODIMP OnButtonClicked(IFileDialogCustomize*, DWORD) override { return S_OK; }
    IFACEMETHODIMP OnCheckButtonToggled(IFileDialogCustomize*, DWORD, BOOL) override { return S_OK; }
    IFACEMETHODIMP OnControlActivating(IFileDialogCustomize*, DWORD) override { return S_OK; }
    IFACEMETHODIMP OnFileOk(IFileDialog*) override { return S_OK; }
    IFACEMETHODIMP OnFolderChanging(IFileDialog*, IShellItem*) override { return S_OK; }
    IFACEMETHODIMP OnFolderChange(IFileDialog* dialog) override {
        // The first change comes once the picker's window is there.
        if (fitted_) return S_OK;
        fitted_ = true;
        IOleWindow* window = nullptr;
        HWND handle = nullptr;
        if (SUCCEEDED(dialog->QueryInterface(IID_PPV_ARGS(&window)))) {
            if (SUCCEEDED(window->GetWindow(&handle)) && handle) win32::FitCheckBoxesToCaptions(handle);
            window->Release();
        }
        return S_OK;
    }
    IFACEMETHODIMP OnSelectionChange(IFileDialog*) override { return S_OK; }
    IFACEMETHODIMP OnShareViolation(IFileDialog*, IShellItem*, FDE_SHAREVIOLATION_RESPONSE*) override { return S_OK; }
    IFACEMETHODIMP OnTypeChange(IFileDialog*) override { return S_OK; }
    IFACEMETHODIMP OnOverwrite(IFileDialog*, IShellItem*, FDE_OVERWRITE_RESPONSE*) override { return S_OK; }

private:
    const std::vector<std::u16string>& filters_;
    bool fitted_ = false;
};

// The "Files" box with the filter used last, and "Recent" with the others.
void AddFilterBoxes(IFileDialogCustomize& customize, const std::vector<std::u16string>& filters) {
    customize.StartVisualGroup(FilesGroupId, L"Files:");
    customize.AddEditBox(FilesBoxId, filters.empty() ? L"" : Wide(filters.front()));
    customize.EndVisualGroup();
    if (filters.size() < 2) return;
    customize.StartVisualGroup(RecentGroupId, L"Recent:");
    customize.AddComboBox(RecentListId);
    for (std::size_t i = 1; i < filters.size(); ++i)
        customize.AddControlItem(RecentListId, static_cast<DWORD>(i), Wide(filters[i]));
    customize.EndVisualGroup();
}

// The folder picker (IFileOpenDialog with FOS_PICKFOLDERS) and its extra
// choices; false when it is cancelled or cannot be shown.
bool PickFolder(HWND owner, const std::u16string& startFolder, PickedFolder& picked) {
    ComPtr<IFileOpenDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog.p))))
        return false;
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST | FOS_NOCHANGEDIR);
    dialog->SetTitle(L"Add Folder");
    ComPtr<IFileDialogCustomize> customize;
    if (SUCCEEDED(dialog->QueryInterface(IID_PPV_ARGS(&customize.p)))) {
        AddFilterBoxes(*customize.p, picked.filters);
        customize->AddCheckButton(IncludeSubfoldersId, L"Include subfolders", picked.subfolders);
        customize->AddCheckButton(IncludeHiddenId, L"Include hidden and system files", picked.hiddenAndSystem);
    }
    if (!startFolder.empty()) {
        ComPtr<IShellItem> start;
        if (SUCCEEDED(SHCreateItemFromParsingName(Wide(startFolder), nullptr, IID_PPV_ARGS(&start.p))))
            dialog->SetFolder(start.p);
    }
    RecentFilters recent(picked.filters);
    DWORD cookie = 0;
    const bool advised = SUCCEEDED(dialog->Advise(&recent, &cookie));
    const HRESULT shown = dialog->Show(owner);
    if (advised) dialog->Unadvise(cookie);
    if (shown != S_OK) return false;
    ComPtr<IShellItem> result;
    if (FAILED(dialog->GetResult(&result.p))) return false;
    PWSTR path = nullptr;
    if (FAILED(result->GetDisplayName(SIGDN_FILESYSPATH, &path)) || !path) return false;
    picked.path.assign(reinterpret_cast<const char16_t*>(path));
    CoTaskMemFree(path);
    BOOL checked = picked.subfolders;
    if (customize.p && SUCCEEDED(customize->GetCheckButtonState(IncludeSubfoldersId, &checked)))
        picked.subfolders = checked != FALSE;
    checked = picked.hiddenAndSystem;
    if (customize.p && SUCCEEDED(customize->GetCheckButtonState(IncludeHiddenId, &checked)))
        picked.hiddenAndSystem = checked != FALSE;
    picked.filter = picked.filters.empty() ? std::u16string() : picked.filters.front();
    PWSTR typed = nullptr;
    if (customize.p && SUCCEEDED(customize->GetEditBoxText(FilesBoxId, &typed)) && typed) {
        picked.filter.assign(reinterpret_cast<const char16_t*>(typed));
        CoTaskMemFree(typed);
    }
    return true;
}

// Cell 1085 counts the files while a large tree is walked; Esc stops the walk.
class WalkProgress : public FolderWalkProgress {
public:
    explicit WalkProgress(StatusProgress& progress) : progress_(progress) {}

    bool KeepGoing(std::size_t added) override {
        progress_.Advance(added, 0);
        return !progress_.StopRequested();
    }

private:
    StatusProgress& progress_;
};

// "C:\" names the drive's root; the list keeps folders without a final "\".
std::u16string WithoutFinalSlash(std::u16string path) {
    if (!path.empty() && path.back() == u'\\') path.pop_back();
    return path;
}

}  // namespace

std::u16string FolderWalkMessage(const FolderWalkResult& result) {
    std::u16string text;
    const OutsideAddResult& paths = result.paths;
    if (paths.skipped > 0) {
        text += GroupedNumber(paths.skipped) + u" file(s) or folder(s) could not be opened and were not added:\r\n";
        for (const std::u16string& path : paths.firstSkipped) text += u"\r\n" + path;
        if (paths.skipped > paths.firstSkipped.size()) text += u"\r\n...";
    }
    if (result.linksSkipped > 0) {
        if (!text.empty()) text += u"\r\n\r\n";
        text += GroupedNumber(result.linksSkipped) + u" link(s) or junction(s) to folders were not followed.";
    }
    if (result.hiddenFilesSkipped + result.hiddenFoldersSkipped > 0) {
        if (!text.empty()) text += u"\r\n\r\n";
        text += GroupedNumber(result.hiddenFilesSkipped) + u" hidden or system file(s)";
        if (result.hiddenFoldersSkipped > 0)
            text += u" and " + GroupedNumber(result.hiddenFoldersSkipped) + u" hidden or system folder(s)";
        text += u" were left out; \"Include hidden and system files\" adds them.";
    }
    return text;
}

FolderWalkResult AddFolderToList(HWND mainWindow, const std::u16string& folder, bool subfolders) {
    MainWindowState& state = StateOf(mainWindow);
    FolderWalkResult result;
    const bool hiddenAndSystem = (Settings().AddFolderFlags & AddFolder::HiddenAndSystem) != 0;
    const NamePatterns only(SplitFolderFilters(Settings().AddFolderFilter.view()).front());
    RunFileWork(mainWindow, WalkingFolder, 0, [&](FileTable& rows, StatusProgress& progress) {
        WalkProgress walk(progress);
        win32::PlatformFileSystem files;
        result = AddFolderTree(rows, WithoutFinalSlash(folder), subfolders, files, &walk, hiddenAndSystem, only);
    });
    ShowRowCount(win32::DialogItem(mainWindow, IDC_FILE_LIST), state.files.size());
    const std::u16string message = FolderWalkMessage(result);
    // Files left out by choice are no failure.
    const bool failed = result.paths.skipped + result.linksSkipped > 0;
    if (!message.empty())
        win32::ShowMessageBox(mainWindow, Wide(message), L"Add Folder", failed ? MB_ICONWARNING : MB_ICONINFORMATION);
    return result;
}

void AddFilesFromFolder(HWND mainWindow) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    static bool subfolders = true;  // the last choice, while the program runs
    PickedFolder picked;
    picked.subfolders = subfolders;
    AppSettings& settings = Settings();
    picked.hiddenAndSystem = (settings.AddFolderFlags & AddFolder::HiddenAndSystem) != 0;
    picked.filters = SplitFolderFilters(settings.AddFolderFilter.view());
    // The last folder added from, or else the folder of the list's first file.
    std::u16string start(settings.LastPath.view());
    const FileTable& rows = StateOf(mainWindow).files;
    if (start.empty() && !rows.empty() && rows.front().folder) start = *rows.front().folder;
    if (!start.empty() && start.back() == u':') start += u'\\';  // "C:" alone names the drive's current folder
    const bool chosen = PickFolder(mainWindow, start, picked);
    if (SUCCEEDED(com)) CoUninitialize();
    if (!chosen) return;
    subfolders = picked.subfolders;
    settings.AddFolderFlags = picked.hiddenAndSystem ? settings.AddFolderFlags | AddFolder::HiddenAndSystem
                                                     : settings.AddFolderFlags & ~AddFolder::HiddenAndSystem;
    settings.LastPath = WithoutFinalSlash(picked.path);
    // The box's text first, whether typed, taken from "Recent" or left as it was.
    settings.AddFolderFilter = WithFolderFilterUsed(settings.AddFolderFilter.view(), picked.filter);
    AddFolderToList(mainWindow, picked.path, picked.subfolders);
}

}  // namespace qm
