#include <gtest/gtest.h>

#include "window/placement.h"

using namespace placement;

namespace {
// A 1280 x 1024 screen at 96 dpi (15 twips a pixel) with a 30-pixel panel
// at the bottom, and a second one at 120 dpi left of it.
const QRect kPrimaryPixels(0, 0, 1280, 994);
const Rect kPrimary{0, 0, 19200, 14910};
const QRect kLeftPixels(-1920, 0, 1920, 1080);
const Rect kLeft = workAreaTwips(kLeftPixels, 12, 12);
const Rect kWindow{0, 0, 4650, 3390};
}  // namespace

TEST(WorkArea, PixelsBecomeTwipsOfTheScreenHoldingThePointer) {
    EXPECT_EQ(workAreaTwips(kPrimaryPixels, 15, 15), kPrimary);
    EXPECT_EQ(kLeft, (Rect{-23040, 0, 23040, 12960}));
    EXPECT_EQ(kLeft.right(), 0);
    // Halves go to the even neighbour.
    EXPECT_EQ(workAreaTwips(QRect(1, 3, 5, 7), 0.5, 0.5), (Rect{0, 2, 2, 4}));
}

TEST(UnderPointer, CentredOnThePointerInsideTheWorkArea) {
    EXPECT_EQ(underPointer({640, 500}, 15, 15, kWindow, kPrimary),
              QPoint(9600 - 2325, 7500 - 1695));
}

TEST(UnderPointer, CornersPullTheWindowInside) {
    // Top-left: 10 twips inside.
    EXPECT_EQ(underPointer({0, 0}, 15, 15, kWindow, kPrimary), QPoint(10, 10));
    // Bottom: 30 twips above the edge; right: 10 inside.
    EXPECT_EQ(underPointer({1279, 993}, 15, 15, kWindow, kPrimary),
              QPoint(19200 - 4650 - 10, 14910 - 3390 - 30));
    // Bottom-left and top-right.
    EXPECT_EQ(underPointer({0, 993}, 15, 15, kWindow, kPrimary), QPoint(10, 14910 - 3390 - 30));
    EXPECT_EQ(underPointer({1279, 0}, 15, 15, kWindow, kPrimary), QPoint(19200 - 4650 - 10, 10));
}

TEST(UnderPointer, WindowTallerThanTheWorkAreaEndsAboveItsBottom) {
    const Rect tall{0, 0, 4650, 16000};
    const QPoint at = underPointer({640, 10}, 15, 15, tall, kPrimary);
    EXPECT_EQ(at.y(), 14910 - 16000 - 30);
    EXPECT_LT(at.y(), kPrimary.top);
}

TEST(UnderPointer, SecondMonitorAtNegativeX) {
    // Centred on the pointer on the left monitor, with its own resolution.
    EXPECT_EQ(underPointer({-960, 540}, 12, 12, kWindow, kLeft),
              QPoint(-11520 - 2325, 6480 - 1695));
    // Its left edge is far below zero: only its own work area counts.
    EXPECT_EQ(underPointer({-1920, 0}, 12, 12, kWindow, kLeft), QPoint(-23040 + 10, 10));
    // Its right edge meets the primary screen at x = 0.
    EXPECT_EQ(underPointer({-1, 1079}, 12, 12, kWindow, kLeft),
              QPoint(-4650 - 10, 12960 - 3390 - 30));
}

TEST(BottomRight, WindowMeetsBothEdgesOfTheWorkArea) {
    EXPECT_EQ(bottomRight(kWindow, kPrimary), QPoint(19200 - 4650, 14910 - 3390));
    EXPECT_EQ(bottomRight(kWindow, kLeft), QPoint(-4650, 12960 - 3390));
}

TEST(MinimumSize, BelowTheLimitsJumpsPastThem) {
    EXPECT_EQ(minimumHeight(3339), 3390);
    EXPECT_EQ(minimumHeight(100), 3390);
    EXPECT_EQ(minimumHeight(3340), 3340);
    EXPECT_EQ(minimumWidth(4574), 4650);
    EXPECT_EQ(minimumWidth(4575), 4575);
    EXPECT_EQ(minimumWidth(9000), 9000);
}

TEST(FittedHeight, TenEntriesGiveAFixedClientArea) {
    // A frame of 25 pixels (375 twips): Height − ScaleHeight.
    EXPECT_EQ(fittedHeight(0, 375, 240, 96, 14910), 375 + 2955);
    EXPECT_EQ(fittedHeight(10, 375, 240, 96, 14910), 375 + 2955);
}

TEST(FittedHeight, ElevenEntriesFollowTheRows) {
    // 11 rows of 240 twips, the frame, and 6.09375 inches' worth of pixels.
    EXPECT_EQ(fittedHeight(11, 375, 240, 96, 14910), 11 * 240 + 375 + 585);
    EXPECT_EQ(fittedHeight(11, 375, 240, 120, 14910), 11 * 240 + 375 + 731);
    // Eleven rows need more than ten: the window grows at the switch.
    EXPECT_GT(fittedHeight(11, 375, 240, 96, 14910), fittedHeight(10, 375, 240, 96, 14910));
}

