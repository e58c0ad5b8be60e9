#include "soft_painter.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace plk::tools {
namespace {

constexpr int kSamples = 4;

double SegmentDistance(Point p, Point a, Point b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length = dx * dx + dy * dy;
    double t = length > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double ex = a.x + t * dx - p.x;
    const double ey = a.y + t * dy - p.y;
    return std::sqrt(ex * ex + ey * ey);
}

bool InsidePolygon(const std::vector<Point>& points, double x, double y) {
    bool inside = false;
    for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
        const Point& a = points[i];
        const Point& b = points[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) {
            inside = !inside;
        }
    }
    return inside;
}

std::uint8_t Channel(double value) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

}  // namespace

Rgba Mix(Rgba a, Rgba b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {Channel(a.r + (b.r - a.r) * t), Channel(a.g + (b.g - a.g) * t),
            Channel(a.b + (b.b - a.b) * t), Channel(a.a + (b.a - a.a) * t)};
}

void SoftPainter::Fill(double left, double top, double right, double bottom, const Inside& inside,
                       const Shade& shade) {
    const int x0 = std::max(0, static_cast<int>(std::floor(left - m_origin.x)));
    const int y0 = std::max(0, static_cast<int>(std::floor(top - m_origin.y)));
    const int x1 = std::min(m_canvas.Width(), static_cast<int>(std::ceil(right - m_origin.x)));
    const int y1 = std::min(m_canvas.Height(), static_cast<int>(std::ceil(bottom - m_origin.y)));
    for (int py = y0; py < y1; ++py) {
        for (int px = x0; px < x1; ++px) {
            int covered = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double x = m_origin.x + px + (sx + 0.5) / kSamples;
                    const double y = m_origin.y + py + (sy + 0.5) / kSamples;
                    covered += inside(x, y) ? 1 : 0;
                }
            }
            if (covered == 0) {
                continue;
            }
            const Rgba source = shade(m_origin.x + px + 0.5, m_origin.y + py + 0.5);
            const double alpha = source.a / 255.0 * covered / (kSamples * kSamples);
            Rgba& target = m_canvas.Pixel(px, py);
            const double below = target.a / 255.0;
            const double out = alpha + below * (1.0 - alpha);
            if (out <= 0.0) {
                continue;
            }
            auto blend = [&](std::uint8_t s, std::uint8_t d) {
                return Channel((s * alpha + d * below * (1.0 - alpha)) / out);
            };
            target = {blend(source.r, target.r), blend(source.g, target.g),
                      blend(source.b, target.b), Channel(out * 255.0)};
        }
    }
}

void SoftPainter::Fill(double left, double top, double right, double bottom, const Inside& inside,
                       Rgba colour) {
    Fill(left, top, right, bottom, inside, [colour](double, double) { return colour; });
}

void SoftPainter::Ellipse(Point centre, double rx, double ry, const Shade& shade) {
    Fill(
        centre.x - rx, centre.y - ry, centre.x + rx, centre.y + ry,
        [=](double x, double y) {
            const double dx = (x - centre.x) / rx;
            const double dy = (y - centre.y) / ry;
            return dx * dx + dy * dy <= 1.0;
        },
        shade);
}

void SoftPainter::Ellipse(Point centre, double rx, double ry, Rgba colour) {
    Ellipse(centre, rx, ry, [colour](double, double) { return colour; });
}

void SoftPainter::Glow(Point centre, double radius, Rgba colour) {
    Ellipse(centre, radius, radius, [=](double x, double y) {
        const double d = std::hypot(x - centre.x, y - centre.y) / radius;
        Rgba shaded = colour;
        shaded.a = Channel(colour.a * std::pow(std::max(0.0, 1.0 - d), 1.6));
        return shaded;
    });
}

void SoftPainter::Polygon(const std::vector<Point>& points, const Shade& shade) {
    double left = std::numeric_limits<double>::max();
    double top = left;
    double right = std::numeric_limits<double>::lowest();
    double bottom = right;
    for (const Point& p : points) {
        left = std::min(left, p.x);
        top = std::min(top, p.y);
        right = std::max(right, p.x);
        bottom = std::max(bottom, p.y);
    }
    Fill(
        left, top, right + 1, bottom + 1,
        [&points](double x, double y) { return InsidePolygon(points, x, y); }, shade);
}

void SoftPainter::Polygon(const std::vector<Point>& points, Rgba colour) {
    Polygon(points, [colour](double, double) { return colour; });
}

void SoftPainter::Stroke(const std::vector<Point>& points, double width, Rgba colour) {
    const double r = width / 2;
    double left = std::numeric_limits<double>::max();
    double top = left;
    double right = std::numeric_limits<double>::lowest();
    double bottom = right;
    for (const Point& p : points) {
        left = std::min(left, p.x - r);
        top = std::min(top, p.y - r);
        right = std::max(right, p.x + r);
        bottom = std::max(bottom, p.y + r);
    }
    Fill(
        left, top, right + 1, bottom + 1,
        [&points, r](double x, double y) {
            if (points.size() == 1) {
                return std::hypot(x - points[0].x, y - points[0].y) <= r;
            }
            for (std::size_t i = 1; i < points.size(); ++i) {
                if (SegmentDistance({x, y}, points[i - 1], points[i]) <= r) {
                    return true;
                }
            }
            return false;
        },
        colour);
}

std::vector<Point> SoftPainter::Curve(Point a, Point b, Point c, int steps) {
    std::vector<Point> points;
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const double u = 1.0 - t;
        points.push_back({u * u * a.x + 2 * u * t * b.x + t * t * c.x,
                          u * u * a.y + 2 * u * t * b.y + t * t * c.y});
    }
    return points;
}

}  // namespace plk::tools
