// Runs killed after a random move, sometimes an undo killed too, then the
// program started again: recovery from the journal and undo must bring every
// file, followed by its identity, back to its original name. Random lists of
// renumbering chains, plans that run in circles, case-only renames, names the
// file system trims, files listed twice, names taken outside the list, names
// no file may have, and failures the prediction cannot see (a file held open
// by a scanner, one that may be written but not moved). A fifth of the cases
// run on a FAT volume, where a rename changes a file's index and only its
// size and creation time tell it apart; Wine, on its Unix file systems,
// cannot show that, so it is tried here on the in-memory file layer. Prints
// "misplaced N" last.
#include <gtest/gtest.h>

#include <cstdio>
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

    Found Read(std::vector<std::uint8_t>& out) override {
        if (!bytes) return Found::Missing;
        out.assign(bytes->begin(), bytes->end());
        return Found::Read;
    }
    bool Write(const JournalHeader& header, std::span<const JournalEntry> entries) override {
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
};

struct Tally {
    std::size_t cases = 0, killedRuns = 0, killedUndos = 0, fat = 0, replans = 0, notFound = 0, misplaced = 0;
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
    o.setCreated = o.setModified = o.setDates;
    o.fileTime = At(2025, 6, 7, 8, 9, 10, 11);
    return o;
}

