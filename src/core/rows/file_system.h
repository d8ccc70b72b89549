#pragma once
// The few file operations that adding, renaming and undoing need. The program
// uses the platform's; tests and benchmarks use MemoryFileSystem.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/rows/file_identity.h"
#include "core/photo/byte_source.h"

namespace qm {

struct FileTimes {
    std::uint64_t created = 0;
    std::uint64_t accessed = 0;
    std::uint64_t written = 0;
};

// A file opened without sharing: nobody else can open it meanwhile. Closed
// when the object goes. Opened for reading, its bytes can be read through the
// same handle (a file opened for writing reads as empty).
class OpenFile : public ByteSource {
public:
    virtual ~OpenFile() = default;
    virtual FileTimes ReadTimes() = 0;
    // Writes the times that are given; null leaves that time alone.
    virtual void WriteTimes(const std::uint64_t* created, const std::uint64_t* accessed,
                            const std::uint64_t* written) = 0;
    // The file's identity, from this handle.
    virtual FileIdentity ReadIdentity() = 0;
    // Its attributes, from this handle: those of the very file whose times and
    // identity were read, without looking its path up again.
    virtual std::uint32_t ReadAttributes() = 0;
};

// One name of a folder listing with its attributes (directory 0x10, reparse
// point 0x400: a link or junction).
struct FolderEntry {
    std::u16string name;
    std::uint32_t attributes = 0;
};

enum class MoveOutcome {
    Moved,
    TargetExists,  // another file holds the new name; nothing changed
    Refused,       // any other failure; nothing changed
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // FileAttribute::Invalid when the path names nothing.
    virtual std::uint32_t GetAttributes(const std::u16string& path) = 0;
    virtual bool SetAttributes(const std::u16string& path, std::uint32_t attributes) = 0;
    // Existing files only, without sharing; null when the file cannot be opened.
    // A file opened for reading takes back its own times where it may.
    virtual std::unique_ptr<OpenFile> OpenForRead(const std::u16string& path) = 0;
    virtual std::unique_ptr<OpenFile> OpenForWrite(const std::u16string& path) = 0;
    // The identity of the file at `path`, read without taking it from anyone
    // who holds it open; unknown when no file is there or it cannot be read.
    virtual FileIdentity ReadIdentity(const std::u16string& path) = 0;
    // Renames within the folder; never replaces an existing file.
    virtual MoveOutcome Move(const std::u16string& from, const std::u16string& to) = 0;
    // The names of the files and folders that `folder` holds now, in one
    // listing, as the folder spells them; empty when it cannot be read.
    std::vector<std::u16string> ListNames(const std::u16string& folder) {
        std::vector<FolderEntry> entries;
        std::vector<std::u16string> names;
        if (!ListEntries(folder, entries)) return names;
        names.reserve(entries.size());
        for (FolderEntry& entry : entries) names.push_back(std::move(entry.name));
        return names;
    }
    // The same with attributes; false when the folder cannot be read.
    virtual bool ListEntries(const std::u16string& folder, std::vector<FolderEntry>& entries) = 0;
};

}  // namespace qm
