#pragma once
// The red frames: one-pixel red borders around the prefix box, the suffix box
// and the date picker while the program fills them in by itself ("Auto").
#include <windows.h>

namespace qm {

struct RedFrame {
    int targetId;   // the box the frame surrounds
    int frameId;    // the empty static that paints red
    int autoBoxId;  // the "Auto" box that the frame stands for
};

inline constexpr RedFrame RedFrames[] = {
    {1015, 1050, 1022},  // prefix box
    {1016, 1038, 1027},  // suffix box
    {1108, 1073, 1049},  // date picker
};

// Lays each frame one pixel around its target, shown exactly when its "Auto"
// box is checked.
void PlaceRedFrames(HWND window);

void ShowRedFrame(HWND window, int frameId, bool show);

// The frame that `control` is, if it is one.
bool IsRedFrame(HWND control);

}  // namespace qm
