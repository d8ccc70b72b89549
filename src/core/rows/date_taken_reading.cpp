#include "core/rows/date_taken_reading.h"

#include <unordered_map>
#include <unordered_set>

namespace qm {

std::optional<DateTaken> ReadDateTakenOfFile(FileSystem& files, const std::u16string& path) {
    const std::unique_ptr<OpenFile> file = files.OpenForRead(path);
    if (!file) return std::nullopt;
    const FileTimes times = file->ReadTimes();
    std::optional<DateTaken> taken = ReadDateTaken(*file);
    // Reading counts as an access on many systems: the file keeps the time it had.
    file->WriteTimes(nullptr, &times.accessed, nullptr);
    return taken;
}

void SetDateTaken(FileRow& row, const std::optional<DateTaken>& taken) {
    row.taken = taken;
    row.takenTicket = 0;
}

DateTakenReading::DateTakenReading(std::shared_ptr<FileSystem> files, std::function<void()> arrived,
                                   std::chrono::milliseconds interval)
    : files_(std::move(files)), arrived_(std::move(arrived)), interval_(interval), thread_([this] { ReadAll(); }) {}

DateTakenReading::~DateTakenReading() {
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

std::uint32_t DateTakenReading::NextTicket() {
    do {
        ++lastTicket_;
    } while (lastTicket_ == 0 || lastTicket_ == TakenUnread);
    return lastTicket_;
}

std::size_t DateTakenReading::Schedule(FileTable& rows, std::span<const std::size_t> first) {
    std::unique_lock lock(mutex_);
    paused_ = true;
    changed_.wait(lock, [this] { return !reading_; });
    // Dates read and not yet applied are not read again.
    std::unordered_set<std::uint32_t> readAlready;
    for (const Found& found : found_) readAlready.insert(found.ticket);
    jobs_.clear();
    next_ = 0;
    std::vector<bool> queued(rows.size());
    const auto queue = [&](std::size_t r) {
        FileRow& row = rows[r];
        if (row.takenTicket == 0 || queued[r]) return;
        if (row.takenTicket == TakenUnread)
            row.takenTicket = NextTicket();
        else if (readAlready.contains(row.takenTicket))
            return;
        queued[r] = true;
        jobs_.push_back({row.takenTicket, r, CurrentPath(row)});
    };
    for (const std::size_t r : first)
        if (r < rows.size()) queue(r);
    const std::size_t firstCount = jobs_.size();
    for (std::size_t r = 0; r < rows.size(); ++r) queue(r);
    paused_ = false;
    // With nothing left to read, the reading would not tell of what waits.
    const bool tell = jobs_.empty() && !found_.empty() && !told_;
    told_ = told_ || tell;
    lock.unlock();
    changed_.notify_all();
    if (tell) arrived_();
    return firstCount;
}

void DateTakenReading::Pause() {
    std::unique_lock lock(mutex_);
    paused_ = true;
    changed_.wait(lock, [this] { return !reading_; });
    lock.unlock();
    changed_.notify_all();  // a wait for files read ends: none will be meanwhile
}

std::vector<std::size_t> DateTakenReading::Apply(FileTable& rows) {
    std::vector<Found> found;
    {
        const std::lock_guard lock(mutex_);
        found.swap(found_);
        told_ = false;
    }
    std::vector<std::size_t> applied;
    std::unordered_map<std::uint32_t, const Found*> moved;  // rows sorted or removed since they were scheduled
    for (const Found& f : found) {
        if (f.rowHint < rows.size() && rows[f.rowHint].takenTicket == f.ticket) {
            SetDateTaken(rows[f.rowHint], f.taken);
            applied.push_back(f.rowHint);
        } else {
            moved.emplace(f.ticket, &f);
        }
    }
    for (std::size_t r = 0; r < rows.size() && !moved.empty(); ++r) {
        const auto it = rows[r].takenTicket != 0 ? moved.find(rows[r].takenTicket) : moved.end();
        if (it == moved.end()) continue;
        SetDateTaken(rows[r], it->second->taken);
        applied.push_back(r);
        moved.erase(it);
    }
    return applied;
}

std::size_t DateTakenReading::ReadSinceSchedule() const {
    const std::lock_guard lock(mutex_);
    return next_;
}

bool DateTakenReading::WaitUntilRead(std::size_t count, std::chrono::milliseconds atMost) const {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, atMost, [&] { return next_ >= count || paused_ || next_ >= jobs_.size(); });
    return next_ >= count;
}

void DateTakenReading::ReadAll() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return ending_ || (!paused_ && next_ < jobs_.size()); });
        if (ending_) return;
        // While a file is open, Schedule and Pause wait: the job stays where it is.
        Job& job = jobs_[next_];
        const std::u16string path = std::move(job.path);
        reading_ = true;
        lock.unlock();
        std::optional<DateTaken> taken = ReadDateTakenOfFile(*files_, path);
        lock.lock();
        reading_ = false;
        found_.push_back({job.ticket, job.rowHint, taken});
        ++next_;
        const auto now = std::chrono::steady_clock::now();
        const bool tell = !told_ && (next_ == jobs_.size() || now - lastTold_ >= interval_);
        if (tell) {
            told_ = true;
            lastTold_ = now;
        }
        changed_.notify_all();
        if (tell) {
            lock.unlock();
            arrived_();
            lock.lock();
        }
    }
}

}  // namespace qm
