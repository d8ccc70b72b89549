#pragma once
// The "Offset" counter, an edit of five digits with its up-down, and the
// "Step" counter below it, of four: their whole ranges, 0 to 99999 and 1 to
// 9999, are what the run uses and the settings keep.
#include <windows.h>

#include <cstdint>

namespace qm {

inline constexpr std::int32_t OffsetMaximum = 99999;

// The range, once, when the window opens.
void SetOffsetRange(HWND mainWindow);

// Shows the value, held to the range.
void SetOffset(HWND mainWindow, std::int32_t value);

// The value the up-down takes from its edit's text.
std::int32_t OffsetValue(HWND mainWindow);

// The same three for "Step".
inline constexpr std::int32_t StepMaximum = 9999;
void SetStepRange(HWND mainWindow);
void SetStep(HWND mainWindow, std::int32_t value);
std::int32_t StepValue(HWND mainWindow);

}  // namespace qm
