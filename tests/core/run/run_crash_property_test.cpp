// Runs killed after a random move or after a file's times were written, some
// stopped by the user, sometimes an undo killed too, then the program started
// again: recovery from the journal and undo must bring every file, followed
// by its identity, back to its original name, contents, three times and
// attributes, and never touch another file. Random lists of renumbering
// chains, plans that run in circles, case-only renames, names the file system
// trims, files listed twice, names taken outside the list, names no file may
// have, and failures the prediction cannot see (a file held open by a
// scanner, one that may be written but not moved). Between adding and the run
// a file may be saved again (a new identity); between the run and the undo a
// stranger or a folder may take a journaled name, the stranger often with the
// index of the file deleted there, as ext4 hands it on. A quarter of the cases
// run on FAT, where a rename changes a file's index and only its size and
// creation time tell it apart, often files of one size given one creation
// time (or each its own date taken); Wine, on its Unix file systems, cannot
// show that, so it is tried here on the in-memory file layer. Prints
// "misplaced N" last.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <optional>
#include <random>

#include "core/run/journal_keeping.h"
#include "core/run/run_prediction.h"
#include "file_table_fixture.h"

namespace qm::test {
namespace {

struct Killed {};

// The journal's bytes in memory, written whole or not at all, as its file is.
class MemoryJournalStore : public JournalStore {
public:
    std::optional<std::string> bytes;
    std::size_t writes = 0;
    bool failWrites = false;

