#pragma once
// The meaning of every bit of the flag words. Each bit mirrors one check
// box or radio button; the control identifier is noted beside it.
#include <cstdint>

namespace qm {

namespace MainControl {
inline constexpr std::uint32_t FileNames = 0x1;   // 1009 "File Names"
inline constexpr std::uint32_t Extensions = 0x2;  // 1010 "Extensions"
inline constexpr std::uint32_t Date = 0x4;        // 1011 "Date"
inline constexpr std::uint32_t Attributes = 0x8;  // 1013 "Attributes"
}  // namespace MainControl

namespace Rename {
inline constexpr std::uint32_t Prefix = 0x0001;           // 1021 "Prefix"
inline constexpr std::uint32_t Suffix = 0x0002;           // 1026 "Suffix"
inline constexpr std::uint32_t StampUnix = 0x0004;        // 1035 "Unix"
inline constexpr std::uint32_t StampWin32 = 0x0008;       // 1031 "Win32"
inline constexpr std::uint32_t StampCurrent = 0x0010;     // 1036 "Current"
inline constexpr std::uint32_t StampPreset = 0x0020;      // 1037 "Preset"
inline constexpr std::uint32_t PrefixSpacer = 0x0040;     // 1025 "Spacer"
inline constexpr std::uint32_t SuffixSpacer = 0x0080;     // 1030 "Spacer"
inline constexpr std::uint32_t PrefixUppercase = 0x0100;  // 1023 "Uppercase"
inline constexpr std::uint32_t PrefixLowercase = 0x0200;  // 1024 "Lowercase"
inline constexpr std::uint32_t SuffixUppercase = 0x0400;  // 1028 "Uppercase"
inline constexpr std::uint32_t SuffixLowercase = 0x0800;  // 1029 "Lowercase"
inline constexpr std::uint32_t PrefixAuto = 0x1000;       // 1022 "Auto"
inline constexpr std::uint32_t SuffixAuto = 0x2000;       // 1027 "Auto"
inline constexpr std::uint32_t KeepName = 0x4000;         // 1120 "Keep Name"
inline constexpr std::uint32_t NoNumber = 0x8000;         // 1121 "No Number"
inline constexpr std::uint32_t FindRegex = 0x10000;       // 1124 "Regex"
inline constexpr std::uint32_t FindMatchCase = 0x20000;   // 1125 "Match Case"
inline constexpr std::uint32_t StampTaken = 0x40000;      // 1129 "Taken": each file's own date taken
inline constexpr std::uint32_t PerFolder = 0x80000;       // 1143 "Per Folder": each folder counts on its own
inline constexpr std::uint32_t PrefixFolder = 0x100000;   // 1144 "Folder" (prefix): the file's folder's name
inline constexpr std::uint32_t SuffixFolder = 0x200000;   // 1145 "Folder" (suffix)
inline constexpr std::uint32_t FromList = 0x400000;       // 1147 "From List": new names from a list file
// The five time-stamp sources form one radio group.
inline constexpr std::uint32_t StampSources = StampUnix | StampWin32 | StampCurrent | StampPreset | StampTaken;
}  // namespace Rename

namespace DateTime {
inline constexpr std::uint32_t Created = 0x1;   // 1047 "Created"
inline constexpr std::uint32_t Modified = 0x2;  // 1048 "Modified"
inline constexpr std::uint32_t Accessed = 0x4;  // 1012 "Accessed"
inline constexpr std::uint32_t Auto = 0x8;      // 1049 "Auto"
inline constexpr std::uint32_t Taken = 0x10;    // 1130 "Taken": each file's own date taken, not the picker's
}  // namespace DateTime

namespace Attribute {
inline constexpr std::uint32_t ReadOnly = 0x1;  // 1069 "Read Only"
inline constexpr std::uint32_t Hidden = 0x2;    // 1070 "Hidden"
inline constexpr std::uint32_t System = 0x4;    // 1071 "System"
inline constexpr std::uint32_t Archive = 0x8;   // 1072 "Archive"
}  // namespace Attribute

namespace Extension {
inline constexpr std::uint32_t Uppercase = 0x1;  // 1078 "Uppercase"
inline constexpr std::uint32_t Lowercase = 0x2;  // 1079 "Lowercase"
}  // namespace Extension

namespace General {
inline constexpr std::uint32_t AlwaysOnTop = 0x1;  // 1008 "Always On Top"
inline constexpr std::uint32_t Transparent = 0x2;  // 1034 "Transparent"
}  // namespace General

namespace AddFolder {
inline constexpr std::uint32_t HiddenAndSystem = 0x1;  // "Include hidden and system files" in the folder picker
}  // namespace AddFolder

namespace SettingsOption {
inline constexpr std::uint32_t DoubleClickNone = 0x01;    // 8026 "None"
inline constexpr std::uint32_t DoubleClickRename = 0x02;  // 8022 "Rename"
inline constexpr std::uint32_t DoubleClickCopy = 0x04;    // 8024 "Copy"
inline constexpr std::uint32_t IncrementOffset = 0x08;    // 8025 "Increment Offset"
inline constexpr std::uint32_t CopyToPrefix = 0x10;       // 8027 "To Prefix"
inline constexpr std::uint32_t CopyToSuffix = 0x20;       // 8023 "To Suffix"
inline constexpr std::uint32_t AutoRenameAfterDrop = 0x40;  // 8030
inline constexpr std::uint32_t CtrlClickForPresets = 0x80;  // 8031
inline constexpr std::uint32_t SortAsExplorer = 0x100;      // 8032 "Sort as Explorer does"
}  // namespace SettingsOption

}  // namespace qm
