// The file list engine on files held in memory: how adding, a rename run, undo
// and a sort by name grow from 10,000 to 100,000 rows (each line the cost at
// 100,000 over the cost at 10,000; linear growth gives 10), and the time of a
// sort of 100,000 rows by "File Name", by its text and as Explorer sorts, and
// by "Created", by its text and by the instant (each from the order of adding
// order), with the ratios of each Explorer sort to the text sort of its column.
// Then a million rows against 100,000 (linear growth gives 10; the target is
// at most 12): adding, the sorts, the prediction of a run and a keystroke's
// preview (the new name of every row), and the resident size of the rows.
// Times are the processor's, so that other work on the machine counts little.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <fstream>
#include <string>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "core/naming/new_name.h"
#include "core/rows/add_files.h"
#include "core/rows/file_order.h"
#include "core/rows/list_editing.h"
#include "core/rows/memory_file_system.h"
#include "core/run/rename_run.h"
#include "core/run/run_prediction.h"
#include "core/run/undo_run.h"
#include "timing.h"

namespace {

using qm::bench::ProcessorSeconds;

struct Costs {
    double add = 0, run = 0, undo = 0, sort = 0;
    double opens = 0;  // the same files opened in the in-memory file layer alone
    double explorerName = 0, textDate = 0, explorerDate = 0;
    double prediction = 0, preview = 0;
    double rowBytes = 0;  // resident size the rows added, over their number
};

// The files as a disk gives them when they are opened in the order they are
// listed: each open costs the same whatever the number of files, as the
// system's cached lookup of a name in its folder does. The in-memory file
// layer finds each path in a hash table of every path, which outgrows the
// processor's cache between 100,000 files and a million and would time that
// table, not the rows. Anything else is asked of the layer itself.
class ListedFiles : public qm::FileSystem {
public:
    ListedFiles(qm::MemoryFileSystem& files, const std::u16string& folder, const std::vector<std::u16string>& names)
        : files_(files) {
        listed_.reserve(names.size());
        for (const std::u16string& name : names) {
            Listed file;
            file.path = qm::JoinPath(folder, name);
            const qm::MemoryFileSystem::Entry* entry = files.Find(file.path);
            file.times = entry->times;
            file.attributes = entry->attributes;
            file.identity = files.ReadIdentity(file.path);
            listed_.push_back(std::move(file));
        }
    }
    std::uint32_t GetAttributes(const std::u16string& path) override { return files_.GetAttributes(path); }
    bool SetAttributes(const std::u16string& path, std::uint32_t attributes) override {
        return files_.SetAttributes(path, attributes);
    }
    std::unique_ptr<qm::OpenFile> OpenForRead(const std::u16string& path) override {
        if (next_ < listed_.size() && listed_[next_].path == path) return std::make_unique<Handle>(listed_[next_++]);
        return files_.OpenForRead(path);
    }
    std::unique_ptr<qm::OpenFile> OpenForWrite(const std::u16string& path) override {
        return files_.OpenForWrite(path);
    }
    qm::FileIdentity ReadIdentity(const std::u16string& path) override { return files_.ReadIdentity(path); }
    qm::MoveOutcome Move(const std::u16string& from, const std::u16string& to) override {
        return files_.Move(from, to);
    }
    bool ListEntries(const std::u16string& folder, std::vector<qm::FolderEntry>& entries) override {
        return files_.ListEntries(folder, entries);
    }
    std::size_t opened() const { return next_; }

private:
    struct Listed {
        std::u16string path;
        qm::FileTimes times;
        std::uint32_t attributes = 0;
        qm::FileIdentity identity;
    };
    class Handle : public qm::OpenFile {
    public:
        explicit Handle(const Listed& file) : file_(file) {}
        qm::FileTimes ReadTimes() override { return file_.times; }
        void WriteTimes(const std::uint64_t*, const std::uint64_t*, const std::uint64_t*) override {}
        qm::FileIdentity ReadIdentity() override { return file_.identity; }
        std::uint32_t ReadAttributes() override { return file_.attributes; }
        std::uint64_t Size() override { return 0; }
        std::size_t ReadAt(std::uint64_t, void*, std::size_t) override { return 0; }

