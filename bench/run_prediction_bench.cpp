// The clash pass of the "New Name" column over 100,000 rows in one folder,
// against the least any such pass must do: a bare loop that builds the same
// name texts and puts them in a hash set. Prints "ratio NAME VALUE".
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <unordered_set>

#include "core/rows/memory_file_system.h"
#include "core/naming/new_name.h"
#include "core/run/run_prediction.h"
#include "timing.h"

namespace {

using qm::bench::Best;
using qm::bench::Seconds;

}  // namespace

int main() {
    constexpr std::size_t Rows = 100'000;
    qm::MemoryFileSystem files;
    const auto folder = std::make_shared<const std::u16string>(u"C:\\bench");
    qm::FileTable table;
    std::mt19937 random(7);
    for (std::size_t i = 0; i < Rows; ++i) {
        std::u16string name = u"photo ";
        for (int k = 0; k < 8; ++k) name += static_cast<char16_t>(u'a' + random() % 26);
        name += u".jpg";
        files.AddFile(qm::JoinPath(*folder, name));
        qm::FileRow& row = table.emplace_back();
        row.name = row.originalName = name;
        row.folder = folder;
    }
    // No name outside the list in the way: a row that fails keeps its number
    // for the next, so one clash would make every later row clash.

    qm::RenameOptions options;
    options.fileNames = true;
    options.prefix = {true, false, false, true, u"Trip"};
    options.spacer = u"_";
    options.zerosText = u"5";
    options.offsetText = u"1";
    std::vector<std::size_t> rows(Rows);
    for (std::size_t i = 0; i < Rows; ++i) rows[i] = i;
    const qm::FolderListings listings = qm::ReadFolderListings(table, rows, files);
    const qm::NamePlan plan = qm::PlanNames(options);

    std::size_t clashes = 0;
    const double pass = Best([&] {
        const std::vector<qm::PredictedRow> predicted = qm::PredictRun(table, rows, plan, listings);
        clashes = static_cast<std::size_t>(std::count_if(predicted.begin(), predicted.end(), [](const qm::PredictedRow& p) {
            return p.outcome != qm::RunRowOutcome::Done;
        }));
    });
    std::size_t distinct = 0;
    const double bare = Best([&] {
        const qm::NamePlan plan = qm::PlanNames(options);
        std::unordered_set<std::u16string> names;
        names.reserve(Rows);
        std::uint32_t number = plan.firstNumber;
        for (const std::size_t index : rows) names.insert(qm::NewName(plan, table[index].name, number++));
        distinct = names.size();
    });
    std::printf("clash pass over %zu rows: %.4f s (%zu clash), bare loop %.4f s (%zu names)\n", Rows, pass, clashes,
                bare, distinct);
    std::printf("ratio clash-pass-vs-bare-loop %.2f\n", pass / bare);
    return 0;
}
