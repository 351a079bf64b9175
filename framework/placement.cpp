#include "framework/placement.h"

#include <algorithm>
#include <cstdint>

Point CentredOrigin(const Bounds& area, int width, int height)
{
    // C++ division truncates toward zero, as the rule wants.
    const int x = area.left + (area.width - width) / 2;
    const int y = area.top + (area.height - height) / 2;
    return {std::max(x, 0), std::max(y, 0)};
}

int ScaleToTextHeight(int value, int textHeight)
{
    const std::int64_t product = std::int64_t{value} * textHeight;
    const std::int64_t half = kDesignTextHeight / 2;
    return static_cast<int>((product >= 0 ? product + half : product - half) / kDesignTextHeight);
}

Bounds ScaleToTextHeight(const Bounds& box, int textHeight)
{
    return {ScaleToTextHeight(box.left, textHeight), ScaleToTextHeight(box.top, textHeight),
            ScaleToTextHeight(box.width, textHeight), ScaleToTextHeight(box.height, textHeight)};
}
