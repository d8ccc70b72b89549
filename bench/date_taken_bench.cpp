// The date-taken reader over the photos and videos that ExifTool dated for the
// tests (made by the build into date_taken_files), held in memory, against
// copying the bytes the reader asked for. Each JPEG is padded with scan data
// to the size of a camera's file, so reads are of the sizes a real file gets.
// Prints "files-per-second NAME VALUE" and "ratio NAME VALUE".
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <numeric>
#include <string>
#include <vector>

#include "core/photo/date_taken.h"
#include "timing.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kReads = 20'000;
constexpr std::size_t kJpegPadding = 512 * 1024;

class CountingSource final : public qm::ByteSource {
public:
    explicit CountingSource(const Bytes& bytes) : inner_(bytes) {}
    std::uint64_t Size() override { return inner_.Size(); }
    std::size_t ReadAt(std::uint64_t offset, void* into, std::size_t length) override {
        const std::size_t got = inner_.ReadAt(offset, into, length);
        bytes += got;
        return got;
    }
    std::size_t bytes = 0;

private:
    qm::SpanByteSource inner_;
};

std::vector<Bytes> LoadFiles(bool jpegsOnly) {
    const std::string folder = QM_DATE_TAKEN_FILES;
    std::ifstream list(folder + "/expected.txt");
    std::vector<Bytes> files;
    std::string line;
    std::getline(list, line);  // the local offset
    while (std::getline(list, line)) {
        const std::string name = line.substr(0, line.find('\t'));
        if (jpegsOnly && !name.ends_with(".jpg")) continue;
        std::ifstream file(folder + "/" + name, std::ios::binary);
        Bytes& bytes = files.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        if (name.ends_with(".jpg")) bytes.resize(bytes.size() + kJpegPadding, 0x55);
    }
    return files;
}

struct Figures {
    double filesPerSecond = 0;
    double ratio = 0;
};

Figures Measure(const std::vector<Bytes>& files) {
    std::vector<std::size_t> asked(files.size());
    std::size_t dated = 0;
    const double reading = qm::bench::Best([&] {
        dated = 0;
        for (std::size_t i = 0; i < kReads; ++i) {
            CountingSource source(files[i % files.size()]);
            dated += qm::ReadDateTaken(source).has_value();
            asked[i % files.size()] = source.bytes;
        }
    });
    Bytes into(*std::max_element(asked.begin(), asked.end()));
    std::size_t check = 0;
    const double copying = qm::bench::Best([&] {
        for (std::size_t i = 0; i < kReads; ++i) {
            const std::size_t n = asked[i % files.size()];
            std::memcpy(into.data(), files[i % files.size()].data(), n);
            check += into[n / 2];
        }
    });
    const std::size_t average = std::accumulate(asked.begin(), asked.end(), std::size_t{0}) / asked.size();
    std::printf("%zu files, %zu of %zu reads dated, %zu bytes asked per file on average (check %zu)\n", files.size(),
                dated, kReads, average, check % 10);
    return {kReads / reading, reading / copying};
}

}  // namespace

int main() {
    const std::vector<Bytes> jpegs = LoadFiles(true), all = LoadFiles(false);
    if (jpegs.empty()) {
        std::printf("no files in %s: build the core tests first (they make them with ExifTool)\n", QM_DATE_TAKEN_FILES);
        return 1;
    }
    const Figures jpeg = Measure(jpegs);
    const Figures every = Measure(all);
    std::printf("files-per-second date-taken-jpeg %.0f\n", jpeg.filesPerSecond);
    std::printf("files-per-second date-taken-all %.0f\n", every.filesPerSecond);
    std::printf("ratio date-taken-jpeg-vs-copy %.2f\n", jpeg.ratio);
    std::printf("ratio date-taken-all-vs-copy %.2f\n", every.ratio);
    return 0;
}
