#pragma once
// The file that "From List" reads, read again only when it has changed.
#include <cstdint>
#include <memory>
#include <string>

#include "core/naming/name_list.h"

namespace qm::win32 {

class NameListFile {
public:
    // The list in the file at `path`: the one read before while the file's
    // size and time of last change are the same, else read now. `reread`
    // reads it in any case. A file that is missing, a folder or cannot be
    // read gives a list with the problem Unreadable, an empty path NotChosen.
    std::shared_ptr<const NameList> Get(const std::u16string& path, bool reread = false);

private:
    std::u16string path_;
    std::uint64_t written_ = 0;
    std::uint64_t size_ = 0;
    std::shared_ptr<const NameList> list_;
};

}  // namespace qm::win32
