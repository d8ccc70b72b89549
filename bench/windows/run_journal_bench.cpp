// The run journal at 100,000 rows: writing it (made from the rows, into a new
// file, flushed, moved into place) and reading it back into rows, against
// writing and reading the same number of bytes with bare calls (one file,
// written, flushed, read). Prints "ratio journal-100000 VALUE", the journal's
// time over the bare calls', and the journal's size. It is read back as the
// program reads it, a block at a time into rows. Usage: run_journal_bench [ROWS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_files.h"
#include "core/run/run_journal.h"
#include "win32/files/journal_file.h"
#include "win32/files/journal_file_store.h"
#include "win32/temporary_folder.h"

namespace {

using namespace qm;

FileTable MakeRows(std::size_t count) {
    FileTable rows(count);
    const FolderText folder = std::make_shared<const std::u16string>(u"C:\\Users\\someone\\Pictures\\Holiday 2026");
    const std::uint64_t date = 133'000'000'000'000'000ull;
    for (std::size_t i = 0; i < count; ++i) {
        FileRow& row = rows[i];
        const std::u16string number(reinterpret_cast<const char16_t*>(std::to_wstring(i).c_str()));
        row.name = u"Holiday_" + number + u".jpg";
        row.originalName = u"IMG_" + number + u"_\u00e9t\u00e9.JPG";
        row.folder = folder;
        row.created = row.modified = row.accessed = date;
        row.originallyCreated = row.originallyModified = row.originallyAccessed = date;
        row.attributes = FileAttribute::Archive;
        row.originalAttributes = FileAttribute::ReadOnly | FileAttribute::Archive;
        row.identity = {FileIdentity::Kind::FileId, true, 0x5A000000u, 0, 0xA72000u + i, 133'000'000'000'000'000ull + i};
    }
    return rows;
}

void BareWriteAndRead(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD done = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
    FlushFileBuffers(file);
    CloseHandle(file);
    std::string back(bytes.size(), '\0');
    file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ReadFile(file, back.data(), static_cast<DWORD>(back.size()), &done, nullptr);
    CloseHandle(file);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::size_t count = argc > 1 ? std::wcstoul(argv[1], nullptr, 10) : 100'000;
    const FileTable rows = MakeRows(count);
    std::vector<std::u16string> planned(count);
    for (std::size_t i = 0; i < count; ++i) planned[i] = rows[i].name;
    const test::TemporaryFolder folder;
    const std::wstring journalPath = win32::JournalFilePath(folder.File(L"settings.ini"));

    std::size_t size = 0;
    std::vector<double> journal, bare;
    std::vector<double> parts[2];  // making and writing it, reading it back into rows line by line
    for (int round = 0; round < 7; ++round) {
        journal.push_back(bench::Seconds([&] {
            parts[0].push_back(bench::Seconds([&] {
                std::vector<JournalEntry> entries;
                entries.reserve(count);
                for (std::size_t i = 0; i < count; ++i) entries.push_back({&rows[i], planned[i]});
                win32::WriteJournalFile(journalPath, {true, 133'000'000'000'000'000ull}, entries);
            }));
            parts[1].push_back(bench::Seconds([&] {
                win32::JournalFileStore store(journalPath);
                JournalReading read;
                store.ReadJournal(read, 0);
                if (read.rows.size() != count) std::printf("journal read back wrong: %zu rows\n", read.rows.size());
            }));
        }));
        WIN32_FILE_ATTRIBUTE_DATA data{};
        GetFileAttributesExW(journalPath.c_str(), GetFileExInfoStandard, &data);
        size = data.nFileSizeLow;
        const std::string same(size, 'x');
        bare.push_back(bench::Seconds([&] { BareWriteAndRead(folder.File(L"bare.txt"), same); }));
    }
    std::printf("journal of %zu rows: %zu bytes, %.1f ms; bare calls %.1f ms\n", count, size, Median(journal) * 1000,
                Median(bare) * 1000);
    std::printf("ms making and writing it %.1f, reading it into rows %.1f\n", Median(parts[0]) * 1000,
                Median(parts[1]) * 1000);
    std::printf("ratio journal-%zu %.2f\n", count, Median(journal) / Median(bare));
    return 0;
}