void PlayCase(std::uint32_t seed, Tally& tally) {
    std::mt19937 random(seed);
    FileTableFixture f;
    f.files.fat = random() % 5 == 0;
    tally.fat += f.files.fat;
    const std::u16string pool[] = {u"Trip_1.dat", u"Trip_2.dat", u"Trip_3.dat", u"Trip_4.dat", u"trip_5.DAT",
                                   u"1.dat",      u"2.dat",      u"3.dat",      u"4",          u"x",
                                   u"a.txt",      u"B.TXT",      u"Trip_2.txt", u"c_d"};
    // Each file's content names it and differs in length: on FAT the size is what tells files apart.
    struct Made {
        std::u16string name, content;
    };
    std::vector<Made> made;
    std::vector<std::size_t> listed;
    const std::size_t count = 2 + random() % 8;
    for (std::size_t i = 0; i < count; ++i) {
        const std::u16string& name = pool[random() % std::size(pool)];
        if (f.files.Exists(JoinPath(Folder, name))) continue;
        const std::u16string content = u"file " + name + std::u16string(made.size() + 1, u'.');
        FileTimes times = f.times;
        times.created += made.size() * 600'000'000ull;  // a minute apart
        f.files.AddFile(JoinPath(Folder, name), times, 0x20, content);
        made.push_back({name, content});
        if (random() % 5 != 0) listed.push_back(made.size() - 1);  // the others hold names outside the list
    }
    if (random() % 2) {
        std::sort(listed.begin(), listed.end(),
                  [&](std::size_t a, std::size_t b) { return made[a].name < made[b].name; });
    } else {
        std::shuffle(listed.begin(), listed.end(), random);
    }
    for (const std::size_t i : listed) {
        AppendFileRow(f.table, f.folder, made[i].name, f.files, 0);
        if (random() % 8 == 0) AppendFileRow(f.table, f.folder, made[i].name, f.files, 0);  // listed twice
    }
    if (f.table.empty()) return;
    // A file that may be written but not moved: the prediction cannot see it.
    const auto someListed = [&] { return f.files.Find(JoinPath(Folder, made[listed[random() % listed.size()]].name)); };
    if (random() % 6 == 0) someListed()->refuseMoves = true;
    ++tally.cases;

    MemoryJournalStore store;
    const RenameOptions options = RandomOptions(random);
    const std::vector<std::size_t> rows = TakingPartRows(f.table.size(), {});
    std::size_t killAfter = random() % (f.table.size() + 2);
    {
        RunJournalKeeper keeper(store, f.table, rows, PlannedNamesOfRun(f.table, rows, PlanNames(options), f.files),
                                1, options.setDates && options.setCreated ? options.fileTime : 0);
        ASSERT_TRUE(keeper.Begin(f.table));
        const std::size_t writes = store.writes;
        // A scanner holds a file open for the run: its move fails though foreseen to succeed.
        MemoryFileSystem::Entry* held = random() % 4 == 0 ? someListed() : nullptr;
        if (held) held->heldElsewhere = true;
        f.files.beforeMove = [&] {
            if (f.files.moves >= killAfter) throw Killed{};
        };
        std::vector<RunRowOutcome> outcomes;
        bool killed = false;
        try {
            RunRename(f.table, rows, options, f.files, 0, nullptr, &outcomes, nullptr, &keeper);
        } catch (const Killed&) {
            killed = true;
        }
        tally.replans += store.writes - writes;
        if (held) held->heldElsewhere = false;
        f.files.beforeMove = nullptr;
        f.files.moves = 0;
        if (!killed) {
            keeper.Finish(f.table, outcomes, options);
            bool changed = options.setDates;
            for (const FileRow& row : f.table) changed = changed || row.name != row.originalName;
            if (!changed) {
                EXPECT_FALSE(store.bytes) << "a run that changed no file leaves the journal as it was";
            }
        }
        tally.killedRuns += killed;
    }

    // Started again: the rows come back from the journal; "^" undoes them,
    // and sometimes that undo is killed too and started once more.
    for (int start = 0;; ++start) {
        StoredJournal stored = ReadStoredJournal(store);
        if (stored.found == JournalStore::Found::Missing) break;  // nothing was changed: nothing to undo
        ASSERT_EQ(stored.found, JournalStore::Found::Read);
        ASSERT_EQ(stored.reading.problem, JournalProblem::None) << stored.reading.line;
        if (stored.reading.header.underWay) {
            const RecoveredRows recovered = RecoverInterruptedRun(store, stored.reading, f.files, 0);
            tally.notFound += recovered.notFound;
        }
        FileTable table = std::move(stored.reading.rows);
        const std::vector<std::size_t> all = TakingPartRows(table.size(), {});
        UndoJournalKeeper keeper(store, table, all);
        killAfter = start == 0 && random() % 3 == 0 ? random() % (table.size() + 1) : SIZE_MAX;
        f.files.beforeMove = [&] {
            if (f.files.moves >= killAfter) throw Killed{};
        };
        try {
            UndoRename(table, all, f.files, 0);
        } catch (const Killed&) {
            ++tally.killedUndos;
            f.files.beforeMove = nullptr;
            f.files.moves = 0;
            continue;
        }
        f.files.beforeMove = nullptr;
        keeper.Finish(table);
        break;
    }

    std::size_t misplaced = 0;
    for (const Made& file : made) {
        const MemoryFileSystem::Entry* entry = f.files.Find(JoinPath(Folder, file.name));
        misplaced += !entry || entry->content != file.content || entry->path != JoinPath(Folder, file.name);
    }
    misplaced += f.files.Files().size() - made.size();
    if (misplaced > 0) ADD_FAILURE() << "seed " << seed << ": " << misplaced << " file(s) misplaced";
    tally.misplaced += misplaced;
}

TEST(RunCrashProperty, EveryFileEndsAtItsOriginalNameAfterKillsRecoveryAndUndo) {
    Tally tally;
    for (std::uint32_t seed = 1; tally.cases < 20'000; ++seed) PlayCase(seed, tally);
    std::printf("cases %zu, runs killed %zu, undos killed %zu, on FAT %zu, journal written again %zu times\n",
                tally.cases, tally.killedRuns, tally.killedUndos, tally.fat, tally.replans);
    // The cases reach what they are meant to try.
    EXPECT_GT(tally.killedRuns, tally.cases / 3);
    EXPECT_GT(tally.killedUndos, tally.cases / 10);
    EXPECT_GT(tally.fat, tally.cases / 10);
    EXPECT_GT(tally.replans, tally.cases / 50);
    EXPECT_EQ(tally.notFound, 0u) << "the journal named every file's place";
    std::printf("misplaced %zu\n", tally.misplaced);
    EXPECT_EQ(tally.misplaced, 0u);
}

}  // namespace
}  // namespace qm::test
