#pragma once
// A folder of files in a MemoryFileSystem and the file list that holds them,
// for the tests of adding, renaming and undoing.
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "core/rows/add_files.h"
#include "core/rows/memory_file_system.h"
#include "core/run/rename_run.h"
#include "core/run/undo_run.h"
#include "instant_at.h"

namespace qm::test {

inline const std::u16string Folder = u"C:\\photos";

struct FileTableFixture {
    MemoryFileSystem files;
    FileTable table;
    FolderText folder = std::make_shared<const std::u16string>(Folder);
    FileTimes times{At(2020, 3, 4, 5, 6, 7, 8), At(2021, 1, 2, 3, 4, 5, 6), At(2022, 7, 8, 9, 10, 11, 12)};

    // Makes the files in Folder and adds each to the list.
    void Add(std::initializer_list<std::u16string_view> names, std::uint32_t attributes = 0x20) {
        for (std::u16string_view name : names) {
            files.AddFile(JoinPath(Folder, name), times, attributes, name);
            AppendFileRow(table, folder, name, files);
        }
    }
    std::vector<std::u16string> Names() const {
        std::vector<std::u16string> names;
        for (const FileRow& row : table) names.push_back(row.name);
        return names;
    }
    bool OnDisk(std::u16string_view name) const { return files.Exists(JoinPath(Folder, name)); }
    const MemoryFileSystem::Entry& Entry(std::u16string_view name) const { return *files.Find(JoinPath(Folder, name)); }
    int Run(const RenameOptions& options, std::vector<std::size_t> selected = {}) {
        return RunRename(table, TakingPartRows(table.size(), std::move(selected)), options, files, 0);
    }
    UndoReport Undo(std::vector<std::size_t> selected = {}) {
        return UndoRename(table, TakingPartRows(table.size(), std::move(selected)), files);
    }
};

// "File Names" with a prefix and the spacer "_", then the number.
inline RenameOptions PrefixOptions(std::u16string prefix, std::u16string zeros, std::u16string offset) {
    RenameOptions options;
    options.fileNames = true;
    options.prefix = {true, false, false, true, std::move(prefix)};
    options.spacer = std::u16string(1, u'_');
    options.zerosText = std::move(zeros);
    options.offsetText = std::move(offset);
    return options;
}

// The number template of the typical example: Trip_, three digits, from 7.
inline RenameOptions TripOptions() { return PrefixOptions(u"Trip", u"3", u"7"); }

}  // namespace qm::test
