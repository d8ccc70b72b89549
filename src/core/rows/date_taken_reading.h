#pragma once
// The dates taken of rows just added, read on a thread of their own once the
// rows are in, so that adding makes no more file calls than the list needs.
// The rows stay with their owner's thread: this thread reads files by path
// and keeps what it found, which the owner then sets into the rows (Apply).
// A row waits under a ticket of its own (FileRow::takenTicket), which follows
// it however the rows are sorted, moved or renamed meanwhile.
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "core/rows/file_table.h"
#include "core/rows/file_system.h"

namespace qm {

// Opens the file without sharing, reads its date taken through that handle
// and puts back the last-access time that it had before; none when the file
// has no date or cannot be opened.
std::optional<DateTaken> ReadDateTakenOfFile(FileSystem& files, const std::u16string& path);

// Sets the date (or none) into the row, which no longer waits for it.
void SetDateTaken(FileRow& row, const std::optional<DateTaken>& taken);

class DateTakenReading {
public:
    // `files` is used on the reading thread alone. `arrived` is called there
    // when dates wait to be applied: at most once until the next Apply, and
    // then at most every `interval`, or when the last date is read.
    DateTakenReading(std::shared_ptr<FileSystem> files, std::function<void()> arrived,
                     std::chrono::milliseconds interval = std::chrono::milliseconds(100));
    // Stops after the file in hand.
    ~DateTakenReading();
    DateTakenReading(const DateTakenReading&) = delete;
    DateTakenReading& operator=(const DateTakenReading&) = delete;

    // Every row that waits for its date is read, from its path now: the rows
    // of `first` first, in that order, then the others in row order; rows
    // just added (TakenUnread) get their tickets here. Call it after any
    // change of names, and after Pause. The number of rows of `first` that
    // are still to be read.
    std::size_t Schedule(FileTable& rows, std::span<const std::size_t> first = {});

    // Returns once no file is held open by the reading; nothing more is read
    // until the next Schedule.
    void Pause();

    // The dates read since the last call, set into the rows they belong to;
    // the indexes of those rows.
    std::vector<std::size_t> Apply(FileTable& rows);

    // Files read since the last Schedule.
    std::size_t ReadSinceSchedule() const;
    // Waits until `count` files have been read since the last Schedule, or
    // until the reading is paused or has nothing left to read, or the time is
    // up; whether `count` were read.
    bool WaitUntilRead(std::size_t count, std::chrono::milliseconds atMost) const;

private:
    struct Job {
        std::uint32_t ticket;
        std::size_t rowHint;  // the row's index when scheduled
        std::u16string path;
    };
    struct Found {
        std::uint32_t ticket;
        std::size_t rowHint;
        std::optional<DateTaken> taken;
    };

    void ReadAll();
    std::uint32_t NextTicket();

    std::shared_ptr<FileSystem> files_;
    std::function<void()> arrived_;
    std::chrono::milliseconds interval_;
    std::chrono::steady_clock::time_point lastTold_{};

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::vector<Job> jobs_;
    std::size_t next_ = 0;  // the next job to read
    std::vector<Found> found_;
    bool told_ = false;     // `arrived` was called and no Apply came since
    bool paused_ = false;
    bool reading_ = false;  // a file is open
    bool ending_ = false;
    std::uint32_t lastTicket_ = 0;  // the owner's thread alone
    std::thread thread_;
};

}  // namespace qm
