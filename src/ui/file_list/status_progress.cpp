#include "ui/file_list/status_progress.h"

namespace qm {

void StatusProgress::Advance(std::size_t done, std::size_t total) {
    total_.store(total, std::memory_order_relaxed);
    done_.store(done, std::memory_order_relaxed);
}

bool StatusProgress::StopRequested() {
    if (!stopAsked_.load(std::memory_order_relaxed)) return false;
    stopped_.store(true);
    return true;
}

}  // namespace qm
