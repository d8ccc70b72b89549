#include "core/rows/list_editing.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>

#include "core/rows/fetch_ahead.h"
#include "core/rows/keyed_sort.h"

namespace qm {

namespace {

// The texts whose plan the first heads are made by, before the whole plan is
// known: enough to hold every unit of a list of like names, as a camera's are.
constexpr std::size_t GuessedFrom = 1024;

// Texts lie wherever their rows' names were made (scattered by a run and its
// undo, say): each is asked for this many texts before it is read.
constexpr std::size_t FetchedAhead = 16;

// Its first unit's line and its last's: a name of some twenty units crosses
// into a second line more often than not.
void FetchLine(std::u16string_view text) {
    if (text.empty()) return;
    qm::FetchLine(reinterpret_cast<const char*>(text.data()));
    qm::FetchLine(reinterpret_cast<const char*>(text.data() + text.size() - 1));
}

// The units of a text, A-Z folded, packed into 64 bits so that comparing the
// numbers compares the units: each unit by its rank among the units that the
// texts hold, in as few bits as their number needs, so that ASCII names pack
// ten units, not four. A missing unit counts as 0, below every unit a text
// holds, so a text sorts before the longer texts it begins.
//
// Only the places where texts differ are packed: a place where every text
// that reaches it holds the same unit, and none ends, decides no comparison.
// Dates shown as texts ("01.05.2024 - 01:00:00.000 AM") then pack their
// digits alone, one head a date, instead of a group of rows alike to the
// minute being read again, each row from wherever its text lies.
class HeadPacking {
public:
    // Heads of at most `headBits` bits, planned from `texts`; `eachText(i)`
    // is called as the plan reads texts[i], while it is at hand.
    template <class EachText>
    HeadPacking(std::span<const std::u16string_view> texts, unsigned headBits, const EachText& eachText) {
        std::size_t longest = 0;
        for (const std::u16string_view text : texts) longest = std::max(longest, text.size());
        // The texts are read once: a million scattered names cost a wait for
        // memory each time. Besides the places where they differ, each unit is
        // counted wherever it stands; the counts at the places where all texts
        // agree are taken off after, which leaves the units the heads hold.
        const bool ranked = texts.size() >= RankedFrom;
        std::vector<std::uint32_t> occurrences(ranked ? 0x10000 : 0, 0);
        std::vector<std::uint32_t> reaching(longest + 1, 0);  // texts at least this long
        std::vector<char16_t> unitAt(longest, 0);
        std::vector<bool> differs(longest, false), seen(longest, false);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (i + FetchedAhead < texts.size()) FetchLine(texts[i + FetchedAhead]);
            const std::u16string_view text = texts[i];
            ++reaching[text.size()];
            for (std::size_t k = 0; k < text.size(); ++k) {
                const char16_t unit = AsciiUpper(text[k]);
                if (ranked) ++occurrences[unit];
                if (!seen[k]) {
                    seen[k] = true;
                    unitAt[k] = unit;
                } else if (unitAt[k] != unit) {
                    differs[k] = true;
                }
            }
            if (text.size() < longest) differs[text.size()] = true;  // the text ends here
            eachText(i);
        }
        for (std::size_t k = longest; k-- > 0;) reaching[k] += reaching[k + 1];
        for (std::size_t k = 0; k < longest; ++k)
            if (differs[k]) places_.push_back(k);
            else if (ranked) occurrences[unitAt[k]] -= reaching[k + 1];  // every text that reaches k holds it
        if (!ranked) {  // each unit as it is, 16 bits
            units_ = headBits / bits_;
            return;
        }
        rank_.assign(0x10000, 0);
        std::uint32_t ranks = 0;
        for (std::size_t unit = 1; unit < 0x10000; ++unit)  // a unit 0, which no name holds, counts as missing
            if (occurrences[unit]) rank_[unit] = static_cast<std::uint16_t>(++ranks);
        bits_ = 1;
        while (bits_ < 16 && (1u << bits_) <= ranks) ++bits_;
        units_ = headBits / bits_;
    }
    std::size_t units() const { return units_; }
    // The head of `text` from its `depth`-th place on.
    std::uint64_t HeadAt(std::u16string_view text, std::size_t depth) const {
        std::uint64_t head = 0;
        for (std::size_t k = 0; k < units_; ++k) {
            const std::size_t place = depth + k < places_.size() ? places_[depth + k] : text.size();
            head = (head << bits_) | (place < text.size() ? Rank(AsciiUpper(text[place])) : 0u);
        }
        return head;
    }
    // Whether both make the same first head of every text.
    bool SameFirstHeads(const HeadPacking& other) const {
        const std::size_t used = std::min(places_.size(), units_);
        return bits_ == other.bits_ && units_ == other.units_ && rank_ == other.rank_ &&
               std::min(other.places_.size(), other.units_) == used &&
               std::equal(places_.begin(), places_.begin() + static_cast<std::ptrdiff_t>(used), other.places_.begin());
    }
    // Whether a text of `head` ends within it.
    bool Ended(std::uint64_t head) const { return (head & ((std::uint64_t{1} << bits_) - 1)) == 0; }

private:
    // A table of ranks pays from some thousand texts on (a folder's few
    // entries, say, need none).
    static constexpr std::size_t RankedFrom = 1024;
    std::uint32_t Rank(char16_t unit) const { return rank_.empty() ? unit : rank_[unit]; }
    std::vector<std::size_t> places_;  // the places where texts differ; those before are the shared beginning
    std::vector<std::uint16_t> rank_;
    unsigned bits_ = 16;
    std::size_t units_ = 0;
};

}  // namespace

