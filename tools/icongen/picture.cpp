#include "picture.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr Color kPageEdge{0x80, 0x86, 0x90};
constexpr Color kPage{0xFF, 0xFF, 0xFF};
constexpr Color kFold{0xDD, 0xE1, 0xE6};
constexpr Color kPageLine{0xC4, 0xCA, 0xD2};
constexpr Color kFrame{0x1E, 0x40, 0x8C};
constexpr Color kScreen{0x0B, 0x1B, 0x44};
constexpr Color kTitleButton{0x9C, 0xB4, 0xE4};
constexpr Color kPrompt{0xFF, 0xFF, 0xFF};

// Whole pixels, never less than `least`.
double px(double v, double least = 0) { return std::max(least, std::round(v)); }

struct Box {
    double x0, y0, x1, y1;
};

void paintPage(Canvas& c, const Box& page, double fold, double edge)
{
    std::vector<Point> outline{{page.x0, page.y0}, {page.x1 - fold, page.y0}, {page.x1, page.y0 + fold},
                               {page.x1, page.y1}, {page.x0, page.y1}};
    c.fill(polygon(outline), kPageEdge);
    c.fill(polygon(inset(outline, edge)), kPage);

    std::vector<Point> flap{{page.x1 - fold, page.y0}, {page.x1, page.y0 + fold}, {page.x1 - fold, page.y0 + fold}};
    c.fill(polygon(flap), kPageEdge);
    c.fill(polygon(inset(flap, edge)), kFold);
}

// Lines of text on the page; most of them run behind the window.
void paintPageLines(Canvas& c, const Box& page, double fold, double unit)
{
    const double thick = px(unit / 4, 1);
    const double left = px(page.x0 + 1.5 * unit);
    for (double y = page.y0 + 2 * unit; y + thick < page.y1 - unit; y += 1.5 * unit) {
        const double top = px(y);
        const double right = top < page.y0 + fold + unit ? page.x1 - fold - unit : page.x1 - 1.5 * unit;
        c.fill(rect(left, top, px(right), top + thick), kPageLine);
    }
}

// ">" as a staircase of whole pixels, crisp where there is no room for smooth edges.
void paintPixelChevron(Canvas& c, double x, double y, int rows, double thick)
{
    for (int i = 0; i < rows; ++i) {
        const double step = std::min(i, rows - 1 - i);
        c.fill(rect(x + step, y + i, x + step + thick, y + i + 1), kPrompt);
    }
}

// ">" as a smooth mitred stroke, `thick` measured across the stroke.
void paintSmoothChevron(Canvas& c, double x, double y, double height, double thick)
{
    const double half = height / 2;
    const double across = thick * std::sqrt(2.0);  // horizontal width of a 45-degree stroke
    c.fill(polygon({{x, y},
                    {x + across, y},
                    {x + across + half, y + half},
                    {x + across, y + height},
                    {x, y + height},
                    {x + half, y + half}}),
           kPrompt);
}

}  // namespace

void paintIcon(Canvas& c)
{
    const double size = c.size();
    const double unit = size / 16;  // the picture is laid out on a 16 x 16 grid
    const bool small = size <= 24;

    const Box page{px(unit), 0, px(11 * unit), px(14 * unit)};
    const double fold = px(4 * unit);
    const double edge = px(size / 48, 1);
    paintPage(c, page, fold, edge);
    if (!small)
        paintPageLines(c, page, fold, unit);

    const Box window{px(4 * unit), px(6 * unit), size, size};
    const double border = px(size / 32, 1);
    const double title = px(size / 8, 2);
    const double radius = small ? 0 : size / 24;
    c.fill(roundRect(window.x0, window.y0, window.x1, window.y1, radius), kFrame);
    const Box screen{window.x0 + border, window.y0 + title, window.x1 - border, window.y1 - border};
    c.fill(roundRect(screen.x0, screen.y0, screen.x1, screen.y1, std::max(0.0, radius - border)), kScreen);

    if (size >= 48) {
        const double button = px(title / 2);
        const double gap = px(title / 4);
        for (int i = 1; i <= 3; ++i) {
            const double right = window.x1 - border - gap - (i - 1) * (button + gap);
            const double top = window.y0 + (title - button) / 2;
            c.fill(rect(right - button, top, right, top + button), kTitleButton);
        }
    }

    // The prompt: ">" then "_" on its bottom row, centred in the screen vertically.
    const double screenHeight = screen.y1 - screen.y0;
    const double margin = px((screen.x1 - screen.x0) / 10, 1);
    if (small) {
        const int rows = static_cast<int>(screenHeight) - 2;
        const double thick = 2;
        const double x = screen.x0 + margin;
        const double y = screen.y0 + 1;
        paintPixelChevron(c, x, y, rows, thick);
        const double underscoreX = x + (rows - 1) / 2 + thick + 1;
        c.fill(rect(underscoreX, y + rows - 1, underscoreX + px(screenHeight * 0.45), y + rows), kPrompt);
    } else {
        const double thick = px(size / 20, 2);
        const double height = px(screenHeight * 0.55);
        const double x = screen.x0 + margin;
        const double y = px(screen.y0 + (screenHeight - height) / 2);
        paintSmoothChevron(c, x, y, height, thick);
        const double underscoreX = px(x + thick * std::sqrt(2.0) + height / 2 + thick);
        c.fill(rect(underscoreX, y + height - thick, underscoreX + px(height * 0.6), y + height), kPrompt);
    }
}
