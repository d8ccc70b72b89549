// The installer as a user meets it, run silently: it installs for the current
// user into the local programs folder with a Start-menu shortcut, a "Send to"
// entry and a registered uninstaller; the installed program runs and writes its settings there; an
// update keeps them; the uninstaller removes the program and keeps them.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "core/settings_file/settings_file.h"
#include "program_process.h"

namespace qm::testing {
namespace {

using test::FileContent;
using test::PutFileContent;

constexpr DWORD Timeout = 60000;
constexpr wchar_t UninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillmoth";

std::wstring KnownFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Runs a command line to its end; its exit code, or -1 when it did not start or end.
long RunToEnd(std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return -1;
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, Timeout) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<long>(code);
}

std::wstring RegisteredValue(const wchar_t* name) {
    wchar_t value[1024] = {};
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, UninstallKey, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return L"";
    return value;
}

template <typename Condition>
bool WaitUntil(Condition done) {
    for (ULONGLONG deadline = GetTickCount64() + Timeout; GetTickCount64() < deadline; Sleep(100))
        if (done()) return true;
    return false;
}

bool WaitUntilGone(const std::wstring& path) {
    return WaitUntil([&path] { return !Exists(path); });
}

// The program that a shell link starts.
std::wstring ShortcutTarget(const std::wstring& link) {
    std::wstring target;
    CoInitialize(nullptr);
    IShellLinkW* shell = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&shell)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            wchar_t path[MAX_PATH] = {};
            if (SUCCEEDED(file->Load(link.c_str(), STGM_READ)) &&
                SUCCEEDED(shell->GetPath(path, MAX_PATH, nullptr, 0)))
                target = path;
            file->Release();
        }
        shell->Release();
    }
    CoUninitialize();
    return target;
}

