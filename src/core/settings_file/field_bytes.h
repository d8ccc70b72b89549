#pragma once
// The binary fields of the settings file as the bytes that their hex form
// shows: every integer least significant byte first, fields in record order.
#include <array>
#include <cstdint>

#include "core/settings/app_settings.h"

namespace qm {

using PlacementBytes = std::array<std::uint8_t, 44>;
using PointBytes = std::array<std::uint8_t, 8>;
using FileTimeBytes = std::array<std::uint8_t, 8>;
using ColumnWidthBytes = std::array<std::uint8_t, 4 * FileListColumnCount>;

PlacementBytes ToBytes(const WindowPlacementRecord& placement);
WindowPlacementRecord PlacementFromBytes(const PlacementBytes& bytes);

PointBytes ToBytes(const PointRecord& point);
PointRecord PointFromBytes(const PointBytes& bytes);

FileTimeBytes FileTimeToBytes(std::uint64_t fileTime);
std::uint64_t FileTimeFromBytes(const FileTimeBytes& bytes);

ColumnWidthBytes ToBytes(const FileListWidths& widths);
FileListWidths ColumnWidthsFromBytes(const ColumnWidthBytes& bytes);

}  // namespace qm
