#pragma once
// Told after every row of a long operation, so that the window can show how
// far it has come; it decides itself how often to repaint.
#include <cstddef>

namespace qm {

class RunProgress {
public:
    virtual ~RunProgress() = default;
    virtual void Advance(std::size_t done, std::size_t total) = 0;
};

}  // namespace qm
