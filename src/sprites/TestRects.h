// TestRects.h -- testRects, the game's one geometric test between two rectangles.
#pragma once

// whole false: true when the rectangles overlap or touch. whole true: true when the second
// rectangle is not wholly inside the first. shrink: both are first cut to their middle half.
bool testRects(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2, bool whole,
               bool shrink);
