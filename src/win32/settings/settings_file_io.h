#pragma once
// Reading the settings file whole, and replacing it so that a failure on the
// way never leaves a cut or half-written file behind.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

namespace qm::win32 {

struct FileBytes {
    std::unique_ptr<std::uint8_t[]> data;
    std::size_t size = 0;

    std::span<const std::uint8_t> bytes() const { return {data.get(), size}; }
};

// 0 with the file's bytes, or -1 when it cannot be opened, read or held in
// memory. The file is opened as a reader: others may go on reading and writing
// it meanwhile. `missing`, when given, tells whether there was no file at all,
// as against a file that is there but could not be read.
int ReadFileBytes(const std::wstring& path, FileBytes& out, bool* missing = nullptr);

// Writes all of `bytes` to `file`; false on any failure.
using FileBytesWriter = bool (*)(HANDLE file, std::span<const std::uint8_t> bytes);
bool WriteAllFileBytes(HANDLE file, std::span<const std::uint8_t> bytes);

// The name of the new file while it is being written: `path` with ".tmp".
std::wstring ReplacementFilePath(const std::wstring& path);

// Writes `bytes` to a new file beside `path`, flushes it and only then moves it
// over `path`. On any failure `path` keeps its old content, the new file is
// removed and the result is -1; 0 when done. Hidden and system marks of the
// old file carry over. `path` itself is never written: where no new file can
// be made beside it, or moved over it, the result is -1 and it stays as it
// was. An empty path writes nothing. `write` fills the file.
int ReplaceFileContents(const std::wstring& path, std::span<const std::uint8_t> bytes,
                        FileBytesWriter write = WriteAllFileBytes);

// The same, with the new content written by `fill` into the open file as it
// is made, so that a large content is never held whole; false from `fill` is
// a failed write.
using FileContentFiller = std::function<bool(HANDLE file)>;
int ReplaceFileContents(const std::wstring& path, const FileContentFiller& fill);

}  // namespace qm::win32