std::vector<std::size_t> SortedOrderOfTexts(const std::vector<std::u16string_view>& texts) {
    // Sorted by a head of units at a time: each group whose units are all
    // alike so far is sorted again by its next head, until its texts end. No
    // two texts are ever compared, and each text is read once a head.
    // Folded as the heads are packed: no folded copy of a million texts.
    // Each key holds its head above its text's index, in 64 bits: a million
    // keys and their spare then fit the processor's cache, which twice as many
    // bytes did not; a head holds a unit or so less.
    const PackedKeys packed(texts.size());
    std::vector<std::uint64_t> keys(texts.size());
    // The first heads are made as the plan reads the texts, by a plan of the
    // first texts alone: a million scattered texts are then waited for once,
    // not twice. Where the whole plan differs, they are made again.
    std::optional<HeadPacking> guess;
    if (texts.size() > GuessedFrom)
        guess.emplace(std::span(texts).first(GuessedFrom), packed.HeadBits(), [](std::size_t) {});
    const HeadPacking packing(texts, packed.HeadBits(), [&](std::size_t i) {
        if (guess) keys[i] = packed.Key(guess->HeadAt(texts[i], 0), i);
    });
    if (!guess || !packing.SameFirstHeads(*guess)) {
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (i + FetchedAhead < texts.size()) FetchLine(texts[i + FetchedAhead]);
            keys[i] = packed.Key(packing.HeadAt(texts[i], 0), i);
        }
    }
    SortPackedKeys(keys, 0, keys.size(), packed.indexBits);
    struct Group {
        std::size_t first, last, depth;
    };
    std::vector<Group> alike;
    const auto splitIntoAlike = [&](std::size_t first, std::size_t last, std::size_t depth) {
        for (std::size_t a = first; a < last;) {
            std::size_t b = a + 1;
            while (b < last && packed.Head(keys[b]) == packed.Head(keys[a])) ++b;
            if (b - a > 1 && !packing.Ended(packed.Head(keys[a]))) alike.push_back({a, b, depth + packing.units()});
            a = b;
        }
    };
    splitIntoAlike(0, keys.size(), 0);
    while (!alike.empty()) {
        const Group group = alike.back();
        alike.pop_back();
        // Equal heads kept their indexes' order: the group's keys ascend by index, as the sort needs.
        for (std::size_t k = group.first; k < group.last; ++k) {
            if (k + FetchedAhead < group.last) FetchLine(texts[packed.Index(keys[k + FetchedAhead])]);
            const std::size_t index = packed.Index(keys[k]);
            keys[k] = packed.Key(packing.HeadAt(texts[index], group.depth), index);
        }
        SortPackedKeys(keys, group.first, group.last, packed.indexBits);
        splitIntoAlike(group.first, group.last, group.depth);
    }
    return packed.IndexesOf(keys);
}