std::wstring VersionString(const std::vector<BYTE>& info, const wchar_t* name) {
    wchar_t* value = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(info.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
        return L"";
    return value;
}

class Installer : public ::testing::Test {
protected:
    void SetUp() override {
        setup_ = ExecutableFolder() + L"\\" QUILLMOTH_SETUP_NAME;
        ASSERT_TRUE(Exists(setup_)) << "no installer beside the test: cmake --build build/windows --target package";
        folder_ = KnownFolder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Quillmoth";
        shortcut_ = KnownFolder(CSIDL_PROGRAMS) + L"\\Quillmoth.lnk";
        sendTo_ = KnownFolder(CSIDL_SENDTO) + L"\\Quillmoth.lnk";
        Clean();  // an earlier run that stopped half-way may have left a copy
    }
    void TearDown() override { Clean(); }

    void Clean() {
        const std::wstring uninstaller = RegisteredValue(L"UninstallString");
        if (!uninstaller.empty()) {
            RunToEnd(uninstaller + L" /S");
            WaitUntilGone(folder_ + L"\\Uninstall.exe");
        }
        for (const wchar_t* name : {L"Quillmoth.exe", L"Quillmoth.chm", L"LICENSE", L"README.txt",
                                    L"Uninstall.exe", L"settings.ini"})
            DeleteFileW(File(name).c_str());
        RemoveDirectoryW(folder_.c_str());
        DeleteFileW(shortcut_.c_str());
        DeleteFileW(sendTo_.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, UninstallKey);
    }

    std::wstring File(const wchar_t* name) const { return folder_ + L"\\" + name; }
    long Install() const { return RunToEnd(L"\"" + setup_ + L"\" /S"); }

    std::wstring setup_, folder_, shortcut_, sendTo_;
};

TEST_F(Installer, InstallsRunsUpdatesAndUninstallsForTheCurrentUser) {
    // A first install puts the program, its help and the uninstaller in the
    // user's own programs folder, with a shortcut and a registration.
    ASSERT_EQ(Install(), 0);
    for (const wchar_t* name : {L"Quillmoth.exe", L"Quillmoth.chm", L"LICENSE", L"README.txt", L"Uninstall.exe"})
        EXPECT_TRUE(Exists(File(name))) << "missing after install: " << name;
    EXPECT_FALSE(Exists(File(L"settings.ini"))) << "the package carries no settings";
    EXPECT_TRUE(Exists(shortcut_)) << "no Start-menu shortcut";
    EXPECT_TRUE(Exists(sendTo_)) << "no Send-to entry, although it is on by default";
    EXPECT_EQ(ShortcutTarget(sendTo_), File(L"Quillmoth.exe"));
    EXPECT_EQ(RegisteredValue(L"DisplayName"), L"Quillmoth");
    EXPECT_EQ(RegisteredValue(L"DisplayVersion"), L"6.0.2.236");
    EXPECT_EQ(RegisteredValue(L"InstallLocation"), folder_);

    // The installed program carries the version that heads its settings file.
    DWORD ignored = 0;
    const std::wstring program = File(L"Quillmoth.exe");
    std::vector<BYTE> info(GetFileVersionInfoSizeW(program.c_str(), &ignored));
    ASSERT_FALSE(info.empty()) << "no version resource";
    ASSERT_TRUE(GetFileVersionInfoW(program.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, (6u << 16) | 0u);
    EXPECT_EQ(fixed->dwFileVersionLS, (2u << 16) | 236u);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    const std::u16string_view firstLine = SettingsFileFirstLine;
    const std::wstring settingsVersion(firstLine.begin() + firstLine.find(u' ') + 1, firstLine.end());
    EXPECT_EQ(VersionString(info, L"FileVersion"), settingsVersion);
    EXPECT_EQ(VersionString(info, L"ProductVersion"), L"6.0.2.236");
    EXPECT_EQ(VersionString(info, L"ProductName"), L"Quillmoth");
    EXPECT_EQ(VersionString(info, L"OriginalFilename"), L"Quillmoth.exe");
    EXPECT_NE(VersionString(info, L"FileDescription"), L"");
    EXPECT_NE(VersionString(info, L"LegalCopyright").find(L"The Quillmoth authors"), std::wstring::npos);

    // The installed program starts, and writes its settings beside itself when closed.
    // While it runs, the installer refuses to replace it.
    {
        ProgramProcess running(program);
        ASSERT_TRUE(running.started());
        HWND main = running.waitForDialog(L"Quillmoth", Timeout);
        ASSERT_NE(main, nullptr) << "the installed program showed no main window";
        EXPECT_NE(Install(), 0) << "the installer went on while the program ran";
        EXPECT_TRUE(running.running());
        PostMessageW(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(running.waitForExit(Timeout), 0);
    }
    std::vector<std::uint8_t> settings = FileContent(File(L"settings.ini"));
    ASSERT_GE(settings.size(), 2u) << "no settings.ini beside the installed program";
    EXPECT_EQ(settings[0], 0xFF);
    EXPECT_EQ(settings[1], 0xFE);

    // An update over the installed copy keeps the settings, byte for byte.
    const char note[] = "\r\0\n\0";
    settings.insert(settings.end(), note, note + 4);
    ASSERT_TRUE(PutFileContent(File(L"settings.ini"), settings));
    ASSERT_EQ(Install(), 0);
    EXPECT_TRUE(Exists(File(L"Quillmoth.exe")));
    EXPECT_EQ(FileContent(File(L"settings.ini")), settings);

    // The registered uninstaller, run silently, removes the program, its help and
    // the shortcut, and keeps the settings in their folder.
    const std::wstring uninstaller = RegisteredValue(L"UninstallString");
    ASSERT_FALSE(uninstaller.empty());
    ASSERT_EQ(RunToEnd(uninstaller + L" /S"), 0);
    // The uninstaller works from a copy of itself, which goes on after the call
    // returns: the registry key is the last of what it removes.
    EXPECT_TRUE(WaitUntil([] { return RegisteredValue(L"UninstallString").empty(); }));
    EXPECT_FALSE(Exists(File(L"Uninstall.exe")));
    for (const wchar_t* name : {L"Quillmoth.exe", L"Quillmoth.chm", L"LICENSE", L"README.txt"})
        EXPECT_FALSE(Exists(File(name))) << "left after uninstall: " << name;
    EXPECT_FALSE(Exists(shortcut_));
    EXPECT_FALSE(Exists(sendTo_)) << "the Send-to entry was left behind";
    EXPECT_EQ(FileContent(File(L"settings.ini")), settings);
}

}  // namespace
}  // namespace qm::testing
