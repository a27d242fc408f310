// TestRectsTest.cpp -- overlap and containment, plain and shrunk to the middle halves.
#include "sprites/TestRects.h"

#include <gtest/gtest.h>

// Overlap counts shared edges; shrunk, both are cut to their middle halves, each quotient
// truncated on its own; containment needs the second wholly inside, its edges included.
TEST(TestRects, OverlapShrunkOrNotAndContainment) {
    EXPECT_TRUE(testRects(0, 0, 10, 10, 10, 0, 5, 5, false, false));
    EXPECT_TRUE(testRects(0, 0, 10, 10, 10, 10, 5, 5, false, false)); // a shared corner
    EXPECT_TRUE(testRects(2, 2, 3, 3, 0, 0, 10, 10, false, false));   // one inside the other
    EXPECT_FALSE(testRects(0, 0, 10, 10, 11, 0, 5, 5, false, false));
    EXPECT_FALSE(testRects(0, 0, 10, 10, 0, 11, 5, 5, false, false));
    EXPECT_FALSE(testRects(11, 0, 5, 5, 0, 0, 10, 10, false, false));
    EXPECT_FALSE(testRects(0, 11, 5, 5, 0, 0, 10, 10, false, false));

    // {0,0,100,100} becomes 25..75; {70,70,20,20} becomes 75..85 and touches.
    EXPECT_TRUE(testRects(0, 0, 100, 100, 70, 70, 20, 20, false, true));
    EXPECT_FALSE(testRects(0, 0, 100, 100, 71, 71, 20, 20, false, true));
    // Height 7 at y 0: 1..5 (3*7/4 = 5, not 3*(7/4) = 3).
    EXPECT_TRUE(testRects(0, 0, 100, 7, 0, 4, 100, 4, false, true));  // against 5..7
    EXPECT_FALSE(testRects(0, 0, 100, 7, 0, 5, 100, 4, false, true)); // against 6..8
    EXPECT_TRUE(testRects(0, 0, 7, 100, -2, 0, 4, 100, false, true)); // 1..5 against -1..1
    // Width 10: 2..7.
    EXPECT_TRUE(testRects(0, 0, 10, 100, 4, 0, 12, 100, false, true));  // against 7..13
    EXPECT_FALSE(testRects(0, 0, 10, 100, 5, 0, 12, 100, false, true)); // against 8..14

    const int sw = 1280;
    const int sh = 720;
    EXPECT_FALSE(testRects(0, 0, sw, sh, 1180, 670, 100, 50, true, false));
    EXPECT_FALSE(testRects(0, 0, sw, sh, 0, 0, sw, sh, true, false));
    EXPECT_TRUE(testRects(0, 0, sw, sh, 1181, 0, 100, 50, true, false));
    EXPECT_TRUE(testRects(0, 0, sw, sh, -1, 0, 100, 50, true, false));
    EXPECT_TRUE(testRects(0, 0, sw, sh, 0, -1, 100, 50, true, false));
    EXPECT_TRUE(testRects(0, 0, sw, sh, 0, 671, 100, 50, true, false));
    // The order matters here: the screen is not inside a small rectangle.
    EXPECT_TRUE(testRects(10, 10, 100, 50, 0, 0, sw, sh, true, false));
}
