#include "core/files/run_prediction.h"

#include <algorithm>

#include "core/files/name_text.h"
#include "core/files/new_name.h"

namespace qm {

namespace {

std::u16string_view Trimmed(std::u16string_view name) {
    while (!name.empty() && (name.back() == u'.' || name.back() == u' ')) name.remove_suffix(1);
    return name;
}

std::u16string FolderKey(std::u16string_view folder) {
    std::u16string key(folder);
    ToAsciiLower(key);
    return key;
}

// A name that the platform cannot give a file: it resolves to nothing, to the
// folder itself or its parent, or holds a unit that no name may hold.
bool NoFileCanHave(std::u16string_view name) {
    const std::u16string_view trimmed = Trimmed(name);
    if (trimmed.empty() || name == u"." || name == u"..") return true;
    for (const char16_t unit : name)
        if (unit < 0x20 || std::u16string_view(u"<>:\"/|?*\\").find(unit) != std::u16string_view::npos) return true;
    return false;
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
    // The spelling of the file that holds `key` now; null when none does.
    const std::u16string_view* Holder(const NameKey& key, std::u16string_view& scratch) const {
        const std::uint32_t g = FindGiven(key);
        if (g != NameIndex::None) return given[g].present ? &given[g].name : nullptr;
        const std::uint32_t l = FindListed(key);
        if (l == NameIndex::None || gone[l]) return nullptr;
        scratch = listing->names[l];
        return &scratch;
    }
    bool Holds(const NameKey& key) const {
        std::u16string_view scratch;
        return Holder(key, scratch) != nullptr;
    }
    // Whether a move of this run gave a file exactly this path (A-Z and a-z alike).
    bool MovedHere(const NameKey& key) const {
        const std::uint32_t g = FindGiven(key);
        if (g == NameIndex::None || given[g].movedName.empty()) return false;
        if (EqualIgnoringAsciiCase(given[g].movedName, key.name)) return true;
        for (const std::u16string_view moved : moreMovedNames)
            if (EqualIgnoringAsciiCase(moved, key.name)) return true;
        return false;
    }
    void Move(const NameKey& from, const NameKey& to) {
        const std::uint32_t g = FindGiven(from);
        if (g != NameIndex::None) given[g].present = false;
        const std::uint32_t l = FindListed(from);
        if (l != NameIndex::None) gone[l] = 1;

        std::uint32_t t = FindGiven(to);
        if (t == NameIndex::None) {
            t = static_cast<std::uint32_t>(given.size());
            given.push_back({});
            givenIndex.Insert(to, t);
        }
        Given& target = given[t];
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

bool SameFile(std::u16string_view a, std::u16string_view b) { return EqualIgnoringAsciiCase(Trimmed(a), Trimmed(b)); }

void NameIndex::Reserve(std::size_t count) {
    std::size_t slots = 16;
    while (slots < count * 2) slots *= 2;
    if (slots > slots_.size()) Grow(slots);
}

void NameIndex::Grow(std::size_t slots) {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(slots, Slot{});
    const std::size_t mask = slots - 1;
    for (const Slot& slot : old) {
        if (slot.id == None) continue;
        std::size_t at = slot.hash & mask;
        while (slots_[at].id != None) at = (at + 1) & mask;
        slots_[at] = slot;
    }
}

void NameIndex::Insert(const NameKey& key, std::uint32_t id) {
    if ((count_ + 1) * 2 > slots_.size()) Grow(slots_.empty() ? 16 : slots_.size() * 2);
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = key.hash & mask;
    while (slots_[at].id != None) at = (at + 1) & mask;
    slots_[at] = {key.hash, id};
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
        for (std::size_t id = 0; id < listing.names.size(); ++id)
            if (listing.index.Find(KeyOf(listing.names[id]), [&](std::uint32_t i) {
                    return std::u16string_view(listing.names[i]);
                }) == NameIndex::None)
                listing.index.Insert(KeyOf(listing.names[id]), static_cast<std::uint32_t>(id));
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

std::vector<PredictedRow> PredictRun(const FileTable& table, const std::vector<std::size_t>& rows,
                                     const RenameOptions& options, const FolderListings& listings) {
    const NamePlan plan = PlanNames(options);
    // Built in place and never changed afterwards: the folder states keep
    // views of these names.
    std::vector<PredictedRow> out(rows.size());
    std::unordered_map<std::u16string, FolderState> folders;
    // Where a row's own name stands once this pass has renamed it (a row
    // listed twice meets its new name).
    std::vector<std::uint32_t> renamedAt(table.size(), NameIndex::None);

    const std::u16string* lastFolderText = nullptr;
    FolderState* folder = nullptr;
    std::uint32_t number = plan.firstNumber;
    for (std::size_t slot = 0; slot < rows.size(); ++slot) {
        const std::size_t index = rows[slot];
        if (index >= table.size()) continue;
        const FileRow& row = table[index];
        PredictedRow& result = out[slot];
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
                }
            }
        }

        const std::u16string_view current =
            renamedAt[index] == NameIndex::None ? std::u16string_view(row.name) : out[renamedAt[index]].newName;
        const NameKey currentKey = KeyOf(current);
        result.newName = NewName(plan, current, number);
        if (folder->MovedHere(currentKey)) {
            result.outcome = RunRowOutcome::MovedThisRun;
            ++number;
            continue;
        }
        if (!folder->Holds(currentKey)) {
            result.outcome = RunRowOutcome::NotOpened;
            ++number;
            continue;
        }
        if (result.newName != current) {
            if (row.folderText().size() + 1 + result.newName.size() > MaximumNewPathUnits) {
                result.outcome = RunRowOutcome::PathTooLong;
                continue;
            }
            if (NoFileCanHave(result.newName)) {
                result.outcome = RunRowOutcome::MoveRefused;
                continue;
            }
            const NameKey newKey = KeyOf(result.newName);
            if (!SameFile(current, result.newName)) {
                std::u16string_view scratch;
                if (const std::u16string_view* holder = folder->Holder(newKey, scratch)) {
                    result.outcome = RunRowOutcome::NameTaken;
                    result.takenBy.assign(*holder);
                    continue;
                }
            }
            folder->Move(currentKey, newKey);
            renamedAt[index] = static_cast<std::uint32_t>(slot);
        }
        ++number;
    }
    return out;
}

}  // namespace qm
