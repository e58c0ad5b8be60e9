#pragma once

#include <functional>
#include <vector>

#include "../builtin_images/canvas.h"

namespace plk::tools {

struct Point {
    double x;
    double y;
};

// Smooth-edged drawing onto a Canvas for the sample character's pictures. Shapes are given
// in a shared coordinate system (the game canvas, 1024 x 768) and the painter's canvas
// shows the window of it that starts at `origin`, so the parts of the character line up
// when each is drawn into a picture of its own. Edges are sampled 4 x 4 per pixel and
// blended over what is there (straight alpha).
class SoftPainter {
public:
    SoftPainter(Canvas& canvas, Point origin) : m_canvas(canvas), m_origin(origin) {}

    using Inside = std::function<bool(double x, double y)>;
    using Shade = std::function<Rgba(double x, double y)>;

    // Covers the points of [left, right) x [top, bottom) that `inside` accepts.
    void Fill(double left, double top, double right, double bottom, const Inside& inside,
              const Shade& shade);
    void Fill(double left, double top, double right, double bottom, const Inside& inside,
              Rgba colour);

    void Ellipse(Point centre, double rx, double ry, Rgba colour);
    void Ellipse(Point centre, double rx, double ry, const Shade& shade);
    // A disc whose opacity falls from `colour`'s alpha at the centre to 0 at `radius`.
    void Glow(Point centre, double radius, Rgba colour);
    void Polygon(const std::vector<Point>& points, Rgba colour);
    void Polygon(const std::vector<Point>& points, const Shade& shade);
    // A line `width` wide with round ends through `points`.
    void Stroke(const std::vector<Point>& points, double width, Rgba colour);
    // Points along the quadratic curve from `a` to `c` pulled towards `b`.
    static std::vector<Point> Curve(Point a, Point b, Point c, int steps = 16);

private:
    Canvas& m_canvas;
    Point m_origin;
};

Rgba Mix(Rgba a, Rgba b, double t);

}  // namespace plk::tools
