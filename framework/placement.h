#pragma once

// Window geometry rules that need no window: centring at the first showing and
// scaling of design pixels to the actual text height.

struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// The text height, in pixels, for which positions and sizes are designed.
inline constexpr int kDesignTextHeight = 13;

// Top-left corner of a box of the given outer size centred over an area: the
// halves are divided with truncation toward zero, and a negative coordinate
// becomes 0.
Point CentredOrigin(const Bounds& area, int width, int height);

// A design value (pixels for a 13-pixel text height) at the actual text height,
// rounded half away from zero.
int ScaleToTextHeight(int value, int textHeight);

// A box in design pixels at the actual text height.
Bounds ScaleToTextHeight(const Bounds& box, int textHeight);
