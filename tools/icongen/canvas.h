// A square RGBA canvas that fills shapes with anti-aliased edges.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

struct Color {
    std::uint8_t r, g, b;
};

struct Point {
    double x, y;
};

// Answers whether a point, in pixel units from the top-left corner, lies inside a shape.
using Shape = std::function<bool(double x, double y)>;

Shape rect(double x0, double y0, double x1, double y1);
Shape roundRect(double x0, double y0, double x1, double y1, double radius);
Shape polygon(std::vector<Point> points);

// The convex polygon moved inwards by `width` on every edge; points run clockwise on screen.
std::vector<Point> inset(const std::vector<Point>& convex, double width);

class Canvas {
public:
    explicit Canvas(int size);

    int size() const { return size_; }

    // Paints `color` over each pixel in proportion to the share of its samples inside `shape`.
    void fill(const Shape& shape, Color color, double opacity = 1.0);

    // Straight (not premultiplied) B, G, R, A bytes, top row first.
    std::vector<std::uint8_t> bgra() const;

private:
    struct Premultiplied {
        double r, g, b, a;
    };
    int size_;
    std::vector<Premultiplied> pixels_;
};
