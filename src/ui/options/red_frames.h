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

// Lays each frame whose "Auto" box is checked one pixel around its target,
// and shows it; hides the others, which ShowRedFrame places when it first
// shows them.
void PlaceRedFrames(HWND window);

// Shows or hides a frame, laying it around its target when first shown.
void ShowRedFrame(HWND window, int frameId, bool show);

// The frame that `control` is, if it is one.
bool IsRedFrame(HWND control);

}  // namespace qm