TEST(FittedHeight, LongListIsAsTallAsTheWorkArea) {
    EXPECT_EQ(fittedHeight(500, 375, 240, 96, 14910), 14910);
    EXPECT_EQ(fittedHeight(57, 375, 240, 96, 14910), 57 * 240 + 375 + 585);
    EXPECT_EQ(fittedHeight(58, 375, 240, 96, 14910), 58 * 240 + 375 + 585);
    EXPECT_EQ(fittedHeight(59, 375, 240, 96, 14910), 14910);
}

TEST(FittedTop, BottomEdgeOnTheWorkAreaUnlessShownUnderThePointer) {
    const Rect inside{5000, 2000, 4650, 3390};
    EXPECT_EQ(fittedTop(inside, false, kPrimary), 14910 - 3390);
    EXPECT_EQ(fittedTop(inside, true, kPrimary), 2000);
    // Under the pointer but hanging over the bottom or above the top.
    EXPECT_EQ(fittedTop({0, 13000, 4650, 3390}, true, kPrimary), 14910 - 3390);
    EXPECT_EQ(fittedTop({0, -20, 4650, 3390}, true, kPrimary), 14910 - 3390);
    // Exactly on the bottom edge stays.
    EXPECT_EQ(fittedTop({0, 14910 - 3390, 4650, 3390}, true, kPrimary), 14910 - 3390);
}

TEST(FittedTop, MonitorAboveThePrimaryOne) {
    // Its coordinates are all negative; a window inside it stays put.
    const Rect above = workAreaTwips(QRect(0, -1080, 1920, 1080), 15, 15);
    EXPECT_EQ(fittedTop({0, -10000, 4650, 3390}, true, above), -10000);
    EXPECT_EQ(fittedTop({0, -10000, 4650, 3390}, false, above), -3390);
}

TEST(ListOverflow, RowsAgainstTheListHeight) {
    EXPECT_FALSE(listOverflows(240, 10, 2455));
    EXPECT_TRUE(listOverflows(240, 11, 2455));
    EXPECT_FALSE(listOverflows(240, 0, 0));
    EXPECT_FALSE(listOverflows(240, 10, 2400));
    EXPECT_TRUE(listOverflows(240, 10, 2399));
}

TEST(HoverRow, PartialRowsCountAsTheNextRow) {
    // 16-pixel rows at 15 twips a pixel.
    EXPECT_EQ(hoverRow(0, 15, 16, 5), 1);
    EXPECT_EQ(hoverRow(15, 15, 16, 5), 1);
    EXPECT_EQ(hoverRow(16 * 15, 15, 16, 5), 1);
    EXPECT_EQ(hoverRow(16 * 15 + 1, 15, 16, 5), 2);
    EXPECT_EQ(hoverRow(5 * 16 * 15, 15, 16, 5), 5);
    // Below the last entry: nothing.
    EXPECT_EQ(hoverRow(5 * 16 * 15 + 15, 15, 16, 5), 0);
    EXPECT_EQ(hoverRow(100, 15, 16, 0), 0);
    // Above the first row (the view's border).
    EXPECT_EQ(hoverRow(-30, 15, 16, 5), 1);
}

TEST(PointerOnWindow, EdgesCountAsInside) {
    EXPECT_TRUE(pointerOnWindow({10, 20}, 10, 20, 320, 246));
    EXPECT_TRUE(pointerOnWindow({320, 246}, 10, 20, 320, 246));
    EXPECT_FALSE(pointerOnWindow({9, 100}, 10, 20, 320, 246));
    EXPECT_FALSE(pointerOnWindow({100, 247}, 10, 20, 320, 246));
    EXPECT_TRUE(pointerOnWindow({-500, 5}, -600, 0, -300, 10));
}

TEST(GrowForNewEntry, GrowsUpwardsOnlyForLongListsBelowTheTop) {
    const Rect w{100, 5000, 4650, 6000};
    EXPECT_EQ(grownForNewEntry(w, 11), (Rect{100, 4750, 4650, 6250}));
    EXPECT_EQ(grownForNewEntry(w, 10), w);
    EXPECT_EQ(grownForNewEntry({100, 0, 4650, 6000}, 30), (Rect{100, 0, 4650, 6000}));
}

TEST(Placement, TheDateLineShowsWhole) {
    // Room enough below the list: right under it.
    EXPECT_EQ(dateLine(QRect(13, 24, 280, 160), 210, 14), QRect(13, 184, 280, 14));
    // Too little room: flush with the window's bottom edge, over the list's edge.
    EXPECT_EQ(dateLine(QRect(13, 24, 280, 190), 210, 14), QRect(13, 196, 280, 14));
}

TEST(Placement, TheWorkAreaLimitsTheSmallestWindow) {
    EXPECT_EQ(withinWork(minimumWidth(100), 3840), 3840);
    EXPECT_EQ(withinWork(minimumWidth(100), 19200), 4650);
    EXPECT_EQ(withinWork(4650, 0), 4650);
}
