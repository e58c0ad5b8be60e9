#include "sample_pictures.h"

#include <cmath>
#include <functional>

#include "soft_painter.h"

namespace plk::tools {
namespace {

constexpr double kPi = 3.14159265358979323846;

constexpr Rgba kSkin{255, 228, 210, 255};
constexpr Rgba kSkinShadow{240, 194, 178, 255};
constexpr Rgba kHair{96, 58, 88, 255};
constexpr Rgba kHairLight{146, 96, 128, 255};
constexpr Rgba kHairDark{70, 40, 66, 255};
constexpr Rgba kLine{64, 36, 50, 255};
constexpr Rgba kBlazer{60, 84, 144, 255};
constexpr Rgba kBlazerDark{42, 60, 108, 255};
constexpr Rgba kBlouse{250, 250, 252, 255};
constexpr Rgba kRibbon{222, 66, 90, 255};
constexpr Rgba kGold{236, 196, 92, 255};
constexpr Rgba kWhite{255, 255, 255, 255};

// The character's pivot points on the canvas.
constexpr Point kFaceCentre{512, 282};
constexpr Point kLeftEye{478, 292};
constexpr Point kRightEye{546, 292};
constexpr Point kShoulder{406, 446};  // the moving arm turns about it

struct Placement {
    double left;
    double top;
    int width;
    int height;
};

SamplePicture Picture(std::string name, Placement at,
                      const std::function<void(SoftPainter&)>& draw) {
    Canvas canvas(at.width, at.height);
    SoftPainter painter(canvas, {at.left, at.top});
    draw(painter);
    const int centreX = static_cast<int>(at.left) + at.width / 2;
    const int centreY = static_cast<int>(at.top) + at.height / 2;
    return {std::move(name), std::move(canvas), centreX - 512, centreY - 384};
}

Rgba WithAlpha(Rgba colour, int alpha) {
    colour.a = static_cast<std::uint8_t>(alpha);
    return colour;
}

// Points of the ellipse arc from angle `from` to `to` (radians, y downwards).
std::vector<Point> Arc(Point centre, double rx, double ry, double from, double to, int steps) {
    std::vector<Point> points;
    for (int i = 0; i <= steps; ++i) {
        const double a = from + (to - from) * i / steps;
        points.push_back({centre.x + rx * std::cos(a), centre.y + ry * std::sin(a)});
    }
    return points;
}

std::vector<Point> Mirrored(std::vector<Point> points) {
    for (Point& p : points) {
        p.x = 1024 - p.x;
    }
    return points;
}

void Background(SoftPainter& p) {
    const Rgba skyTop{150, 176, 226, 255};
    const Rgba skyLow{252, 220, 204, 255};
    p.Fill(
        0, 0, 1024, 768, [](double, double) { return true; },
        [&](double, double y) { return Mix(skyTop, skyLow, y / 600.0); });
    // Soft light through a window: slanted beams and blurred lights.
    for (int i = 0; i < 4; ++i) {
        const double x = 180 + i * 190;
        p.Polygon({{x, 0}, {x + 70, 0}, {x - 90, 620}, {x - 200, 620}}, WithAlpha(kWhite, 26));
    }
    const struct {
        double x, y, r;
        int alpha;
    } lights[] = {{190, 150, 46, 70}, {300, 90, 28, 60},  {760, 130, 54, 70}, {860, 250, 30, 60},
                  {230, 330, 36, 50}, {820, 420, 42, 55}, {640, 70, 22, 60},  {420, 200, 18, 45},
                  {140, 470, 26, 45}, {900, 520, 24, 45}};
    for (const auto& light : lights) {
        p.Glow({light.x, light.y}, light.r, WithAlpha(kWhite, light.alpha));
    }
    // The table: a wooden edge and green cloth.
    p.Fill(
        0, 612, 1024, 768, [](double, double) { return true; },
        [](double, double y) {
            return Mix({44, 128, 86, 255}, {24, 84, 56, 255}, (y - 612) / 156);
        });
    p.Fill(
        0, 596, 1024, 614, [](double, double) { return true; },
        [](double, double y) {
            return Mix({186, 124, 76, 255}, {120, 74, 44, 255}, (y - 596) / 18);
        });
    p.Fill(
        0, 596, 1024, 599, [](double, double) { return true; }, Rgba{226, 170, 118, 255});
    // Tiles standing on the table at both sides.
    for (int side = 0; side < 2; ++side) {
        for (int i = 0; i < 5; ++i) {
            const double left = side == 0 ? 128 + i * 37 : 712 + i * 37;
            const double top = 628;
            auto tile = [&](double x, double y) {
                const double dx = std::max({left + 5 - x, 0.0, x - (left + 29)});
                const double dy = std::max({top + 5 - y, 0.0, y - (top + 45)});
                return dx * dx + dy * dy <= 25;
            };
            p.Fill(left, top, left + 34, top + 50, tile, Rgba{36, 120, 96, 255});
            p.Fill(left, top, left + 34, top + 40, tile, Rgba{248, 244, 232, 255});
            const Rgba dots[] = {{208, 60, 70, 255}, {40, 104, 170, 255}, {30, 130, 80, 255}};
            const Rgba dot = dots[(i + side) % 3];
            const int count = 1 + (i * 2 + side) % 3;
            for (int d = 0; d < count; ++d) {
                const double cy = top + 20 + (d - (count - 1) / 2.0) * 11;
                p.Ellipse({left + 17, cy}, 5, 5, dot);
            }
        }
    }
}

void BackHair(SoftPainter& p) {
    p.Ellipse({512, 266}, 110, 112, kHairDark);
    p.Polygon({{404, 266},
               {620, 266},
               {636, 420},
               {618, 548},
               {590, 522},
               {566, 556},
               {536, 530},
               {512, 560},
               {488, 530},
               {458, 556},
               {434, 522},
               {406, 548},
               {388, 420}},
              [](double, double y) { return Mix(kHairDark, kHair, (y - 300) / 260); });
}

void Body(SoftPainter& p) {
    // Neck with the chin's shadow.
    p.Fill(
        488, 340, 536, 430, [](double, double) { return true; }, kSkin);
    p.Fill(
        488, 356, 536, 380, [](double, double) { return true; },
        [](double, double y) { return Mix(kSkinShadow, kSkin, (y - 362) / 18); });
    // The blazer.
    p.Polygon({{388, 438},
               {428, 410},
               {476, 398},
               {512, 452},
               {548, 398},
               {596, 410},
               {636, 438},
               {652, 530},
               {660, 750},
               {364, 750},
               {372, 530}},
              [](double x, double) { return Mix(kBlazer, kBlazerDark, std::fabs(x - 512) / 180); });
    // Blouse, collar and ribbon.
    p.Polygon({{478, 400}, {546, 400}, {512, 486}}, kBlouse);
    p.Polygon({{478, 400}, {512, 452}, {494, 460}, {468, 412}}, Rgba{236, 238, 246, 255});
    p.Polygon({{546, 400}, {512, 452}, {530, 460}, {556, 412}}, Rgba{236, 238, 246, 255});
    p.Stroke({{476, 400}, {512, 488}, {548, 400}}, 4, kBlazerDark);
    p.Polygon({{512, 448}, {478, 430}, {474, 466}}, kRibbon);
    p.Polygon({{512, 448}, {546, 430}, {550, 466}}, kRibbon);
    p.Polygon({{506, 452}, {496, 490}, {508, 486}}, Rgba{196, 50, 74, 255});
    p.Polygon({{518, 452}, {528, 490}, {516, 486}}, Rgba{196, 50, 74, 255});
    p.Ellipse({512, 450}, 9, 8, Rgba{196, 50, 74, 255});
    // Lapels and buttons.
    p.Stroke({{470, 404}, {500, 520}}, 3, kBlazerDark);
    p.Stroke({{554, 404}, {524, 520}}, 3, kBlazerDark);
    p.Ellipse({512, 566}, 7, 7, kGold);
    p.Ellipse({512, 622}, 7, 7, kGold);
    // The other arm hangs at her side.
    p.Ellipse({618, 446}, 28, 26, kBlazer);
    p.Stroke({{618, 446}, {628, 538}, {634, 606}}, 50, kBlazer);
    p.Stroke({{610, 456}, {616, 538}}, 6, kBlazerDark);
    p.Stroke({{634, 608}, {635, 618}}, 44, kBlouse);
    p.Ellipse({636, 642}, 19, 21, kSkin);
}

void Arm(SoftPainter& p) {
    const Point elbow{kShoulder.x - 8, kShoulder.y + 92};
    const Point wrist{kShoulder.x - 16, kShoulder.y + 160};
    p.Ellipse(kShoulder, 28, 26, kBlazer);
    p.Stroke({kShoulder, elbow, wrist}, 50, kBlazer);
    p.Stroke({{kShoulder.x + 10, kShoulder.y + 10}, {elbow.x + 12, elbow.y}}, 6, kBlazerDark);
    p.Stroke({{wrist.x, wrist.y + 2}, {wrist.x - 1, wrist.y + 12}}, 44, kBlouse);
    p.Ellipse({wrist.x - 2, wrist.y + 36}, 19, 21, kSkin);
    p.Stroke(SoftPainter::Curve({wrist.x - 14, wrist.y + 34}, {wrist.x - 4, wrist.y + 42},
                                {wrist.x + 10, wrist.y + 34}),
             2.5, kSkinShadow);
}

void Head(SoftPainter& p) {
    p.Ellipse({430, 296}, 11, 17, kSkinShadow);
    p.Ellipse({594, 296}, 11, 17, kSkinShadow);
    // A soft face, a little narrower towards the chin.
    p.Fill(
        420, 190, 604, 372,
        [](double x, double y) {
            const double dy = (y - kFaceCentre.y) / 88;
            const double narrowing = y > kFaceCentre.y ? 1.0 - 0.22 * dy : 1.0;
            const double dx = (x - kFaceCentre.x) / (82 * narrowing);
            return dx * dx + dy * dy <= 1.0;
        },
        kSkin);
    p.Ellipse({512, 330}, 3, 2, kSkinShadow);  // the nose, just a hint
    // Front hair: the cap over the head and the fringe across the forehead.
    std::vector<Point> hair = Arc({512, 264}, 100, 108, kPi - 0.3, 2 * kPi + 0.3, 40);
    const std::vector<Point> fringe = {{606, 300}, {598, 262}, {582, 238}, {570, 262}, {554, 232},
                                       {536, 256}, {516, 226}, {500, 254}, {480, 230}, {468, 258},
                                       {448, 238}, {428, 266}, {418, 300}};
    hair.insert(hair.end(), fringe.begin(), fringe.end());
    p.Polygon(hair, [](double, double y) { return Mix(kHairLight, kHair, (y - 160) / 90); });
    // Side locks framing the face.
    const std::vector<Point> lock = {{414, 262}, {438, 270}, {448, 330}, {442, 396},
                                     {428, 372}, {416, 332}, {406, 292}};
    p.Polygon(lock, kHair);
    p.Polygon(Mirrored(lock), kHair);
    // A shine on the hair and a hair clip.
    p.Stroke(Arc({512, 264}, 84, 90, kPi * 1.18, kPi * 1.42, 10), 5, WithAlpha(kWhite, 110));
    p.Ellipse({584, 214}, 13, 9, kGold);
    p.Ellipse({584, 214}, 6, 4, Rgba{255, 232, 150, 255});
}

// One eye, `side` -1 for the left of the picture, +1 for the right.
void Eye(SoftPainter& p, Point c, int side, double openness) {
    const double s = side;
    if (openness <= 0.0) {
        p.Stroke(SoftPainter::Curve({c.x - 17, c.y + 1}, {c.x, c.y + 12}, {c.x + 17, c.y + 1}), 4,
                 kLine);
        p.Stroke({{c.x + s * 17, c.y + 1}, {c.x + s * 23, c.y - 3}}, 3, kLine);
        return;
    }
    p.Ellipse({c.x, c.y}, 17, 20, kWhite);
    p.Ellipse({c.x + s * 1, c.y + 2}, 13, 17, [c](double, double y) {
        return Mix({110, 52, 40, 255}, {236, 160, 84, 255}, (y - (c.y - 15)) / 32);
    });
    p.Ellipse({c.x + s * 1, c.y + 3}, 6, 8, Rgba{60, 28, 26, 255});
    p.Ellipse({c.x - 5, c.y - 6}, 5, 5, kWhite);
    p.Ellipse({c.x + 5, c.y + 8}, 2.2, 2.2, WithAlpha(kWhite, 220));
    double lid = c.y - 20;
    if (openness < 1.0) {
        // The lid comes down over the upper half of the eye.
        lid = c.y - 2;
        p.Fill(
            c.x - 22, c.y - 26, c.x + 22, lid + 1, [](double, double) { return true; }, kSkin);
    }
    p.Stroke(SoftPainter::Curve({c.x - 19, lid + 12}, {c.x, lid - 8}, {c.x + 19, lid + 10}), 5,
             kLine);
    p.Stroke({{c.x + s * 18, lid + 8}, {c.x + s * 25, lid + 2}}, 3, kLine);
}

void Eyes(SoftPainter& p, double openness) {
    Eye(p, kLeftEye, -1, openness);
    Eye(p, kRightEye, 1, openness);
}

enum class Expression { Smile, Open, Serious };

void Face(SoftPainter& p, Expression expression) {
    const Rgba brow = kHair;
    const Rgba mouthLine{150, 60, 70, 255};
    if (expression != Expression::Serious) {
        const int blush = expression == Expression::Open ? 110 : 80;
        p.Glow({460, 326}, 18, Rgba{255, 130, 150, static_cast<std::uint8_t>(blush)});
        p.Glow({564, 326}, 18, Rgba{255, 130, 150, static_cast<std::uint8_t>(blush)});
    }
    switch (expression) {
        case Expression::Smile:
            p.Stroke(SoftPainter::Curve({462, 262}, {478, 254}, {494, 260}), 3.5, brow);
            p.Stroke(SoftPainter::Curve({530, 260}, {546, 254}, {562, 262}), 3.5, brow);
            p.Stroke(SoftPainter::Curve({500, 340}, {512, 349}, {524, 340}), 3, mouthLine);
            break;
        case Expression::Open: {
            p.Stroke(SoftPainter::Curve({462, 256}, {478, 248}, {494, 254}), 3.5, brow);
            p.Stroke(SoftPainter::Curve({530, 254}, {546, 248}, {562, 256}), 3.5, brow);
            std::vector<Point> mouth = {{497, 337}, {527, 337}};
            const std::vector<Point> lower =
                SoftPainter::Curve({527, 337}, {512, 366}, {497, 337}, 12);
            mouth.insert(mouth.end(), lower.begin(), lower.end());
            p.Polygon(mouth, Rgba{176, 62, 76, 255});
            p.Ellipse({512, 350}, 8, 4.5, Rgba{240, 128, 140, 255});
            p.Stroke(mouth, 2, mouthLine);
            break;
        }
        case Expression::Serious:
            p.Stroke({{462, 254}, {494, 264}}, 4, brow);
            p.Stroke({{530, 264}, {562, 254}}, 4, brow);
            p.Stroke(SoftPainter::Curve({502, 342}, {512, 338}, {522, 342}), 3, mouthLine);
            break;
    }
}

void Sparkle(SoftPainter& p, Point c) {
    p.Glow(c, 72, Rgba{255, 236, 170, 170});
    std::vector<Point> star;
    for (int i = 0; i < 8; ++i) {
        const double a = i * kPi / 4 - kPi / 2;
        const double r = i % 2 == 0 ? 74 : 13;
        star.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
    }
    p.Polygon(star, Rgba{255, 250, 226, 235});
    p.Glow(c, 22, kWhite);
}

void Aura(SoftPainter& p, Point c) {
    p.Ellipse(c, 280, 280, [c](double x, double y) {
        const double d = std::hypot(x - c.x, y - c.y);
        const double ring = std::exp(-std::pow((d - 228) / 34, 2)) * 170;
        const double inside = d < 250 ? 46 * (1 - d / 250) : 0;
        return Rgba{255, 168, 96, static_cast<std::uint8_t>(std::min(255.0, ring + inside))};
    });
}

// The translucent panel behind the message strip (800 x 96 at (112, 336)), so the text
// reads over any picture.
void MessagePanel(SoftPainter& p) {
    auto rounded = [](double left, double top, double right, double bottom, double radius) {
        return [=](double x, double y) {
            const double dx = std::max({left + radius - x, 0.0, x - (right - radius)});
            const double dy = std::max({top + radius - y, 0.0, y - (bottom - radius)});
            return dx * dx + dy * dy <= radius * radius;
        };
    };
    p.Fill(104, 326, 920, 442, rounded(104, 326, 920, 442, 16), Rgba{255, 255, 255, 130});
    p.Fill(107, 329, 917, 439, rounded(107, 329, 917, 439, 14), [](double, double y) {
        return Mix({52, 30, 62, 200}, {30, 18, 40, 215}, (y - 329) / 110);
    });
}

}  // namespace

std::vector<SamplePicture> DrawSamplePictures() {
    constexpr Placement kEyes{432, 258, 160, 64};
    constexpr Placement kFace{432, 236, 160, 136};
    std::vector<SamplePicture> pictures;
    pictures.push_back(Picture("hinata_bg.png", {0, 0, 1024, 768}, Background));
    pictures.push_back(Picture("hinata_hair_back.png", {380, 150, 264, 420}, BackHair));
    pictures.push_back(Picture("hinata_body.png", {292, 330, 440, 420}, Body));
    pictures.push_back(
        Picture("hinata_arm.png", {kShoulder.x - 230, kShoulder.y - 230, 460, 460}, Arm));
    pictures.push_back(Picture("hinata_head.png", {392, 150, 240, 256}, Head));
    pictures.push_back(Picture("hinata_eyes_open.png", kEyes, [](SoftPainter& p) { Eyes(p, 1); }));
    pictures.push_back(
        Picture("hinata_eyes_half.png", kEyes, [](SoftPainter& p) { Eyes(p, 0.5); }));
    pictures.push_back(
        Picture("hinata_eyes_closed.png", kEyes, [](SoftPainter& p) { Eyes(p, 0); }));
    pictures.push_back(Picture("hinata_face_smile.png", kFace,
                               [](SoftPainter& p) { Face(p, Expression::Smile); }));
    pictures.push_back(
        Picture("hinata_face_open.png", kFace, [](SoftPainter& p) { Face(p, Expression::Open); }));
    pictures.push_back(Picture("hinata_face_serious.png", kFace,
                               [](SoftPainter& p) { Face(p, Expression::Serious); }));
    pictures.push_back(Picture("hinata_sparkle.png", {220, 180, 160, 160}, [](SoftPainter& p) {
        Sparkle(p, {300, 260});
    }));
    pictures.push_back(Picture("hinata_aura.png", {232, 140, 560, 560}, [](SoftPainter& p) {
        Aura(p, {512, 420});
    }));
    pictures.push_back(Picture("hinata_message_panel.png", {96, 320, 832, 128}, MessagePanel));
    return pictures;
}

}  // namespace plk::tools