    private:
        const Listed& file_;
    };
    qm::MemoryFileSystem& files_;
    std::vector<Listed> listed_;
    std::size_t next_ = 0;
};

// Resident bytes of this process; 0 where the system does not tell.
double ResidentBytes() {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == "VmRSS:") {
            double kilobytes = 0;
            status >> kilobytes;
            return kilobytes * 1024;
        }
    return 0;
}

Costs Measure(std::size_t rows) {
    qm::MemoryFileSystem files;
    const auto folder = std::make_shared<const std::u16string>(u"C:\\bench");
    std::vector<std::u16string> names;
    std::mt19937 random(7);
    for (std::size_t i = 0; i < rows; ++i) {
        std::u16string name = u"photo ";
        for (int k = 0; k < 4; ++k) name += static_cast<char16_t>(u'a' + random() % 26);
        for (char digit : std::to_string(random() % 100'000)) name += static_cast<char16_t>(digit);  // as cameras number
        name += i % 3 ? u".jpg" : u".JPG";
        // Creation times to the millisecond over some twelve days.
        const std::uint64_t created = 130'000'000'000'000'000ull + (random() % 1'000'000'000ull) * 10'000;
        files.AddFile(*folder + u"\\" + name, {created, 0, 0}, 0x20);
        names.push_back(std::move(name));
    }
    // The best of three, each into a table of its own, the resident size
    // from the first: here the first add of a million rows in a run now and
    // then measured three to four times the later ones (pages that the
    // virtual machine had not yet used, as with the sorts below).
    qm::FileTable table;
    Costs costs;
    for (int round = 0; round < 3; ++round) {
        table = qm::FileTable{};
        ListedFiles listed(files, *folder, names);
        const double before = ResidentBytes();
        table.reserve(rows);
        const double seconds = ProcessorSeconds([&] {
            for (const std::u16string& name : names) qm::AppendFileRow(table, folder, name, listed);
        });
        if (round == 0) costs.rowBytes = (ResidentBytes() - before) / static_cast<double>(rows);
        costs.add = round == 0 ? seconds : std::min(costs.add, seconds);
        if (listed.opened() != rows || table.size() != rows) std::printf("files not added in the order listed\n");
    }
    // The same opens in the in-memory layer, after adding (whose files it then
    // finds in no cache that these opens left warm).
    costs.opens = ProcessorSeconds([&] {
        std::size_t opened = 0;
        for (const std::u16string& name : names) opened += files.OpenForRead(qm::JoinPath(*folder, name)) != nullptr;
        if (opened != rows) std::printf("files missing\n");
    });
    qm::RenameOptions options;
    options.fileNames = options.extensions = options.setDates = options.setModified = true;
    options.prefix = {true, false, false, true, u"Trip"};
    options.spacer = u"_";
    options.zerosText = u"6";
    options.offsetText = u"1";
    options.extensionMap = {{true, u"jpg", u"jpeg"}};
    options.fileTime = 133'000'000'000'000'000ull;
    const std::vector<std::size_t> all = qm::TakingPartRows(table.size(), {});
    const qm::NamePlan plan = qm::PlanNames(options);
    // The best of three: both change nothing.
    const auto best = [](const std::function<void()>& work) {
        double least = ProcessorSeconds(work);
        for (int round = 1; round < 3; ++round) least = std::min(least, ProcessorSeconds(work));
        return least;
    };
    costs.prediction = best([&] { qm::PlannedNamesOfRun(table, all, plan, files); });
    std::size_t length = 0;
    costs.preview = best([&] {
        for (std::size_t i = 0; i < table.size(); ++i)
            length += qm::NewNameOfRow(plan, table[i], table[i].name, static_cast<std::uint32_t>(i + 1), i).size();
    });
    if (length == 0) std::printf("no new names\n");
    costs.run = ProcessorSeconds([&] { qm::RunRename(table, all, options, files, 0); });
    costs.undo = ProcessorSeconds([&] { qm::UndoRename(table, all, files); });
    std::vector<bool> selected(table.size(), false);
    // The best of five, each from the order of adding (put back by the
    // inverse order, not from a copy: a million rows are held once). Here the
    // first two rounds at a million measured up to half again the later ones
    // (memory that the virtual machine had not yet used, most likely), and a
    // sort of 100,000 rows takes some 10 ms, which the machine's load moves by a tenth.
    const auto sortBy = [&](const qm::ColumnSort& sort) {
        double best = 0;
        for (int round = 0; round < 5; ++round) {
            std::vector<std::size_t> order;
            const double seconds = ProcessorSeconds([&] {
                order = qm::OrderOfColumn(table, sort);
                qm::ApplyOrder(table, selected, order);
            });
            std::vector<std::size_t> back(order.size());
            for (std::size_t place = 0; place < order.size(); ++place) back[order[place]] = place;
            qm::ApplyOrder(table, selected, back);
            best = round == 0 ? seconds : std::min(best, seconds);
        }
        return best;
    };
    costs.sort = sortBy({qm::FileColumn::Name, false});
    costs.explorerName = sortBy({qm::FileColumn::Name, true});
    costs.textDate = sortBy({qm::FileColumn::Created, false});
    costs.explorerDate = sortBy({qm::FileColumn::Created, true});
    return costs;
}

}  // namespace

