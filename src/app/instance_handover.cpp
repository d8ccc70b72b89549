#include "app/instance_handover.h"

#include <utility>

#include "app/hidden_window.h"
#include "core/outside/command_line_words.h"
#include "core/outside/handover_message.h"
#include "win32/files/outside_path_names.h"

namespace qm {

namespace {

constexpr DWORD ReplyTimeoutMs = 10000;
constexpr DWORD RetryMs = 100;

bool Send(HWND window, const std::vector<std::uint8_t>& bytes) {
    COPYDATASTRUCT data{};
    data.dwData = static_cast<ULONG_PTR>(HandoverForm);
    data.cbData = static_cast<DWORD>(bytes.size());
    data.lpData = const_cast<std::uint8_t*>(bytes.data());
    DWORD_PTR answer = FALSE;
    return SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                               ReplyTimeoutMs, &answer) != 0 &&
           answer == TRUE;
}

// Every window of the class answers, until one takes the first message; that
// one gets the rest. Another program's window of the same class name answers
// FALSE to a form it does not know.
bool OfferToEachWindow(const std::vector<std::vector<std::uint8_t>>& messages) {
    for (HWND window = FindWindowExW(nullptr, nullptr, HiddenWindowClass, nullptr); window;
         window = FindWindowExW(nullptr, window, HiddenWindowClass, nullptr)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId()) continue;
        AllowSetForegroundWindow(process);
        if (!Send(window, messages.front())) continue;
        // Taken: offering the rest elsewhere, or again, would add paths twice.
        // The batch is added only with its last message, which a closing
        // Quillmoth refuses: then nothing of it was added.
        for (std::size_t i = 1; i < messages.size(); ++i)
            if (!Send(window, messages[i])) return false;
        return true;
    }
    return false;
}

// The entries a second start has gathered, until the last message of its
// hand-over arrives. Touched only by the main thread.
OutsideBatch& Gathering() {
    static OutsideBatch gathering;
    return gathering;
}

}  // namespace

OutsideBatch EntriesOfArguments(const std::vector<std::u16string>& arguments) {
    OutsideBatch entries;
    for (const std::u16string& word : arguments) {
        if (word.empty()) continue;
        const bool listFile = word.front() == ListFileMark;
        const std::u16string_view named = listFile ? std::u16string_view(word).substr(1) : std::u16string_view(word);
        std::u16string full = win32::FullPath(named);
        if (full.empty()) full = named;  // named as it was, as a path that could not be added
        if (listFile) full.insert(full.begin(), ListFileMark);
        if (!full.empty()) entries.push_back(std::move(full));
    }
    return entries;
}

OutsideBatch CommandLineEntries() {
    return EntriesOfArguments(CommandLineArguments(reinterpret_cast<const char16_t*>(GetCommandLineW())));
}

HandoverOutcome HandOverToRunningInstance(const OutsideBatch& batch, bool (*becomeTheOne)(), DWORD waitMs) {
    const std::vector<std::vector<std::uint8_t>> messages = EncodeHandover(batch);
    const ULONGLONG deadline = GetTickCount64() + waitMs;
    for (;;) {
        if (OfferToEachWindow(messages)) return HandoverOutcome::Taken;
        // Asked after every offer, the last one too: a window that did not
        // answer may have been one that was closing.
        if (becomeTheOne()) return HandoverOutcome::TookOver;
        if (GetTickCount64() >= deadline) return HandoverOutcome::NotTaken;
        Sleep(RetryMs);
    }
}

std::wstring PathsNotAddedText(std::size_t count) {
    return std::to_wstring(count) +
           L" path(s) from the command line were not added: the Quillmoth that is running did not answer. "
           L"Close it, or wait until it answers, and try again.";
}

LRESULT ReceiveHandover(const COPYDATASTRUCT* data) {
    if (!data || (data->cbData != 0 && !data->lpData)) return FALSE;
    const std::span<const std::uint8_t> bytes(static_cast<const std::uint8_t*>(data->lpData), data->cbData);
    std::optional<HandoverMessage> message = DecodeHandover(data->dwData, bytes);
    if (!message) return FALSE;
    OutsideBatch& gathering = Gathering();
    for (std::u16string& entry : message->entries) gathering.push_back(std::move(entry));
    // A main window that is closing takes no more: refused, the second start
    // keeps its paths and opens a window of its own.
    if (message->last && !PutOutsideBatch(std::exchange(gathering, {}))) return FALSE;
    return TRUE;
}

}  // namespace qm
