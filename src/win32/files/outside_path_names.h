#pragma once
// Paths from outside the program made full, as the platform makes them, and
// list files of paths read into full paths.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm::win32 {

// The full path of `path`: a relative path is taken from `baseFolder` when
// one is given, else from the current folder; "." and ".." are resolved and
// "/" becomes "\". Empty when the platform makes none.
std::u16string FullPath(std::u16string_view path, std::u16string_view baseFolder = {});

// The full paths that a list file names, one a line; relative lines are taken
// from the list file's own folder, whoever reads it. None when the file
// cannot be read.
std::optional<std::vector<std::u16string>> ReadPathListFile(const std::u16string& listFile);

}  // namespace qm::win32
