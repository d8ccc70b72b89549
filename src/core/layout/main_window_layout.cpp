#include "core/layout/main_window_layout.h"

#include <algorithm>

namespace qm {

namespace {
int NotNegative(int value) { return std::max(value, 0); }
}  // namespace

MainWindowLayout ComputeMainWindowLayout(int clientWidth, int clientHeight,
                                         const MainLayoutLengths& lengths) {
    const int listHeight = NotNegative(clientHeight - lengths.listTop - lengths.statusHeight);
    const int statusTop = clientHeight - lengths.statusHeight;

    MainWindowLayout layout;
    layout.fileList = {0, lengths.listTop, NotNegative(clientWidth - lengths.rightStrip), listHeight};
    layout.extensionList = {clientWidth - lengths.extensionWidth, lengths.listTop,
                            lengths.extensionWidth, listHeight};
    layout.statusCount = {0, statusTop, 0, 0};
    layout.statusSelection = {lengths.countWidth, statusTop, 0, 0};
    layout.statusMessage = {lengths.messageLeft, statusTop,
                            NotNegative(clientWidth - lengths.messageLeft), lengths.statusHeight};
    return layout;
}

}  // namespace qm
