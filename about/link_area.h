#pragma once

// A rectangle in client coordinates, as the system gives it.
struct LinkArea {
    long left = 0;
    long top = 0;
    long right = 0;
    long bottom = 0;
};

// Whether the point lies in the area. The left and top edges belong to it,
// the right and bottom edges do not, as with the system's own rectangles:
// two areas side by side never share a point.
bool IsInsideLinkArea(const LinkArea& area, long x, long y);
