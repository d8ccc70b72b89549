#include "core/rows/add_files.h"

namespace qm {

bool AppendFileRow(FileTable& table, const FolderText& folder, std::u16string_view name, FileSystem& files) {
    const std::u16string path = JoinPath(folder ? std::u16string_view(*folder) : std::u16string_view(), name);
    FileTimes times;
    FileIdentity identity;
    std::uint32_t attributes = 0;
    {
        const std::unique_ptr<OpenFile> file = files.OpenForRead(path);
        if (!file) return false;
        times = file->ReadTimes();
        identity = file->ReadIdentity();
        attributes = KeptAttributes(file->ReadAttributes());
    }

    FileRow& row = table.emplace_back();
    row.name.assign(name);
    row.originalName.assign(name);
    row.folder = folder;
    row.created = row.originallyCreated = times.created;
    row.modified = row.originallyModified = times.written;
    row.accessed = row.originallyAccessed = times.accessed;
    row.attributes = row.originalAttributes = attributes;
    row.identity = identity;
    if (HasDateTakenExtension(name)) row.takenTicket = TakenUnread;
    return true;
}

PathSplit SplitPath(std::u16string_view path) {
    const std::size_t slash = path.rfind(u'\\');
    if (slash == std::u16string_view::npos) return {{}, path};
    return {path.substr(0, slash), path.substr(slash + 1)};
}

}  // namespace qm
