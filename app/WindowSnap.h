#pragma once
// Keeps the main window on the work area: a window that comes within 50 pixels of an edge of the
// work area is put exactly on it, and once that has happened the window can no longer be placed
// partly outside (oversized windows keep their right or bottom edge on the work area's).

#include <QRect>

struct SnapRect {
    int x, y, width, height;
};

struct WorkArea {
    int left, top, right, bottom; // right and bottom are exclusive, as left + width
};

// Adjusts the proposed outer rectangle; `snapped` is the process-wide flag, set by the first snap
// and never cleared.
SnapRect snapToWorkArea(SnapRect proposed, const WorkArea &area, bool &snapped);

WorkArea workAreaOf(const QRect &available);