std::vector<std::size_t> NaturalOrderOfTexts(const std::vector<std::u16string_view>& texts, CaseFold fold,
                                             bool descending) {
    // The folded texts side by side, each folded once, not once per comparison,
    // and read in one pass: the rows' own names lie scattered over the heap.
    std::size_t units = 0;
    for (const std::u16string_view text : texts) units += text.size();
    std::u16string folded(units, u'\0');
    std::vector<std::size_t> start(texts.size() + 1, 0);
    std::size_t end = 0;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (i + FetchedAhead < texts.size()) FetchLine(texts[i + FetchedAhead]);
        start[i] = end;
        bool beyondAscii = false;
        for (const char16_t unit : texts[i]) {
            folded[end++] = AsciiLower(unit);
            beyondAscii |= unit >= 0x80;
        }
        // Only a text with letters beyond ASCII needs the platform: most need no call.
        if (beyondAscii && fold) {
            const std::u16string foldedText = FoldedForSorting(texts[i], fold);
            // A fold that lengthens the text takes room from the texts still to come.
            if (foldedText.size() > texts[i].size()) folded.resize(folded.size() + foldedText.size() - texts[i].size());
            end = start[i] + foldedText.copy(folded.data() + start[i], foldedText.size());
        }
    }
    start[texts.size()] = end;
    folded.resize(end);
    const std::u16string_view all(folded);
    auto text = [&](std::size_t i) { return all.substr(start[i], start[i + 1] - start[i]); };

    // The heads after the units all texts share (not inside a run of digits,
    // which counts whole): most comparisons never touch the texts.
    std::size_t shared = texts.empty() ? 0 : text(0).size();
    for (std::size_t i = 1; i < texts.size() && shared > 0; ++i) {
        const std::u16string_view a = text(0), b = text(i);
        std::size_t n = 0;
        while (n < shared && n < b.size() && a[n] == b[n]) ++n;
        shared = n;
    }
    while (shared > 0 && text(0)[shared - 1] >= u'0' && text(0)[shared - 1] <= u'9') --shared;
    // By the heads first, without a comparison; then each group of equal
    // heads by the rule itself. Views made when asked: a million would take 16 MB.
    auto rest = [&](std::size_t i) { return all.substr(start[i] + shared, start[i + 1] - start[i] - shared); };
    // Each key its head above its text's index, as for the sort by text.
    const PackedKeys packed(texts.size());
    const NaturalHeads heads(all, texts.size(), packed.HeadBits());
    // Beside each head the value of the run of digits that stops it: rows
    // alike up to their numbers, as a camera names them, are ordered without
    // reading their texts again.
    std::vector<std::uint64_t> runs(texts.size());
    std::vector<std::uint64_t> keys(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        runs[i] = heads.RunAfter(rest(i));
        const std::uint64_t head = heads(rest(i));
        keys[i] = packed.Key(descending ? ~head : head, i);  // the bits shifted out are beyond any head
    }
    SortPackedKeys(keys, 0, keys.size(), packed.indexBits);
    // The runs in the keys' order, gathered in one loop whose loads overlap:
    // looked up by index inside the groups' sorts, each would wait for memory
    // at a million rows.
    {
        std::vector<std::uint64_t> inOrder(keys.size());
        for (std::size_t k = 0; k < keys.size(); ++k) inOrder[k] = runs[packed.Index(keys[k])];
        runs.swap(inOrder);
    }
    struct RunKey {
        std::uint64_t run;
        std::uint64_t key;
    };
    std::vector<RunKey> group;
    for (std::size_t a = 0; a < keys.size();) {
        std::size_t b = a + 1;
        while (b < keys.size() && packed.Head(keys[b]) == packed.Head(keys[a])) ++b;
        if (b - a > 1) {
            group.clear();
            for (std::size_t k = a; k < b; ++k) group.push_back({runs[k], keys[k]});
            std::sort(group.begin(), group.end(), [&](const RunKey& x, const RunKey& y) {
                if (x.run != y.run) return descending ? x.run > y.run : x.run < y.run;
                const int c = CompareNaturally(rest(packed.Index(x.key)), rest(packed.Index(y.key)));
                if (c != 0) return descending ? c > 0 : c < 0;
                return x.key < y.key;  // equal heads: by index
            });
            for (std::size_t k = a; k < b; ++k) keys[k] = group[k - a].key;
        }
        a = b;
    }
    return packed.IndexesOf(keys);
}

std::vector<std::size_t> OrderByInstants(const std::vector<std::optional<std::uint64_t>>& instants, bool descending) {
    std::vector<SortKey> dated;
    std::vector<std::size_t> undated;
    dated.reserve(instants.size());  // most rows have a date: no copies of a growing 16 MB
    for (std::size_t i = 0; i < instants.size(); ++i) {
        if (instants[i]) dated.push_back({descending ? ~*instants[i] : *instants[i], static_cast<std::uint32_t>(i)});
        else undated.push_back(i);
    }
    SortKeysByHead(dated);
    std::vector<std::size_t> order = IndexesOf(dated);
    order.insert(order.end(), undated.begin(), undated.end());
    return order;
}

}  // namespace qm
