#pragma once
// Where the resizing main window puts its two lists and three status cells.
// Pure arithmetic, so that it can be checked without a window.

namespace qm {

struct ControlBox {
    int x = 0, y = 0, width = 0, height = 0;
};

// The template's fixed lengths (dialog units), converted to pixels by the
// caller with the window's current dialog-unit scale.
struct MainLayoutLengths {
    int listTop = 0;          // 102 units, vertical: top of both lists
    int statusHeight = 0;     // 12 units, vertical: height of the status row
    int rightStrip = 0;       // 105 units, horizontal: what the file list leaves free
    int extensionWidth = 0;   // 100 units, horizontal: the extension list's width
    int countWidth = 0;       // 45 units, horizontal: left edge of the second status cell
    int messageLeft = 0;      // 105 units, horizontal: left edge of the third status cell
};

struct MainWindowLayout {
    ControlBox fileList;          // position stays at the template's place; size only
    ControlBox extensionList;
    ControlBox statusCount;       // position only; keeps its size
    ControlBox statusSelection;   // position only; keeps its size
    ControlBox statusMessage;
};

// Lays the lists and status cells out in a client area of the given pixel
// size. A client area smaller than the fixed parts yields zero sizes, never
// negative ones.
MainWindowLayout ComputeMainWindowLayout(int clientWidth, int clientHeight,
                                         const MainLayoutLengths& lengths);

}  // namespace qm
