#pragma once
// How far file work has come, told by the worker thread that does it and shown
// in status cell 1085 by the window's thread; and the other way, the user's
// wish to stop it.
#include <atomic>
#include <cstddef>
#include <string>

#include "core/run/run_progress.h"

namespace qm {

class StatusProgress : public RunProgress {
public:
    // The cell's text for `done` of `total`, such as " Renaming 1,207 of 5,000".
    using TextOf = std::u16string (*)(std::size_t done, std::size_t total);

    explicit StatusProgress(TextOf text) : text_(text) {}

    // Another text from now on, for a part of the work that is not the rest
    // (checking the names before a run renames them).
    void ShowAs(TextOf text) { text_.store(text); }

    // The worker's side.
    void Advance(std::size_t done, std::size_t total) override;
    bool StopRequested() override;

    // The window's side.
    void RequestStop() { stopAsked_.store(true); }
    std::u16string Text() const { return text_.load()(Done(), Total()); }
    // Exact once the work has ended: the rows (or files) finished.
    std::size_t Done() const { return done_.load(); }
    std::size_t Total() const { return total_.load(); }
    // The work was told to stop and left something undone.
    bool Stopped() const { return stopped_.load(); }

private:
    std::atomic<TextOf> text_;
    std::atomic<std::size_t> done_{0};
    std::atomic<std::size_t> total_{0};
    std::atomic<bool> stopAsked_{false};
    std::atomic<bool> stopped_{false};
};

}  // namespace qm
