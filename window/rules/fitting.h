#pragma once

// How every window draws the design in a client area of any size, and how it zooms.

#include "design.h"

namespace bitki {

// The design drawn in a client area of any size, as one picture: one factor for everything, so
// that it keeps its proportions, and centred, the spare margin left to the window's colour.
struct Fit {
    double scale;
    double left;
    double top;

    static Fit of(int width, int height);
    // Where a control of the design goes, in whole pixels.
    design::Rect place(const design::Rect& rect) const;
};

// The next size up (direction 1) or down (-1) from this scale, in steps of a quarter of the
// designed size. A scale a hair off a step, as whole pixels make it, counts as that step.
double ZoomStep(double scale, int direction);

struct Zoom {
    double factor;
    int left;
    int top;
};

// The window zoomed to this factor of its designed size, never below it and as far as the work
// area holds it with its frame; moved from where its frame stands only as far as it must to stay
// inside. unit is the screen's pixels per design pixel at the designed size; work is the screen's
// room for windows, in its own pixels.
Zoom ZoomWithin(
    double factor, double unit, const design::Rect& work, int frameWidth, int frameHeight, int left, int top);

} // namespace bitki