    Found Read(std::vector<std::uint8_t>& out) override {
        if (!bytes) return Found::Missing;
        out.assign(bytes->begin(), bytes->end());
        return Found::Read;
    }
    bool Write(const JournalHeader& header, std::span<const JournalEntry> entries) override {
        if (failWrites) return false;
        bytes = FormatRunJournal(header, entries);
        ++writes;
        return true;
    }
    bool WriteBytes(std::span<const std::uint8_t> in) override {
        bytes = std::string(in.begin(), in.end());
        return true;
    }
    bool Remove() override {
        bytes.reset();
        return true;
    }
    bool Append(std::string_view line) override {
        if (!bytes) return false;
        bytes->append(line);
        // Which rows' files are at a temporary name, between the two moves of a cycle.
        const std::string_view step = line.substr(0, line.find('\x1F'));
        const std::string row(line.substr(step.size() + 1, line.find('\x1F', step.size() + 1) - step.size() - 1));
        if (step == "at") atTemporaryName.insert(row);
        if (step == "moved" || step == "kept") atTemporaryName.erase(row);
        cycles += step == "aside";
        return true;
    }
    std::set<std::string> atTemporaryName;
    std::size_t cycles = 0;
};

// Says "stop" from its (limit + 1)th question on.
struct StopAfter : RunProgress {
    explicit StopAfter(std::size_t limit) : limit(limit) {}
    void Advance(std::size_t, std::size_t) override {}
    bool StopRequested() override { return asked++ >= limit; }
    std::size_t limit, asked = 0;
};

struct Tally {
    std::size_t cases = 0, killedRuns = 0, killedAfterTimes = 0, killedAfterMove = 0, killedUndos = 0,
                stoppedRuns = 0, fat = 0, oneSize = 0, taken = 0, replans = 0, replaced = 0, strangers = 0, reusedIndexes = 0, folders = 0,
                twoFit = 0, undoNotStarted = 0, cycles = 0, runsKilledInCycle = 0, undosKilledInCycle = 0,
                notFound = 0, misplaced = 0;
};

// Options that give the lists their shapes.
RenameOptions RandomOptions(std::mt19937& random) {
    RenameOptions o;
    switch (random() % 6) {
    case 0:  // renumbering: Trip_3 takes the name Trip_2 gives up
    case 1:
        o = PrefixOptions(u"Trip", u"1", std::u16string(1, static_cast<char16_t>(u'0' + random() % 4)));
        o.stepText = random() % 2 ? u"1" : u"2";
        break;
    case 2:  // plain numbers over names that are numbers: chains and circles
        o.fileNames = true;
        o.zerosText = u"1";
        o.offsetText = std::u16string(1, static_cast<char16_t>(u'1' + random() % 3));
        break;
    case 3:  // only the case changes
        o.fileNames = o.keepName = o.noNumber = true;
        o.extensionUppercase = random() % 2;
        o.extensionLowercase = !o.extensionUppercase;
        o.findReplace = {u"trip", random() % 2 ? u"TRIP" : u"trip"};
        break;
    case 4:  // names the file system trims, and names no file may have
        o.fileNames = o.keepName = o.noNumber = true;
        o.suffix = {true, false, false, false, random() % 2 ? u"z." : u"z "};
        o.findReplace = {u"_", random() % 3 ? u"_" : u":"};
        break;
    default:  // the extension alone
        o.extensions = true;
        o.extensionMap = {{true, u"dat", u"txt"}, {random() % 2 == 0, u"txt", u"dat"}};
        break;
    }
    o.setDates = random() % 3 == 0;
    o.setCreated = o.setDates && random() % 4 != 0;
    o.setModified = o.setDates;
    o.setTaken = o.setDates && random() % 3 == 0;  // each file its own creation time
    // Within FAT's 2 seconds of a whole second, as a picker's time mostly is not.
    o.fileTime = At(2025, 6, 7, 8, 9, 10, 11);
    o.setAttributes = random() % 4 == 0;
    o.attributes = random() % 2 ? 0x21 : FileAttribute::Normal;
    return o;
}

// Where a kill of mode 1 to 3 happens: before a move, after times are
// written, after a move (0 and others: none).
std::function<void()>& KillHook(MemoryFileSystem& files, unsigned mode) {
    static std::function<void()> none;
    none = nullptr;
    return mode == 1 ? files.beforeMove : mode == 2 ? files.afterWriteTimes : mode == 3 ? files.afterMove : none;
}

// What a file is and where; what it must be at the end.
struct Made {
    enum class Role { Listed, Outsider, Stranger, Folder, Deleted };
    std::u16string name, content;
    FileTimes times;
    std::uint32_t attributes = 0;
    Role role = Role::Outsider;
};

const MemoryFileSystem::Entry* FindContent(const MemoryFileSystem& files, std::u16string_view content,
                                           std::size_t* count = nullptr) {
    const MemoryFileSystem::Entry* found = nullptr;
    std::size_t n = 0;
    for (const MemoryFileSystem::Entry* entry : files.Files())
        if (entry->content == content) found = entry, ++n;
    if (count) *count = n;
    return found;
}

bool SameState(const MemoryFileSystem::Entry& entry, const Made& made) {
    return !entry.folder && entry.content == made.content && entry.times.created == made.times.created &&
           entry.times.written == made.times.written && entry.times.accessed == made.times.accessed &&
           entry.attributes == made.attributes;
}

using Snapshot = std::map<std::u16string, std::tuple<std::u16string, std::uint64_t, std::uint64_t, std::uint64_t,
                                                     std::uint32_t>>;
Snapshot SnapshotOf(const MemoryFileSystem& files) {
    Snapshot snapshot;
    for (const MemoryFileSystem::Entry* e : files.Files())
        snapshot[e->path] = {e->content, e->times.created, e->times.written, e->times.accessed, e->attributes};
    return snapshot;
}

void PlayCase(std::uint32_t seed, Tally& tally) {
    std::mt19937 random(seed);
    FileTableFixture f;
    const unsigned volume = random() % 8;
    f.files.fat = volume < 2;
    f.files.indexOnly = volume == 2;
    f.files.reuseIndexes = random() % 2;
    // Files of one size, on FAT told apart by their creation times alone, or
    // not at all once a run gives them one.
    const bool oneSize = f.files.fat && random() % 2;
    const bool interfere = random() % 3 == 0;
    const bool oneCreationTime = oneSize && !interfere && random() % 3 == 0;
    const std::u16string pool[] = {u"Trip_1.dat", u"Trip_2.dat", u"Trip_3.dat", u"Trip_4.dat", u"trip_5.DAT",
                                   u"1.dat",      u"2.dat",      u"3.dat",      u"4",          u"x",
                                   u"a.txt",      u"B.TXT",      u"Trip_2.txt", u"c_d"};
    const auto padded = [&](std::u16string content) {
        if (oneSize) content.resize(24, u'.');
        return content;
    };
    std::vector<Made> made;
    std::vector<std::size_t> listed;
    // Some lists are files 1 to n in another order, numbered again: swaps and cycles of names.
    const bool cycles = random() % 5 == 0;
    const std::size_t count = 2 + random() % 8;
    for (std::size_t i = 0; i < count; ++i) {
        const std::u16string name =
            cycles ? std::u16string(1, static_cast<char16_t>(u'1' + i)) + u".dat" : pool[random() % std::size(pool)];
        if (f.files.Exists(JoinPath(Folder, name))) continue;
        Made file;
        file.name = name;
        file.content = padded(u"file " + name + std::u16string(made.size() + 1, u'.'));
        FileTimes times = f.times;
        if (!oneCreationTime) times.created += made.size() * 600'000'000ull;  // a minute apart
        times.written += made.size() * 10'000ull;
        const std::uint32_t attributes[] = {0x20, 0x21, 0x22, 0x24};
        const MemoryFileSystem::Entry& entry =
            f.files.AddFile(JoinPath(Folder, name), times, attributes[random() % 4], file.content);
        file.times = entry.times;  // as the volume keeps them
        file.attributes = entry.attributes;
        if (cycles || random() % 5 != 0) {
            file.role = Made::Role::Listed;
            listed.push_back(made.size());
        }
        made.push_back(std::move(file));  // the others hold names outside the list
    }
    if (random() % 2 && !cycles) {
        std::sort(listed.begin(), listed.end(),
                  [&](std::size_t a, std::size_t b) { return made[a].name < made[b].name; });
    } else {
        std::shuffle(listed.begin(), listed.end(), random);
    }
    RenameOptions options = RandomOptions(random);
    if (cycles) {
        options.fileNames = true;
        options.keepName = options.noNumber = options.extensions = false;
        options.prefix.used = options.suffix.used = false;
        options.extensionUppercase = options.extensionLowercase = false;
        options.zerosText = options.offsetText = u"1";
    }
    for (const std::size_t i : listed) {
        // Dates taken a day apart, some the same: with "Taken" files of one size may get one creation time.
        const DateTaken taken{At(2019, 5, 1 + static_cast<int>(random() % 3), 12), true, std::nullopt};
        for (int twice = random() % 8 == 0 ? 2 : 1; twice > 0; --twice) {  // some listed twice
            AppendFileRow(f.table, f.folder, made[i].name, f.files);
            f.table.back().taken = taken;
        }
    }
    if (f.table.empty()) return;
    ++tally.cases;
    tally.fat += f.files.fat;
    tally.oneSize += oneSize;
    tally.taken += options.setDates && options.setTaken;
    const auto someListed = [&]() -> Made& { return made[listed[random() % listed.size()]]; };
    // Saved again after it was added, as an editor saves, keeping the file's
    // times and attributes: a new file under the old name.
    const bool replaced = random() % 6 == 0;
    if (replaced) {
        Made& file = someListed();
        const MemoryFileSystem::Entry old = *f.files.Find(JoinPath(Folder, file.name));
        file.content = padded(file.content.substr(0, file.content.find(u'.', 5)) + u" saved again");
        f.files.AddFile(JoinPath(Folder, u"~edit.tmp"), old.times, old.attributes, file.content);
        f.files.Remove(JoinPath(Folder, file.name));
        f.files.Move(JoinPath(Folder, u"~edit.tmp"), JoinPath(Folder, file.name));
        f.files.moves = 0;
        ++tally.replaced;
    }
    // A file that may be written but not moved: the prediction cannot see it.
    if (random() % 6 == 0) f.files.Find(JoinPath(Folder, someListed().name))->refuseMoves = true;

    MemoryJournalStore store;
    const std::vector<std::size_t> rows = TakingPartRows(f.table.size(), {});
    // Killed before a move, just after one, or just after a file's times were
    // written; or stopped by the user.
    const unsigned killMode = random() % 4;
    std::size_t killAfter = random() % (f.table.size() + 2);
    std::optional<StopAfter> stop;
    if (random() % 5 == 0) stop.emplace(random() % (f.table.size() + 1));
    {
        RunJournalKeeper keeper(store, rows, PlannedNamesOfRun(f.table, rows, PlanNames(options), f.files), 1,
                                CreationTimesGiven(f.table, rows, options, 0));
        ASSERT_TRUE(keeper.Begin(f.table));
        const std::size_t writes = store.writes;
        // A scanner holds a file open for the run: its move fails though foreseen to succeed.
        MemoryFileSystem::Entry* held = random() % 4 == 0 ? f.files.Find(JoinPath(Folder, someListed().name)) : nullptr;
        if (held) held->heldElsewhere = true;
        std::size_t timesWritten = 0;
        KillHook(f.files, killMode) = [&] {
            if ((killMode == 2 ? timesWritten++ : f.files.moves) >= killAfter) throw Killed{};
        };
        const Snapshot before = SnapshotOf(f.files);
        std::vector<RunRowOutcome> outcomes;
        bool killed = false;
        try {
            RunRename(f.table, rows, options, f.files, 0, stop ? &*stop : nullptr, &outcomes, nullptr, &keeper);
        } catch (const Killed&) {
            killed = true;
        }
        tally.replans += store.writes - writes;
        if (held) held->heldElsewhere = false;
        f.files.beforeMove = f.files.afterMove = f.files.afterWriteTimes = nullptr;
        f.files.moves = 0;
        if (!killed) {
            keeper.Finish(f.table, outcomes);
            const bool stopped = outcomes.size() < rows.size();
            tally.stoppedRuns += stopped;
            if (SnapshotOf(f.files) == before) {
                EXPECT_FALSE(store.bytes) << "seed " << seed << ": a run that changed no file leaves the journal as it was";
            } else if (stopped) {
                ASSERT_TRUE(store.bytes);
                const JournalReading kept = ReadRunJournal(
                    {reinterpret_cast<const std::uint8_t*>(store.bytes->data()), store.bytes->size()}, 0);
                EXPECT_EQ(kept.rows.size(), outcomes.size()) << "seed " << seed << ": a stopped run keeps only the rows it reached";
            }
        }
        tally.killedRuns += killed;
        tally.killedAfterTimes += killed && killMode == 2;
        tally.killedAfterMove += killed && killMode == 3;
        tally.runsKilledInCycle += killed && !store.atTemporaryName.empty();
    }

    // Between the run and its undo, a stranger or a folder takes a journaled
    // name: one the run gave (its file deleted), or one it freed.
    if (interfere) {
        Made& file = someListed();
        const MemoryFileSystem::Entry* entry = FindContent(f.files, file.content);
        const bool atGivenName = random() % 2 && entry && entry->path != JoinPath(Folder, file.name);
        const bool folder = random() % 3 == 0;
        std::u16string at = atGivenName ? entry->path.substr(Folder.size() + 1) : file.name;
        if (atGivenName) {
            f.files.Remove(entry->path);
            file.role = Made::Role::Deleted;
            tally.reusedIndexes += f.files.reuseIndexes && !folder;  // the stranger gets the deleted file's index
        }
        if (!f.files.Exists(JoinPath(Folder, at))) {
            Made other{at, padded(u"stranger"), {At(2031, 1, 2, 3, 4, static_cast<int>(made.size() * 2)), At(2031, 2, 3, 0),
                                                 At(2031, 3, 4, 0)}, 0x20, folder ? Made::Role::Folder : Made::Role::Stranger};
            if (folder) {
                f.files.AddFolder(JoinPath(Folder, at));
            } else {
                other.times = f.files.AddFile(JoinPath(Folder, at), other.times, 0x20, other.content).times;
            }
            tally.folders += folder;
            tally.strangers += !folder;
            made.push_back(std::move(other));
        }
    }

    // Started again: the rows come back from the journal; "^" undoes them,
    // and sometimes that undo is killed too and started once more, or cannot
    // mark its journal and does not start.
    std::vector<std::u16string> undecided;  // original names of rows left alone
    for (int start = 0;; ++start) {
        ASSERT_LT(start, 10);
        StoredJournal stored = ReadStoredJournal(store, 0);
        if (stored.found == JournalStore::Found::Missing) break;  // nothing was changed: nothing to undo
        ASSERT_EQ(stored.found, JournalStore::Found::Read);
        ASSERT_EQ(stored.reading.problem, JournalProblem::None) << stored.reading.line;
        if (stored.reading.header.underWay) {
            const RecoveredRows recovered = RecoverInterruptedRun(store, stored.reading, f.files);
            // A file saved again that the run never reached is not known by the journal.
            if (!interfere && !replaced) tally.notFound += recovered.notFound;
            // Only the file in hand is decided by identity: every other row by the journal's steps.
            EXPECT_LE(recovered.twoFit.size(), 1u) << "seed " << seed;
            tally.twoFit += recovered.twoFit.size();
            for (const RecoveredRows::TwoFiles& two : recovered.twoFit)
                undecided.push_back(stored.reading.rows[two.row].originalName);
        }
        FileTable table = std::move(stored.reading.rows);
        const std::vector<std::size_t> all = TakingPartRows(table.size(), {});
        UndoJournalKeeper keeper(store, table, all, 0);
        if (start == 0 && keeper.record() && random() % 8 == 0) {
            store.failWrites = true;
            EXPECT_FALSE(keeper.Begin());
            store.failWrites = false;
            EXPECT_EQ(f.files.moves, 0u);
            ++tally.undoNotStarted;
            continue;
        }
        ASSERT_TRUE(keeper.Begin());
        store.atTemporaryName.clear();
        const unsigned undoKill = start < 2 ? random() % 5 : 0;
        killAfter = random() % (table.size() + 1);
        std::size_t timesWritten = 0;
        KillHook(f.files, undoKill) = [&] {
            if ((undoKill == 2 ? timesWritten++ : f.files.moves) >= killAfter) throw Killed{};
        };
        try {
            UndoRename(table, all, f.files, nullptr, keeper.record());
        } catch (const Killed&) {
            ++tally.killedUndos;
            tally.undosKilledInCycle += !store.atTemporaryName.empty();
            f.files.beforeMove = f.files.afterMove = f.files.afterWriteTimes = nullptr;
            f.files.moves = 0;
            continue;
        }
        f.files.beforeMove = f.files.afterMove = f.files.afterWriteTimes = nullptr;
        f.files.moves = 0;
        keeper.Finish(table);
        break;
    }

    // Every file as it must be: strangers, folders and files outside the
    // list untouched; every file of the list back, unless its original name
    // is held by something else (a stranger, a folder, a file of the list
    // that cannot go back itself) or its row was left alone.
    tally.cycles += store.cycles;
    std::size_t misplaced = 0, files = 0;
    for (const Made& file : made) {
        const MemoryFileSystem::Entry* at = f.files.Find(JoinPath(Folder, file.name));
        const bool exact = at && at->path == JoinPath(Folder, file.name) && SameState(*at, file);
        bool wrong = false;
        switch (file.role) {
        case Made::Role::Deleted: wrong = FindContent(f.files, file.content) != nullptr; break;
        case Made::Role::Folder: wrong = !at || !at->folder; break;
        case Made::Role::Outsider:
        case Made::Role::Stranger: wrong = !exact; break;
        case Made::Role::Listed: {
            std::size_t copies = 0;
            FindContent(f.files, file.content, &copies);
            const bool heldByOther = at && at->content != file.content;
            const bool leftAlone = std::find(undecided.begin(), undecided.end(), file.name) != undecided.end();
            wrong = copies != 1 || !(exact || heldByOther || leftAlone);
            break;
        }
        }
        files += file.role != Made::Role::Deleted && file.role != Made::Role::Folder;
        if (wrong) ADD_FAILURE() << "seed " << seed << ": " << std::string(file.name.begin(), file.name.end())
                                 << " misplaced";
        misplaced += wrong;
    }
    misplaced += f.files.Files().size() != files;
    tally.misplaced += misplaced;
}

TEST(RunCrashProperty, EveryFileEndsAtItsOriginalNameAfterKillsRecoveryAndUndo) {
    Tally t;
    for (std::uint32_t seed = 1; t.cases < 24'000; ++seed) PlayCase(seed, t);
    std::printf("cases %zu: runs killed %zu (after times written %zu, after a move %zu), stopped %zu, undos killed %zu, undos not "
                "started %zu; on FAT %zu (of one size %zu), with Taken %zu; saved again %zu, strangers %zu (on a "
                "reused index %zu), folders %zu; cycles of names %zu (runs killed between their two moves %zu, undos "
                "%zu); rows two files fit %zu; journal written again %zu times\n",
                t.cases, t.killedRuns, t.killedAfterTimes, t.killedAfterMove, t.stoppedRuns, t.killedUndos, t.undoNotStarted, t.fat,
                t.oneSize, t.taken, t.replaced, t.strangers, t.reusedIndexes, t.folders, t.cycles,
                t.runsKilledInCycle, t.undosKilledInCycle, t.twoFit, t.replans);
    // The cases reach what they are meant to try.
    EXPECT_GT(t.killedRuns, t.cases / 8);
    EXPECT_GT(t.killedAfterTimes, t.cases / 30);
    EXPECT_GT(t.killedAfterMove, t.cases / 20);
    EXPECT_GT(t.killedUndos, t.cases / 10);
    EXPECT_GT(t.stoppedRuns, t.cases / 30);
    EXPECT_GT(t.fat, t.cases / 10);
    EXPECT_GT(t.oneSize, t.cases / 20);
    EXPECT_GT(t.taken, t.cases / 30);
    EXPECT_GT(t.replaced, t.cases / 10);
    EXPECT_GT(t.reusedIndexes, t.cases / 50);
    EXPECT_GT(t.folders, t.cases / 50);
    EXPECT_GT(t.undoNotStarted, t.cases / 50);
    EXPECT_GT(t.replans, t.cases / 50);
    EXPECT_GT(t.cycles, t.cases / 20);
    EXPECT_GT(t.runsKilledInCycle, t.cases / 500);
    EXPECT_GT(t.undosKilledInCycle, t.cases / 500);
    EXPECT_EQ(t.notFound, 0u) << "the journal named every file's place";
    std::printf("misplaced %zu\n", t.misplaced);
    EXPECT_EQ(t.misplaced, 0u);
}

}  // namespace
}  // namespace qm::test
