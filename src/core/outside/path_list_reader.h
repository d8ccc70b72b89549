#pragma once
// A list file of paths, one a line: what `Quillmoth.exe @LISTFILE` reads.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qm {

// The lines of the file as texts. UTF-16 little-endian when the file starts
// with its byte-order mark, UTF-8 otherwise (with or without its mark; a byte
// that is not UTF-8 reads as U+FFFD). Lines end with LF or CR LF; lines of
// nothing but blanks are left out, and a pair of double quotes around a line
// is taken off (a path cannot hold one). Nothing else is changed: whether a
// line names a file is for the one who adds it to find out.
std::vector<std::u16string> ReadPathList(std::span<const std::uint8_t> bytes);

}  // namespace qm
