#include "app/outside_paths_inbox.h"

#include <deque>
#include <mutex>

#include "app/private_commands.h"

namespace qm {

namespace {

struct Inbox {
    std::mutex lock;
    std::deque<OutsideBatch> batches;
    HWND window = nullptr;
    bool closed = false;
};

Inbox& TheInbox() {
    static Inbox inbox;
    return inbox;
}

void Tell(HWND window) {
    if (window) PostMessageW(window, WM_COMMAND, CmdTakeOutsidePaths, 0);
}

}  // namespace

bool PutOutsideBatch(OutsideBatch batch) {
    Inbox& inbox = TheInbox();
    HWND window = nullptr;
    {
        std::lock_guard<std::mutex> hold(inbox.lock);
        if (inbox.closed) return false;
        inbox.batches.push_back(std::move(batch));
        window = inbox.window;
    }
    Tell(window);
    return true;
}

void OpenOutsideInbox(HWND mainWindow) {
    Inbox& inbox = TheInbox();
    bool waiting = false;
    {
        std::lock_guard<std::mutex> hold(inbox.lock);
        inbox.window = mainWindow;
        inbox.closed = false;
        waiting = !inbox.batches.empty();
    }
    if (waiting) Tell(mainWindow);
}

void CloseOutsideInbox() {
    Inbox& inbox = TheInbox();
    std::lock_guard<std::mutex> hold(inbox.lock);
    inbox.window = nullptr;
    inbox.closed = true;
}

std::optional<OutsideBatch> TakeOutsideBatch() {
    Inbox& inbox = TheInbox();
    std::lock_guard<std::mutex> hold(inbox.lock);
    if (inbox.batches.empty()) return std::nullopt;
    OutsideBatch batch = std::move(inbox.batches.front());
    inbox.batches.pop_front();
    return batch;
}

}  // namespace qm
