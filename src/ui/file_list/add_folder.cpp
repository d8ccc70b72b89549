#include "ui/file_list/add_folder.h"

#include <shobjidl.h>

#include "app/process_records.h"
#include "core/run/progress_text.h"
#include "resource_ids.h"
#include "ui/file_list/file_list_view.h"
#include "ui/file_list/file_work.h"
#include "ui/file_list/main_window_state.h"
#include "win32/clock.h"
#include "win32/platform_file_system.h"

namespace qm {

namespace {

constexpr DWORD IncludeSubfoldersId = 1;
constexpr DWORD IncludeHiddenId = 2;

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
};

// The folder picker (IFileOpenDialog with FOS_PICKFOLDERS) and its two extra
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
        customize->AddCheckButton(IncludeSubfoldersId, L"Include subfolders", picked.subfolders);
        customize->AddCheckButton(IncludeHiddenId, L"Include hidden and system files", picked.hiddenAndSystem);
    }
    if (!startFolder.empty()) {
        ComPtr<IShellItem> start;
        if (SUCCEEDED(SHCreateItemFromParsingName(Wide(startFolder), nullptr, IID_PPV_ARGS(&start.p))))
            dialog->SetFolder(start.p);
    }
    if (dialog->Show(owner) != S_OK) return false;
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
    const LocalOffset offset = win32::LocalOffsetNow();
    const bool hiddenAndSystem = (Settings().AddFolderFlags & AddFolder::HiddenAndSystem) != 0;
    RunFileWork(mainWindow, WalkingFolder, 0, [&](FileTable& rows, StatusProgress& progress) {
        WalkProgress walk(progress);
        win32::PlatformFileSystem files;
        result = AddFolderTree(rows, WithoutFinalSlash(folder), subfolders, files, offset, &walk, hiddenAndSystem);
    });
    ShowRowCount(GetDlgItem(mainWindow, IDC_FILE_LIST), state.files.size());
    const std::u16string message = FolderWalkMessage(result);
    // Files left out by choice are no failure.
    const bool failed = result.paths.skipped + result.linksSkipped > 0;
    if (!message.empty())
        MessageBoxW(mainWindow, Wide(message), L"Add Folder", failed ? MB_ICONWARNING : MB_ICONINFORMATION);
    return result;
}

void AddFilesFromFolder(HWND mainWindow) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    static bool subfolders = true;  // the last choice, while the program runs
    PickedFolder picked;
    picked.subfolders = subfolders;
    AppSettings& settings = Settings();
    picked.hiddenAndSystem = (settings.AddFolderFlags & AddFolder::HiddenAndSystem) != 0;
    std::u16string start(settings.LastPath.view());
    if (!start.empty() && start.back() == u':') start += u'\\';  // "C:" alone names the drive's current folder
    const bool chosen = PickFolder(mainWindow, start, picked);
    if (SUCCEEDED(com)) CoUninitialize();
    if (!chosen) return;
    subfolders = picked.subfolders;
    settings.AddFolderFlags = picked.hiddenAndSystem ? settings.AddFolderFlags | AddFolder::HiddenAndSystem
                                                     : settings.AddFolderFlags & ~AddFolder::HiddenAndSystem;
    settings.LastPath = WithoutFinalSlash(picked.path);
    AddFolderToList(mainWindow, picked.path, picked.subfolders);
}

}  // namespace qm
