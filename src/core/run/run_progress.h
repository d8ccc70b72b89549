#pragma once
// Told after every row of a long operation, so that the window can show how
// far it has come; it decides itself how often to repaint. Asked between rows
// whether the user wants the operation to stop.
#include <cstddef>

namespace qm {

class RunProgress {
public:
    virtual ~RunProgress() = default;
    virtual void Advance(std::size_t done, std::size_t total) = 0;
    // Asked before each row, never in the middle of one, so the file in hand
    // is always finished. An operation that is told true leaves the rows after
    // it as they are, and its last Advance says how many rows it finished.
    virtual bool StopRequested() { return false; }
};

}  // namespace qm
