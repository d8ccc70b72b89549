#pragma once
// The preview in the status line: the name the next run would give its first
// file (without extension), then short notes of the other changes it would make.
#include <cstdint>
#include <string>

#include "core/naming/rename_options.h"

namespace qm {

struct PreviewOptions {
    RenameOptions rename;   // the boxes, texts and groups as on screen
    bool prefixAuto = false;
    bool suffixAuto = false;
    std::u16string stamp;   // the time stamp of this refresh ("Taken": the first row's)
    std::u16string firstName;  // current name of the first row a run would rename (for "Keep Name")
    std::u16string folderName;  // the name of that row's folder (for "Folder")
    bool dateAuto = false;
    std::uint32_t attributeFlags = 0;  // the ticked "Attributes" boxes (AttributeFlags bits)
    std::size_t rowsTakingPart = 0;    // for "From List": how many names a run takes
};

// The text of status cell 1085. An automatic prefix or suffix shows the time
// stamp itself, as it will stand in its box. When "Find and replace" or the
// list cannot make the name, the cell names the problem in its place; a list
// that is too short or too long for the rows says so in a note.
std::u16string ComposePreview(const PreviewOptions& options);

// The counts of cells 1083 and 1084.
std::u16string FilesText(std::size_t rows);
std::u16string SelectedText(std::size_t selected);

}  // namespace qm
