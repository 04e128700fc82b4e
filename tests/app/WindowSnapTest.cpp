#include "WindowSnap.h"

#include <gtest/gtest.h>

TEST(WindowSnap, FollowsTheRulesInOrder)
{
    const WorkArea area{0, 0, 1024, 768};
    struct Case {
        const char *what;
        SnapRect proposed;
        bool snappedBefore;
        int x, y;
        bool snappedAfter;
    } cases[] = {
        {"free placement stays", {200, 200, 400, 300}, false, 200, 200, false},
        {"near the left edge", {50, 200, 400, 300}, false, 0, 200, true},
        {"51 pixels away is not near", {51, 200, 400, 300}, false, 51, 200, false},
        {"near the right edge", {580, 200, 400, 300}, false, 624, 200, true},
        {"near the top", {200, 40, 400, 300}, false, 200, 0, true},
        {"near the bottom", {200, 430, 400, 300}, false, 200, 468, true},
        {"partly off screen before any snap", {-100, 200, 400, 300}, false, 0, 200, true},
        {"off screen after a snap is pulled in", {-300, 200, 400, 300}, true, 0, 200, true},
        {"wider than the work area: right edge on the right edge", {300, 200, 1280, 300}, false, -256, 200, true},
        {"taller than the work area", {200, 300, 400, 1000}, false, 200, -232, true},
    };
    for (const Case &c : cases) {
        bool snapped = c.snappedBefore;
        const SnapRect r = snapToWorkArea(c.proposed, area, snapped);
        EXPECT_EQ(r.x, c.x) << c.what;
        EXPECT_EQ(r.y, c.y) << c.what;
        EXPECT_EQ(r.width, c.proposed.width) << c.what;
        EXPECT_EQ(snapped, c.snappedAfter) << c.what;
    }
}

TEST(WindowSnap, WorkAreaEdgesAreExclusive)
{
    const WorkArea a = workAreaOf(QRect(10, 20, 1000, 700));
    EXPECT_EQ(a.left, 10);
    EXPECT_EQ(a.right, 1010);
    EXPECT_EQ(a.bottom, 720);
}
