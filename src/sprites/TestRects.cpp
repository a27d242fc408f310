// TestRects.cpp -- overlap and containment of two rectangles, optionally of their middle halves.
#include "sprites/TestRects.h"

namespace {

struct Edges {
    int left, right, top, bottom;
};

Edges edgesOf(int x, int y, int w, int h, bool shrink) {
    if (!shrink) {
        return {x, x + w, y, y + h};
    }
    // Each quotient truncates on its own: three times w is divided by 4, not a quarter tripled.
    return {x + w / 4, x + (3 * w) / 4, y + h / 4, y + (3 * h) / 4};
}

} // namespace

bool testRects(int x1, int y1, int w1, int h1, int x2, int y2, int w2, int h2, bool whole,
               bool shrink) {
    Edges first = edgesOf(x1, y1, w1, h1, shrink);
    Edges second = edgesOf(x2, y2, w2, h2, shrink);

    // Strict comparisons: rectangles sharing only an edge or a corner still touch.
    bool apart = second.left > first.right || second.top > first.bottom ||
                 first.left > second.right || first.top > second.bottom;
    if (!whole) {
        return !apart;
    }
    return apart || first.left > second.left || first.top > second.top ||
           second.right > first.right || second.bottom > first.bottom;
}