int main() {
#ifdef __GLIBC__
    // Blocks from 128 KB on come fresh from the system and go back to it when
    // freed, as the program's heap gives them under Wine. Left to itself glibc
    // raises that threshold as blocks are freed, so that 100,000 rows' sorts
    // reuse pages a million rows' sorts must have zeroed: the ratios would time
    // the kernel at one size only.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
    Measure(1000);  // warm up the allocator
    const Costs small = Measure(10'000);
    const Costs large = Measure(100'000);
    std::printf("ratio add-100000-vs-10000 %.2f\n", large.add / small.add);
    std::printf("ratio run-100000-vs-10000 %.2f\n", large.run / small.run);
    std::printf("ratio undo-100000-vs-10000 %.2f\n", large.undo / small.undo);
    std::printf("ratio sort-100000-vs-10000 %.2f\n", large.sort / small.sort);
    std::printf("seconds sort-100000 %.3f\n", large.sort);
    std::printf("seconds sort-explorer-name-100000 %.3f\n", large.explorerName);
    std::printf("seconds sort-created-text-100000 %.3f\n", large.textDate);
    std::printf("seconds sort-explorer-created-100000 %.3f\n", large.explorerDate);
    std::printf("ratio sort-explorer-name-vs-text %.2f\n", large.explorerName / large.sort);
    std::printf("ratio sort-explorer-created-vs-text %.2f\n", large.explorerDate / large.textDate);
    const Costs million = Measure(1'000'000);
    std::printf("ratio add-1000000-vs-100000 %.2f\n", million.add / large.add);
    // Why adding opens its files through ListedFiles.
    std::printf("ratio memory-file-opens-1000000-vs-100000 %.2f\n", million.opens / large.opens);
    std::printf("ratio sort-name-1000000-vs-100000 %.2f\n", million.sort / large.sort);
    std::printf("ratio sort-explorer-name-1000000-vs-100000 %.2f\n", million.explorerName / large.explorerName);
    std::printf("ratio sort-created-1000000-vs-100000 %.2f\n", million.textDate / large.textDate);
    std::printf("ratio sort-explorer-created-1000000-vs-100000 %.2f\n", million.explorerDate / large.explorerDate);
    std::printf("ratio prediction-1000000-vs-100000 %.2f\n", million.prediction / large.prediction);
    std::printf("ratio preview-1000000-vs-100000 %.2f\n", million.preview / large.preview);
    std::printf("seconds add-1000000 %.3f (the layer's opens alone %.3f), prediction %.3f, preview %.3f\n",
                million.add, million.opens, million.prediction, million.preview);
    std::printf("seconds sort-1000000 name %.3f, as Explorer %.3f, Created %.3f, as Explorer %.3f\n", million.sort,
                million.explorerName, million.textDate, million.explorerDate);
    std::printf("bytes resident-a-row-1000000 %.0f\n", million.rowBytes);
    std::printf("megabytes resident-rows-1000000 %.0f\n", million.rowBytes * 1e6 / (1024 * 1024));
    return 0;
}
