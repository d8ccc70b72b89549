#pragma once
// The rename run played through in memory: the name each row would get and
// whether its move would succeed, from the names the folders hold now. The
// preview column shows it; nothing on disk is touched.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/rows/file_table.h"
#include "core/rows/file_system.h"
#include "core/text/name_text.h"
#include "core/naming/new_name.h"
#include "core/naming/running_number.h"
#include "core/run/rename_run.h"

namespace qm {

// A name as the file system matches it: A-Z and a-z alike, trailing dots and
// blanks dropped. `hash` is the same for every spelling of one name.
struct NameKey {
    std::u16string_view name;  // as spelled
    std::uint64_t hash = 0;
};
NameKey KeyOf(std::u16string_view name);

inline std::u16string_view WithoutTrailingDotsAndBlanks(std::u16string_view name) {
    while (!name.empty() && (name.back() == u'.' || name.back() == u' ')) name.remove_suffix(1);
    return name;
}
// Whether two names name the same file in one folder. Inline: every lookup of
// the clash pass ends here.
inline bool SameFile(std::u16string_view a, std::u16string_view b) {
    a = WithoutTrailingDotsAndBlanks(a);
    b = WithoutTrailingDotsAndBlanks(b);
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

// An open-addressing set of ids whose names are found through `nameOf`, so the
// names themselves live elsewhere and the index can be copied freely.
class NameIndex {
public:
    static constexpr std::uint32_t None = 0xFFFFFFFFu;

    template <class NameOf>
    std::uint32_t Find(const NameKey& key, const NameOf& nameOf) const {
        if (slots_.empty()) return None;
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t at = key.hash & mask;; at = (at + 1) & mask) {
            const Slot& slot = slots_[at];
            if (slot.id == None) return None;
            if (slot.check == Check(key) && SameFile(nameOf(slot.id), key.name)) return slot.id;
        }
    }
    // Where a search for `key` starts, to be fetched ahead of the search.
    const char* SlotAddress(const NameKey& key) const {
        return slots_.empty() ? nullptr : reinterpret_cast<const char*>(&slots_[key.hash & (slots_.size() - 1)]);
    }
    // The first id whose hash matches `key`'s, its name not yet compared: what
    // a search will most likely read next, to be fetched ahead of it.
    std::uint32_t Candidate(const NameKey& key) const {
        if (slots_.empty()) return None;
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t at = key.hash & mask;; at = (at + 1) & mask)
            if (slots_[at].id == None || slots_[at].check == Check(key)) return slots_[at].id;
    }
    // The caller has made sure that no id with this name is in the index.
    void Insert(const NameKey& key, std::uint32_t id);
    void Reserve(std::size_t count);
    std::size_t size() const { return count_; }

private:
    // Eight bytes a slot: the high half of the hash tells most names apart
    // without a look at the names, the low half picks the slot.
    struct Slot {
        std::uint32_t check = 0;
        std::uint32_t id = None;
    };
    static std::uint32_t Check(const NameKey& key) { return static_cast<std::uint32_t>(key.hash >> 32); }
    void Grow(std::size_t slots);
    std::vector<Slot> slots_;
    std::vector<std::uint32_t> low_;  // the low half of each hash, for growing only
    std::size_t count_ = 0;
};

// The names one folder holds now, as it spells them.
struct FolderListing {
    std::vector<std::u16string> names;
    NameIndex index;  // ids into `names`
};

// The names each folder holds now, read with one listing per folder; keyed by
// the folder's text with A-Z folded to a-z. A folder that cannot be listed (an
// empty listing) is taken to hold the files of its rows and nothing else.
struct FolderListings {
    std::unordered_map<std::u16string, FolderListing> folders;
};

FolderListings ReadFolderListings(const FileTable& table, const std::vector<std::size_t>& rows, FileSystem& files);

struct PredictedRow {
    std::u16string newName;  // the name the run would give the row, as the file system keeps it
    // Done, NameTaken, PathTooLong or MovedThisRun; also NotOpened for a file
    // that is not there (any more), MoveRefused for a name no file can have.
    RunRowOutcome outcome = RunRowOutcome::Done;
    std::u16string takenBy;  // for NameTaken: the name of the file that holds the new name
    // Done, but its new name is held by the file of a row of this run that
    // moves away later: it moves when that name is freed.
    bool waits = false;
    // It closes a cycle of names (a swap): it first moves to a temporary
    // name, which frees its own name for the others, and takes its new name last.
    bool aside = false;
};

// The temporary names through which the moves of a cycle go: "~qm-swap-",
// eight hexadecimal digits, ".tmp". The run never gives such a name otherwise.
inline constexpr std::u16string_view TemporaryNameStart = u"~qm-swap-";
bool IsTemporaryName(std::u16string_view name);
std::u16string TemporaryName(std::uint32_t number);

// Plays the run through in memory in its own order; one entry per entry of
// `rows`. Names that the run's own files give up are free for the rows that
// want them: a row waits for such a name (chains in any order), and a cycle
// of names (swaps) goes through one temporary name. Files held open by other
// programs cannot be foreseen. With
// `movesRefused`, every move that the folders would allow is taken to be
// refused for a reason they do not show, as the last one of the run was.
// `numbers`, when given, are the counts to go on from (the rest of a run).
std::vector<PredictedRow> PredictRun(const FileTable& table, const std::vector<std::size_t>& rows,
                                     const NamePlan& plan, const FolderListings& listings, bool movesRefused = false,
                                     const RunningNumbers* numbers = nullptr);

// The name each of `rows` is about to be moved to by a run with `plan`, the
// run played through against the folders as they are now: the name its move
// will try, whether or not another file is foreseen to hold it. Empty for a
// row that keeps its name or whose move will not be tried (its file is not
// there, its path would be too long, the name is empty).
std::vector<std::u16string> PlannedNamesOfRun(const FileTable& table, const std::vector<std::size_t>& rows,
                                              const NamePlan& plan, FileSystem& files, bool movesRefused = false,
                                              const RunningNumbers* numbers = nullptr);

}  // namespace qm
