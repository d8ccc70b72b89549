#pragma once
// The one process-wide record of the user's options, with its defaults.
#include <array>
#include <cstdint>

#include "core/settings/flags.h"
#include "core/settings/folder_filters.h"
#include "core/text/fixed_text.h"

namespace qm {

inline constexpr std::size_t TimeFormatWidth = 1001;
inline constexpr std::size_t PathWidth = 261;
inline constexpr std::size_t FileListColumnCount = 11;
inline constexpr char16_t DefaultTimeFormat[] = u"%Mon%%dd%-%yyyy%-%HH%%mm%";

// The platform's window-placement record, field for field (44 bytes).
struct WindowPlacementRecord {
    std::uint32_t length = 0;
    std::uint32_t flags = 0;
    std::uint32_t showCmd = 0;
    std::int32_t minX = 0, minY = 0;
    std::int32_t maxX = 0, maxY = 0;
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};
static_assert(sizeof(WindowPlacementRecord) == 44);

struct RectRecord {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct PointRecord {
    std::int32_t x = 0, y = 0;
};
static_assert(sizeof(PointRecord) == 8);

using FileListWidths = std::array<std::int32_t, FileListColumnCount>;
inline constexpr FileListWidths DefaultFileListCols = {200, 170, 170, 170, 220, 60,
                                                       200, 170, 170, 170, 100};

struct AppSettings {
    FixedText<TimeFormatWidth> TimeFormat{DefaultTimeFormat};
    FixedText<PathWidth> LastPath{};
    FixedText<2> Spacer{u"_"};
    WindowPlacementRecord MainDlgWP{};
    RectRecord DesktopRect{};             // not stored in the file
    PointRecord SettingsDlgXY{-1, 0};
    PointRecord AddExtDlgXY{-1, 0};
    std::uint64_t FileTime = 0;           // UTC file time
    FileListWidths FileListCols = DefaultFileListCols;
    std::uint32_t NewNameWidth = 200;     // the "New Name" column, kept apart so the eleven keep their meaning
    std::uint32_t TakenWidth = 170;       // the "Taken" column, likewise
    std::uint32_t Opacity = 128;
    std::uint32_t Zeros = 4;
    std::uint32_t Offset = 1;
    std::uint32_t SettingsFlags = SettingsOption::DoubleClickNone;
    std::uint32_t MainControlFlags = MainControl::FileNames | MainControl::Extensions;
    std::uint32_t RenameFlags = Rename::Prefix | Rename::Suffix | Rename::StampUnix |
                                Rename::PrefixSpacer | Rename::SuffixSpacer;
    std::uint32_t DateTimeFlags = DateTime::Created | DateTime::Modified | DateTime::Accessed;
    std::uint32_t AttributeFlags = Attribute::Archive;
    std::uint32_t ExtensionFlags = 0;
    std::uint32_t GeneralFlags = 0;
    std::uint32_t AddFolderFlags = 0;     // the folder picker's choices (AddFolder::)
    std::uint32_t Step = 1;               // from one number to the next: the "Step" up-down, 1 to 9999
    std::uint32_t NameCase = 0;           // "Case": 0 "As Is" to 4 "Sentence case"
    FixedText<PathWidth> NameList{};      // the file "From List" reads
    FixedText<FolderFilterWidth> AddFolderFilter{};  // its "Files" box and history (folder_filters.h)
    void* SettingsLock = nullptr;         // lock guarding the settings file; not stored
};

// The defaults, with the desktop rectangle and the current UTC time that the
// platform supplies when the record is made.
AppSettings MakeDefaultAppSettings(const RectRecord& desktop, std::uint64_t nowFileTime);

}  // namespace qm
