// What a row of the file list costs in memory: the resident size after adding
// 100,000 files (held in memory beforehand) against the size before, per row,
// the table growing as the list's does. Names as cameras and people give them,
// most longer than fits inside a string's own room.
#include <cstdio>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "core/rows/add_files.h"
#include "core/rows/memory_file_system.h"

namespace {

// Bytes resident now; 0 where the system does not tell (only Linux's /proc is read).
double ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    double pages = 0, resident = 0;
    if (!(statm >> pages >> resident)) return 0;
    return resident * 4096;
}

}  // namespace

int main() {
    constexpr std::size_t Rows = 100'000;
    qm::MemoryFileSystem files;
    const auto folder = std::make_shared<const std::u16string>(u"C:\\Users\\someone\\Pictures\\Holiday 2026");
    std::vector<std::u16string> names;
    std::mt19937 random(7);
    for (std::size_t i = 0; i < Rows; ++i) {
        std::u16string name = i % 2 ? u"IMG_" : u"photo ";
        for (char digit : std::to_string(1000 + random() % 9000)) name += static_cast<char16_t>(digit);
        name += i % 3 ? u".jpg" : u".JPG";
        files.AddFile(*folder + u"\\" + name, {130'000'000'000'000'000ull + i, 0, 0}, 0x20);
        names.push_back(std::move(name));
    }
    qm::FileTable table;
    const double before = ResidentBytes();
    for (const std::u16string& name : names) qm::AppendFileRow(table, folder, name, files);
    const double after = ResidentBytes();
    if (before == 0) {
        std::printf("no resident size to be had here\n");
        return 0;
    }
    std::printf("bytes row-record %zu\n", sizeof(qm::FileRow));
    std::printf("ratio row-bytes-100000 %.0f\n", (after - before) / static_cast<double>(table.size()));
    return 0;
}
