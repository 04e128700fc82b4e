#include "WindowSnap.h"

namespace {
constexpr int kSnapDistance = 50;
}

SnapRect snapToWorkArea(SnapRect r, const WorkArea &a, bool &snapped)
{
    if (r.x <= a.left + kSnapDistance) {
        r.x = a.left;
        snapped = true;
    }
    if (r.x + r.width >= a.right - kSnapDistance) {
        r.x = a.right - r.width;
        snapped = true;
    }
    if (r.y <= a.top + kSnapDistance) {
        r.y = a.top;
        snapped = true;
    }
    if (r.y + r.height >= a.bottom - kSnapDistance) {
        r.y = a.bottom - r.height;
        snapped = true;
    }
    if (snapped) {
        if (r.x < a.left)
            r.x = a.left;
        if (r.x + r.width > a.right)
            r.x = a.right - r.width;
        if (r.y < a.top)
            r.y = a.top;
        if (r.y + r.height > a.bottom)
            r.y = a.bottom - r.height;
    }
    return r;
}

WorkArea workAreaOf(const QRect &available)
{
    return {available.left(), available.top(), available.left() + available.width(),
            available.top() + available.height()};
}
