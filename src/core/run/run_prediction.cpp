#include "core/run/run_prediction.h"

#include <algorithm>
#include <array>
#include <functional>
#include <utility>

#include "core/rows/fetch_ahead.h"
#include "core/rows/keyed_sort.h"
#include "core/text/name_allowed.h"
#include "core/text/name_text.h"
#include "core/naming/new_name.h"

namespace qm {

namespace {

std::u16string_view Trimmed(std::u16string_view name) { return WithoutTrailingDotsAndBlanks(name); }

std::u16string FolderKey(std::u16string_view folder) {
    std::u16string key(folder);
    ToAsciiLower(key);
    return key;
}

// One folder while the run is played through: the listing as it was, the
// files moved away from it, and the names given meanwhile.
struct FolderState {
    struct Given {
        std::u16string_view name;       // the spelling that holds it now
        bool present = false;
        std::u16string_view movedName;  // the first spelling a move gave it, if any
    };

    const FolderListing* listing = nullptr;
    std::vector<std::uint8_t> gone;  // per listing id
    std::vector<Given> given;
    NameIndex givenIndex;  // ids into `given`
    std::vector<std::u16string_view> moreMovedNames;  // further spellings moves gave to one name

    std::uint32_t FindGiven(const NameKey& key) const {
        return givenIndex.Find(key, [this](std::uint32_t id) { return given[id].name; });
    }
    std::uint32_t FindListed(const NameKey& key) const {
        if (!listing) return NameIndex::None;
        return listing->index.Find(key, [this](std::uint32_t id) { return std::u16string_view(listing->names[id]); });
    }
    // Where a name stands in both tables, looked up once per row.
    struct Found {
        std::uint32_t given = NameIndex::None;
        std::uint32_t listed = NameIndex::None;
    };
    Found Find(const NameKey& key) const { return {FindGiven(key), FindListed(key)}; }

