#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Samples per pixel along each axis; 16 x 16 gives 256 levels of coverage.
constexpr int kGrid = 16;

}  // namespace

Shape rect(double x0, double y0, double x1, double y1)
{
    return [=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; };
}

Shape roundRect(double x0, double y0, double x1, double y1, double radius)
{
    return [=](double x, double y) {
        if (x < x0 || x >= x1 || y < y0 || y >= y1)
            return false;
        // Distance from the nearest corner's centre, only inside the corner squares.
        double dx = std::max({x0 + radius - x, x - (x1 - radius), 0.0});
        double dy = std::max({y0 + radius - y, y - (y1 - radius), 0.0});
        return dx * dx + dy * dy <= radius * radius;
    };
}

Shape polygon(std::vector<Point> points)
{
    return [points = std::move(points)](double x, double y) {
        // Even-odd rule: count the edges a ray to the right crosses.
        bool inside = false;
        for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const Point& a = points[i];
            const Point& b = points[j];
            if ((a.y > y) != (b.y > y) && x < a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y))
                inside = !inside;
        }
        return inside;
    };
}

std::vector<Point> inset(const std::vector<Point>& convex, double width)
{
    // Each edge shifted along its inward normal, then each corner re-found as the
    // meeting point of its two shifted edges.
    const std::size_t n = convex.size();
    struct Line {
        Point p, d;
    };
    std::vector<Line> lines;
    for (std::size_t i = 0; i < n; ++i) {
        Point a = convex[i], b = convex[(i + 1) % n];
        double dx = b.x - a.x, dy = b.y - a.y, len = std::hypot(dx, dy);
        // Clockwise on screen (y down): the inside lies to the right of travel.
        Point normal{-dy / len, dx / len};
        lines.push_back({{a.x + normal.x * width, a.y + normal.y * width}, {dx, dy}});
    }
    std::vector<Point> result;
    for (std::size_t i = 0; i < n; ++i) {
        const Line& l1 = lines[(i + n - 1) % n];
        const Line& l2 = lines[i];
        double cross = l1.d.x * l2.d.y - l1.d.y * l2.d.x;
        double t = ((l2.p.x - l1.p.x) * l2.d.y - (l2.p.y - l1.p.y) * l2.d.x) / cross;
        result.push_back({l1.p.x + l1.d.x * t, l1.p.y + l1.d.y * t});
    }
    return result;
}

Canvas::Canvas(int size) : size_(size), pixels_(static_cast<std::size_t>(size) * size, {0, 0, 0, 0}) {}

void Canvas::fill(const Shape& shape, Color color, double opacity)
{
    for (int py = 0; py < size_; ++py) {
        for (int px = 0; px < size_; ++px) {
            int hits = 0;
            for (int sy = 0; sy < kGrid; ++sy)
                for (int sx = 0; sx < kGrid; ++sx)
                    hits += shape(px + (sx + 0.5) / kGrid, py + (sy + 0.5) / kGrid);
            if (hits == 0)
                continue;
            double a = opacity * hits / (kGrid * kGrid);
            Premultiplied& p = pixels_[static_cast<std::size_t>(py) * size_ + px];
            p.r = color.r / 255.0 * a + p.r * (1 - a);
            p.g = color.g / 255.0 * a + p.g * (1 - a);
            p.b = color.b / 255.0 * a + p.b * (1 - a);
            p.a = a + p.a * (1 - a);
        }
    }
}

std::vector<std::uint8_t> Canvas::bgra() const
{
    auto byte = [](double v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
    std::vector<std::uint8_t> out;
    out.reserve(pixels_.size() * 4);
    for (const Premultiplied& p : pixels_) {
        double a = p.a > 0 ? p.a : 1;
        out.push_back(byte(p.b / a));
        out.push_back(byte(p.g / a));
        out.push_back(byte(p.r / a));
        out.push_back(byte(p.a));
    }
    return out;
}