    // The spelling of the file that holds the name now; null when none does.
    const std::u16string_view* Holder(const Found& at, std::u16string_view& scratch) const {
        if (at.given != NameIndex::None) return given[at.given].present ? &given[at.given].name : nullptr;
        if (at.listed == NameIndex::None || gone[at.listed]) return nullptr;
        scratch = listing->names[at.listed];
        return &scratch;
    }
    bool Holds(const Found& at) const {
        std::u16string_view scratch;
        return Holder(at, scratch) != nullptr;
    }
    // Whether a move of this run gave a file exactly this path (A-Z and a-z alike).
    bool MovedHere(const Found& at, std::u16string_view name) const {
        if (at.given == NameIndex::None || given[at.given].movedName.empty()) return false;
        if (EqualIgnoringAsciiCase(given[at.given].movedName, name)) return true;
        for (const std::u16string_view moved : moreMovedNames)
            if (EqualIgnoringAsciiCase(moved, name)) return true;
        return false;
    }
    void Move(const Found& from, const NameKey& to, Found at) {
        Vacate(from);
        Occupy(to, at);
    }
    void Vacate(const Found& from) {
        if (from.given != NameIndex::None) given[from.given].present = false;
        if (from.listed != NameIndex::None) gone[from.listed] = 1;
    }
    void Occupy(const NameKey& to, Found at) {
        if (at.given == NameIndex::None) {
            at.given = static_cast<std::uint32_t>(given.size());
            given.push_back({});
            givenIndex.Insert(to, at.given);
        }
        Given& target = given[at.given];
        target.name = to.name;
        target.present = true;
        if (target.movedName.empty())
            target.movedName = to.name;
        else if (!EqualIgnoringAsciiCase(target.movedName, to.name))
            moreMovedNames.push_back(to.name);
    }
};

}  // namespace

NameKey KeyOf(std::u16string_view name) {
    // FNV-1a over the folded units, then mixed so that the low bits, which
    // pick the slot, depend on every unit.
    std::uint64_t hash = 14695981039346656037ull;
    for (const char16_t unit : Trimmed(name)) {
        hash ^= AsciiLower(unit);
        hash *= 1099511628211ull;
    }
    hash ^= hash >> 29;
    hash *= 0xBF58476D1CE4E5B9ull;
    hash ^= hash >> 32;
    return {name, hash};
}


void NameIndex::Reserve(std::size_t count) {
    std::size_t slots = 16;
    while (slots < count * 2) slots *= 2;
    if (slots > slots_.size()) Grow(slots);
}

void NameIndex::Grow(std::size_t slots) {
    const std::vector<Slot> old = std::move(slots_);
    const std::vector<std::uint32_t> oldLow = std::move(low_);
    slots_.assign(slots, Slot{});
    low_.assign(slots, 0);
    const std::size_t mask = slots - 1;
    for (std::size_t i = 0; i < old.size(); ++i) {
        if (old[i].id == None) continue;
        std::size_t at = oldLow[i] & mask;
        while (slots_[at].id != None) at = (at + 1) & mask;
        slots_[at] = old[i];
        low_[at] = oldLow[i];
    }
}

void NameIndex::Insert(const NameKey& key, std::uint32_t id) {
    if ((count_ + 1) * 2 > slots_.size()) Grow(slots_.empty() ? 16 : slots_.size() * 2);
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = key.hash & mask;
    while (slots_[at].id != None) at = (at + 1) & mask;
    slots_[at] = {Check(key), id};
    low_[at] = static_cast<std::uint32_t>(key.hash);
    ++count_;
}

FolderListings ReadFolderListings(const FileTable& table, const std::vector<std::size_t>& rows, FileSystem& files) {
    FolderListings listings;
    std::vector<std::u16string> unlisted;  // keys of folders whose listing came back empty
    const std::u16string* lastFolder = nullptr;
    for (const std::size_t index : rows) {
        if (index >= table.size()) continue;
        const FileRow& row = table[index];
        if (row.folder && row.folder.get() == lastFolder) continue;
        lastFolder = row.folder.get();
        std::u16string key = FolderKey(row.folderText());
        if (listings.folders.contains(key)) continue;
        FolderListing& listing = listings.folders[key];
        listing.names = files.ListNames(std::u16string(row.folderText()));
        if (listing.names.empty()) unlisted.push_back(std::move(key));
        listing.index.Reserve(listing.names.size());
        // Each name's slot fetched some names ahead, as the run's lookups are;
        // its hash kept for when its turn comes.
        constexpr std::size_t Ahead = 8;
        std::array<std::uint64_t, Ahead> hashes{};
        for (std::size_t id = 0; id < listing.names.size(); ++id) {
            const NameKey key = id < Ahead ? KeyOf(listing.names[id]) : NameKey{listing.names[id], hashes[id % Ahead]};
            if (id + Ahead < listing.names.size()) {
                const NameKey ahead = KeyOf(listing.names[id + Ahead]);
                hashes[id % Ahead] = ahead.hash;  // the slot of id + Ahead
                if (const char* slot = listing.index.SlotAddress(ahead)) FetchLine(slot);
            }
            if (listing.index.Find(key, [&](std::uint32_t i) { return std::u16string_view(listing.names[i]); }) ==
                NameIndex::None)
                listing.index.Insert(key, static_cast<std::uint32_t>(id));
        }
    }
    if (unlisted.empty()) return listings;

    // A folder that could not be read: assume its rows' files are there.
    for (const std::size_t index : rows) {
        if (index >= table.size()) continue;
        const FileRow& row = table[index];
        const std::u16string key = FolderKey(row.folderText());
        if (std::find(unlisted.begin(), unlisted.end(), key) == unlisted.end()) continue;
        FolderListing& listing = listings.folders[key];
        const NameKey name = KeyOf(row.name);
        const auto nameOf = [&](std::uint32_t i) { return std::u16string_view(listing.names[i]); };
        if (listing.index.Find(name, nameOf) != NameIndex::None) continue;
        listing.names.push_back(row.name);
        listing.index.Insert(KeyOf(listing.names.back()), static_cast<std::uint32_t>(listing.names.size() - 1));
    }
    return listings;
}

namespace {

// One play of the run. A row whose new name is held by the file of a row of
// this run that will move away waits for it (unless `noWait` says it may
// not): it moves as soon as that name is freed. A row that closes a cycle of
// such waits first moves aside to a temporary name, which frees its own name
// for the cycle, and then takes its new name last. `unresolved` receives the
// rows that waited for a name that was never freed.
std::vector<PredictedRow> PlayRun(const FileTable& table, const std::vector<std::size_t>& rows, const NamePlan& plan,
                                  const FolderListings& listings, bool movesRefused,
                                  const std::vector<std::uint8_t>& noWait, std::vector<std::size_t>& unresolved,
                                  const RunningNumbers* from) {
    constexpr std::size_t None = static_cast<std::size_t>(-1);
    // Built in place and never changed afterwards: the folder states keep
    // views of these names.
    std::vector<PredictedRow> out(rows.size());
    std::unordered_map<std::u16string, FolderState> folders;
    // Where a row's own name stands once this pass has renamed it (a row
    // listed twice meets its new name).
    std::vector<std::uint32_t> renamedAt(table.size(), NameIndex::None);
    // The slots of the rows by their names as listed, folder and name folded:
    // who holds a name that another row wants.
    const auto nameKey = [](std::u16string_view folder, std::u16string_view name) {
        std::u16string key = FolderKey(folder);
        key.push_back(u'\\');
        key.append(Trimmed(name));
        ToAsciiLower(key);
        return key;
    };
    // By the hash of that key, then by slot: one array, not a map with a list
    // for every row (a million rows would make two million allocations),
    // sorted by counting, whose time grows with the rows alone.
    const auto hashOfKey = [](const std::u16string& key) { return std::hash<std::u16string>{}(key); };
    std::vector<SortKey> slotsAt;
    if (!movesRefused && plan.renames()) {
        slotsAt.reserve(rows.size());
        for (std::size_t slot = 0; slot < rows.size(); ++slot)
            if (rows[slot] < table.size())
                slotsAt.push_back({hashOfKey(nameKey(table[rows[slot]].folderText(), table[rows[slot]].name)),
                                   static_cast<std::uint32_t>(slot)});
        SortKeysByHead(slotsAt);
    }
    // Rows that wait: by the name they wait for, and by the name they still hold.
    std::unordered_map<std::u16string, std::size_t> waitingFor, waitingAt;
    std::vector<std::size_t> waitsOn(rows.size(), None);  // the row whose file holds the name, or further on
    std::vector<std::u16string> heldName(rows.size());     // a waiting row's name as it holds it

    const std::u16string* lastFolderText = nullptr;
    FolderState* folder = nullptr;
    const auto folderOf = [&](const FileRow& row) {
        if (!folder || !row.folder || row.folder.get() != lastFolderText) {
            lastFolderText = row.folder.get();
            std::u16string key = FolderKey(row.folderText());
            auto [at, added] = folders.try_emplace(std::move(key));
            folder = &at->second;
            if (added) {
                const auto listed = listings.folders.find(at->first);
                if (listed != listings.folders.end()) {
                    folder->listing = &listed->second;
                    folder->gone.assign(listed->second.names.size(), 0);
                    // Most rows of a folder take a new name in it.
                    folder->givenIndex.Reserve(std::min(listed->second.names.size(), rows.size()));
                    folder->given.reserve(std::min(listed->second.names.size(), rows.size()));
                }
            }
        }
        return folder;
    };
    // The name `freed` (as `key`) is free again: the row waiting for it moves,
    // which frees its own name in turn.
    const auto cascade = [&](std::u16string key) {
        for (auto found = waitingFor.find(key); found != waitingFor.end(); found = waitingFor.find(key)) {
            const std::size_t slot = found->second;
            waitingFor.erase(found);
            waitsOn[slot] = None;
            const FileRow& row = table[rows[slot]];
            FolderState& state = *folderOf(row);
            const NameKey newKey = KeyOf(out[slot].newName);
            if (!out[slot].aside) {
                state.Vacate(state.Find(KeyOf(heldName[slot])));
                waitingAt.erase(nameKey(row.folderText(), heldName[slot]));
            }
            state.Occupy(newKey, state.Find(newKey));
            renamedAt[rows[slot]] = static_cast<std::uint32_t>(slot);
            if (out[slot].aside) return;  // it came from its temporary name, which nobody waits for
            key = nameKey(row.folderText(), heldName[slot]);
        }
    };

    // What a row's lookups will read is asked for in stages some rows before
    // it: its name, then the slots its hash picks in the folder's tables, then
    // the listed name found there and that name's units. At a million rows each
    // would be a wait for memory, one after another. In the loop itself: a
    // compiler may take a function that only fetches for one without effect.
    constexpr std::size_t Ahead = 16;
    std::array<std::uint64_t, Ahead> hashAhead{};
    std::array<std::size_t, Ahead> hashedRow;  // whose name hashAhead holds: that row's own lookup takes it
    hashedRow.fill(static_cast<std::size_t>(-1));
    std::array<std::uint32_t, Ahead> listedAhead{};
    const auto inFolder = [&](std::size_t slot) {
        return folder && slot < rows.size() && rows[slot] < table.size() &&
               table[rows[slot]].folder.get() == lastFolderText;
    };
    RunningNumbers numbers = from ? *from : RunningNumbers(plan);
    for (std::size_t slot = 0; slot < rows.size(); ++slot) {
        if (slot + Ahead < rows.size() && rows[slot + Ahead] < table.size())
            FetchLine(reinterpret_cast<const char*>(table[rows[slot + Ahead]].name.data()));
        if (const std::size_t at = slot + Ahead / 2; inFolder(at)) {
            const NameKey key = KeyOf(table[rows[at]].name);
            hashAhead[at % Ahead] = key.hash;
            hashedRow[at % Ahead] = rows[at];
            if (const char* given = folder->givenIndex.SlotAddress(key)) FetchLine(given);
            if (folder->listing)
                if (const char* listed = folder->listing->index.SlotAddress(key)) FetchLine(listed);
        }
        if (const std::size_t at = slot + Ahead / 4; inFolder(at) && folder->listing) {
            const std::uint32_t id = folder->listing->index.Candidate({table[rows[at]].name, hashAhead[at % Ahead]});
            listedAhead[at % Ahead] = id;
            if (id != NameIndex::None) {
                FetchLine(reinterpret_cast<const char*>(&folder->listing->names[id]));
                FetchLine(reinterpret_cast<const char*>(&folder->gone[id]));
            }
        }
        if (const std::size_t at = slot + Ahead / 8; inFolder(at) && folder->listing)
            // Checked: the stage before may have looked in another folder.
            if (const std::uint32_t id = listedAhead[at % Ahead]; id < folder->listing->names.size())
                FetchLine(reinterpret_cast<const char*>(folder->listing->names[id].data()));
        const std::size_t index = rows[slot];
        if (index >= table.size()) continue;
        const FileRow& row = table[index];
        PredictedRow& result = out[slot];
        folderOf(row);

        const std::u16string_view current =
            renamedAt[index] == NameIndex::None ? std::u16string_view(row.name) : out[renamedAt[index]].newName;
        const bool hashed = renamedAt[index] == NameIndex::None && hashedRow[slot % Ahead] == index;
        const FolderState::Found currentAt =
            folder->Find(hashed ? NameKey{current, hashAhead[slot % Ahead]} : KeyOf(current));
        // As the file system keeps it, without trailing dots and blanks.
        result.newName = NewNameOfRow(plan, row, current, numbers.Of(row), slot);
        result.newName.resize(Trimmed(result.newName).size());
        // A file that this run has moved there, or that waits to move away: listed twice.
        if (folder->MovedHere(currentAt, current) ||
            (!waitingAt.empty() && waitingAt.contains(nameKey(row.folderText(), current)))) {
            result.outcome = RunRowOutcome::MovedThisRun;
            numbers.Advance(row);
            continue;
        }
        if (!folder->Holds(currentAt)) {
            result.outcome = RunRowOutcome::NotOpened;
            numbers.Advance(row);
            continue;
        }
        if (result.newName != current) {
            // In the run's order: a name no file may have is refused before its length counts.
            if (!NameAllowed(result.newName) || IsTemporaryName(result.newName)) {
                result.outcome = RunRowOutcome::MoveRefused;
                continue;
            }
            if (row.folderText().size() + 1 + result.newName.size() > MaximumNewPathUnits) {
                result.outcome = RunRowOutcome::PathTooLong;
                continue;
            }
            const NameKey newKey = KeyOf(result.newName);
            FolderState::Found newAt = folder->Find(newKey);
            if (!SameFile(current, result.newName)) {
                std::u16string_view scratch;
                if (const std::u16string_view* holder = folder->Holder(newAt, scratch)) {
                    // Held by the file of a row that waits, or of a later row that will move away.
                    const std::u16string wanted = nameKey(row.folderText(), result.newName);
                    std::size_t by = None;
                    if (const auto waiting = waitingAt.find(wanted); waiting != waitingAt.end()) {
                        by = waiting->second;
                    } else if (newAt.given == NameIndex::None) {
                        // The first later row that holds the name.
                        const std::size_t hash = hashOfKey(wanted);
                        const auto after = [](const SortKey& a, const SortKey& b) {
                            return a.head != b.head ? a.head < b.head : a.index < b.index;
                        };
                        for (auto at = std::upper_bound(slotsAt.begin(), slotsAt.end(),
                                                        SortKey{hash, static_cast<std::uint32_t>(slot)}, after);
                             at != slotsAt.end() && at->head == hash; ++at) {
                            const FileRow& other = table[rows[at->index]];
                            if (nameKey(other.folderText(), other.name) != wanted) continue;
                            if (renamedAt[rows[at->index]] == NameIndex::None) by = at->index;
                            break;
                        }
                    }
                    if (by == None || noWait[slot] || waitingFor.contains(wanted)) {
                        result.outcome = RunRowOutcome::NameTaken;
                        result.takenBy.assign(*holder);
                        continue;
                    }
                    // Whether the waits lead back to this row: a cycle, which it closes.
                    std::size_t end = by;
                    while (end != slot && end < slot && waitsOn[end] != None) end = waitsOn[end];
                    for (std::size_t x = by; x != end && x < slot && waitsOn[x] != None;) {
                        const std::size_t next = waitsOn[x];
                        waitsOn[x] = end;  // shortened for the next walk
                        x = next;
                    }
                    result.waits = true;
                    waitsOn[slot] = by;
                    waitingFor.emplace(wanted, slot);
                    numbers.Advance(row);
                    if (end == slot) {
                        // It moves aside, freeing its name for the cycle, and takes its new name last.
                        result.aside = true;
                        folder->Vacate(currentAt);
                        cascade(nameKey(row.folderText(), current));
                    } else {
                        heldName[slot] = std::u16string(current);
                        waitingAt.emplace(nameKey(row.folderText(), current), slot);
                    }
                    continue;
                }
            }
            if (movesRefused) {
                result.outcome = RunRowOutcome::MoveRefused;
                continue;
            }
            folder->Move(currentAt, newKey, newAt);
            renamedAt[index] = static_cast<std::uint32_t>(slot);
            // A change of case alone frees no name.
            if (!waitingFor.empty() && !SameFile(current, result.newName)) cascade(nameKey(row.folderText(), current));
        }
        numbers.Advance(row);
    }
    for (const auto& [key, slot] : waitingFor) unresolved.push_back(slot);
    return out;
}

}  // namespace

bool IsTemporaryName(std::u16string_view name) {
    constexpr std::u16string_view start = TemporaryNameStart;
    return name.size() >= start.size() && EqualIgnoringAsciiCase(name.substr(0, start.size()), start);
}

std::u16string TemporaryName(std::uint32_t number) {
    std::u16string name(TemporaryNameStart);
    for (int shift = 28; shift >= 0; shift -= 4) name.push_back(u"0123456789abcdef"[(number >> shift) & 0xF]);
    return name + u".tmp";
}

std::vector<PredictedRow> PredictRun(const FileTable& table, const std::vector<std::size_t>& rows,
                                     const NamePlan& plan, const FolderListings& listings, bool movesRefused,
                                     const RunningNumbers* from) {
    // A row that waited in vain for its name takes it as taken, and the run
    // is played again, as the numbers after it may change; a few plays
    // settle every list that people make, and then no row waits at all.
    std::vector<std::uint8_t> noWait(rows.size(), 0);
    for (int play = 0;; ++play) {
        std::vector<std::size_t> unresolved;
        std::vector<PredictedRow> out = PlayRun(table, rows, plan, listings, movesRefused, noWait, unresolved, from);
        if (unresolved.empty()) return out;
        if (play == 8) std::fill(noWait.begin(), noWait.end(), 1);
        for (const std::size_t slot : unresolved) noWait[slot] = 1;
    }
}

std::vector<std::u16string> PlannedNamesOfRun(const FileTable& table, const std::vector<std::size_t>& rows,
                                              const NamePlan& plan, FileSystem& files, bool movesRefused,
                                              const RunningNumbers* numbers) {
    std::vector<std::u16string> names(rows.size());
    if (!plan.renames()) return names;
    std::vector<PredictedRow> predicted =
        PredictRun(table, rows, plan, ReadFolderListings(table, rows, files), movesRefused, numbers);
    for (std::size_t i = 0; i < rows.size() && i < predicted.size(); ++i) {
        PredictedRow& row = predicted[i];
        const bool tried = row.outcome == RunRowOutcome::Done || row.outcome == RunRowOutcome::NameTaken ||
                           row.outcome == RunRowOutcome::MoveRefused;
        if (tried && !row.newName.empty() && rows[i] < table.size() && row.newName != table[rows[i]].name)
            names[i] = std::move(row.newName);
    }
    return names;
}

}  // namespace qm
