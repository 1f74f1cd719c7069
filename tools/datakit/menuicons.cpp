#include "tools/datakit/menuicons.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "core/base/angles.h"
#include "core/base/bytes.h"
#include "core/base/trackedmemory.h"
#include "game/screens/engine/menufonts.h"
#include "game/system/picture.h"
#include "tools/datakit/stage.h"

namespace datakit {
namespace {

// The palette every sheet shares.
constexpr uint32_t kOutline = 0xFF1C1F26u;
constexpr uint32_t kWhite = 0xFFF2F2F0u;
constexpr uint32_t kGrey = 0xFF8C929Cu;
constexpr uint32_t kDarkGrey = 0xFF4A4F58u;
constexpr uint32_t kPanel = 0xFF26344Au;
constexpr uint32_t kPanelEdge = 0xFF7F9CC4u;
constexpr uint32_t kBlue = 0xFF2F63B0u;
constexpr uint32_t kGreen = 0xFF2E9E4Au;
constexpr uint32_t kGrass = 0xFF2F7D3Au;
constexpr uint32_t kGrassLight = 0xFF3A8F46u;
constexpr uint32_t kRed = 0xFFC8322Cu;
constexpr uint32_t kYellow = 0xFFF2C21Bu;
constexpr uint32_t kOrange = 0xFFE8832Au;
constexpr uint32_t kSand = 0xFFE0C070u;

struct Point {
    double x, y;
};

// Drawing inside one frame of a sheet; nothing leaves the frame.
class Canvas {
  public:
    Canvas(Picture& sheet, int x, int y, int width, int height)
        : sheet_(sheet), x0_(x), y0_(y), width_(width), height_(height) {}
    int Width() const { return width_; }
    int Height() const { return height_; }

    void Plot(int x, int y, uint32_t colour) {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
        sheet_.pixels[size_t(y0_ + y) * sheet_.width + size_t(x0_ + x)] = colour;
    }
    void Rect(int x, int y, int w, int h, uint32_t colour) {
        for (int j = y; j < y + h; ++j) {
            for (int i = x; i < x + w; ++i) Plot(i, j, colour);
        }
    }
    void Frame(int x, int y, int w, int h, int thickness, uint32_t colour) {
        Rect(x, y, w, thickness, colour);
        Rect(x, y + h - thickness, w, thickness, colour);
        Rect(x, y, thickness, h, colour);
        Rect(x + w - thickness, y, thickness, h, colour);
    }
    // A filled box with a one-pixel outline.
    void Box(int x, int y, int w, int h, uint32_t fill) {
        Rect(x, y, w, h, kOutline);
        Rect(x + 1, y + 1, w - 2, h - 2, fill);
    }
    void Disc(double cx, double cy, double r, uint32_t colour) {
        for (int y = int(cy - r) - 1; y <= int(cy + r) + 1; ++y) {
            for (int x = int(cx - r) - 1; x <= int(cx + r) + 1; ++x) {
                const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
                if (dx * dx + dy * dy <= r * r) Plot(x, y, colour);
            }
        }
    }
    void OutlinedDisc(double cx, double cy, double r, uint32_t fill) {
        Disc(cx, cy, r, kOutline);
        Disc(cx, cy, r - 1.0, fill);
    }
    // Scan-converted polygon (even-odd, pixel centres).
    void Polygon(const std::vector<Point>& points, uint32_t colour) {
        for (int y = 0; y < height_; ++y) {
            const double sy = y + 0.5;
            std::vector<double> crossings;
            for (size_t i = 0; i < points.size(); ++i) {
                const Point& a = points[i];
                const Point& b = points[(i + 1) % points.size()];
                if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy)) {
                    crossings.push_back(a.x + (sy - a.y) * (b.x - a.x) / (b.y - a.y));
                }
            }
            std::sort(crossings.begin(), crossings.end());
            for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
                for (int x = int(std::ceil(crossings[i] - 0.5)); x + 0.5 < crossings[i + 1]; ++x)
                    Plot(x, y, colour);
            }
        }
    }
    void Line(double x1, double y1, double x2, double y2, double thickness, uint32_t colour) {
        const double length = std::hypot(x2 - x1, y2 - y1);
        if (length == 0) {
            Disc(x1, y1, thickness / 2, colour);
            return;
        }
        const double nx = -(y2 - y1) / length * thickness / 2, ny = (x2 - x1) / length * thickness / 2;
        Polygon({{x1 + nx, y1 + ny}, {x2 + nx, y2 + ny}, {x2 - nx, y2 - ny}, {x1 - nx, y1 - ny}}, colour);
    }

  private:
    Picture& sheet_;
    int x0_, y0_, width_, height_;
};

std::vector<Point> Rotated(std::vector<Point> points, double cx, double cy, double angle) {
    const double c = std::cos(angle), s = std::sin(angle);
    for (Point& p : points) {
        const double dx = p.x - cx, dy = p.y - cy;
        p = {cx + dx * c - dy * s, cy + dx * s + dy * c};
    }
    return points;
}

// An arrow pointing up inside a w x h box, turned by angle about its centre.
std::vector<Point> ArrowShape(double w, double h, double angle) {
    const double cx = w / 2, cy = h / 2;
    std::vector<Point> arrow = {{cx, h * 0.08},       {w * 0.9, h * 0.5},   {w * 0.64, h * 0.5},
                                {w * 0.64, h * 0.92}, {w * 0.36, h * 0.92}, {w * 0.36, h * 0.5},
                                {w * 0.1, h * 0.5}};
    return Rotated(arrow, cx, cy, angle);
}

std::vector<Point> Scaled(std::vector<Point> points, double scale, double cx, double cy) {
    for (Point& p : points) p = {cx + (p.x - cx) * scale, cy + (p.y - cy) * scale};
    return points;
}

void OutlinedPolygon(Canvas& c, const std::vector<Point>& points, uint32_t fill, double cx, double cy,
                     double inset) {
    c.Polygon(points, kOutline);
    double size = 0;
    for (const Point& p : points) size = std::max(size, std::hypot(p.x - cx, p.y - cy));
    c.Polygon(Scaled(points, size > inset ? (size - inset) / size : 0.0, cx, cy), fill);
}

void Arrow(Canvas& c, double angle, uint32_t fill) {
    const double w = c.Width(), h = c.Height();
    OutlinedPolygon(c, ArrowShape(w, h, angle), fill, w / 2, h / 2, 1.6);
}

std::vector<Point> StarShape(double cx, double cy, double outer, double inner) {
    std::vector<Point> star;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 ? inner : outer, a = -kPi / 2 + i * kPi / 5;
        star.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return star;
}

void Tick(Canvas& c, double x, double y, double size, double thickness, uint32_t colour) {
    c.Line(x, y + size * 0.55, x + size * 0.35, y + size * 0.9, thickness, colour);
    c.Line(x + size * 0.35, y + size * 0.9, x + size, y + size * 0.1, thickness, colour);
}

void Cross(Canvas& c, double x, double y, double size, double thickness, uint32_t colour) {
    c.Line(x, y, x + size, y + size, thickness, colour);
    c.Line(x + size, y, x, y + size, thickness, colour);
}

// The large panels the modal boxes and sections draw on.
void PanelBlock(Canvas& c) {
    c.Rect(0, 0, c.Width(), c.Height(), kOutline);
    c.Rect(2, 2, c.Width() - 4, c.Height() - 4, kPanelEdge);
    c.Rect(4, 4, c.Width() - 8, c.Height() - 8, kPanel);
    c.Rect(6, 6, c.Width() - 12, 2, 0xFF34486Au);
}

void Pitch(Canvas& c) {
    const int w = c.Width(), h = c.Height();
    for (int stripe = 0; stripe * 10 < w; ++stripe)
        c.Rect(stripe * 10, 0, 10, h, stripe % 2 ? kGrassLight : kGrass);
    const bool upright = h > w;
    const int m = std::max(2, std::min(w, h) / 16);
    c.Frame(m, m, w - 2 * m, h - 2 * m, 1, kWhite);
    if (upright) {
        c.Rect(m, h / 2, w - 2 * m, 1, kWhite);
    } else {
        c.Rect(w / 2, m, 1, h - 2 * m, kWhite);
    }
    const double r = std::min(w, h) * 0.14;
    for (int a = 0; a < 360; ++a)
        c.Plot(int(w / 2.0 + r * std::cos(a * kPi / 180)), int(h / 2.0 + r * std::sin(a * kPi / 180)),
               kWhite);
    // Penalty areas.
    if (upright) {
        const int bw = w * 6 / 10, bh = h / 7;
        c.Frame((w - bw) / 2, m, bw, bh, 1, kWhite);
        c.Frame((w - bw) / 2, h - m - bh, bw, bh, 1, kWhite);
    } else {
        const int bw = w / 7, bh = h * 6 / 10;
        c.Frame(m, (h - bh) / 2, bw, bh, 1, kWhite);
        c.Frame(w - m - bw, (h - bh) / 2, bw, bh, 1, kWhite);
    }
    // The outline's last pixel sets the measured size.
    c.Frame(0, 0, w, h, 1, kOutline);
}

// Seven-segment digits 0-9 and a colon.
void Digit(Canvas& c, int frame) {
    static const uint8_t kSegments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    c.Rect(0, 0, c.Width(), c.Height(), 0xFF101418u);
    if (frame == 10) {
        c.Rect(5, 5, 3, 3, kYellow);
        c.Rect(5, 12, 3, 3, kYellow);
        return;
    }
    const uint8_t on = kSegments[frame];
    const int l = 2, r = 10, t = 2, m = 9, b = 16, s = 2;
    auto segment = [&](int bit, int x, int y, int w, int h) {
        c.Rect(x, y, w, h, (on >> bit) & 1 ? kYellow : 0xFF2A2A20u);
    };
    segment(0, l + s, t, r - l - s, s);
    segment(1, r, t + s, s, m - t - s);
    segment(2, r, m + s, s, b - m - s);
    segment(3, l + s, b, r - l - s, s);
    segment(4, l, m + s, s, b - m - s);
    segment(5, l, t + s, s, m - t - s);
    segment(6, l + s, m, r - l - s, s);
}

void Hourglass(Canvas& c, int frame) {
    const double w = c.Width(), h = c.Height(), cx = w / 2, cy = h / 2;
    // It turns over a step a frame while the sand runs down.
    const double angle = frame * kPi / 20.0;
    const std::vector<Point> glass = {{5, 3},   {20, 3}, {20, 5}, {14, 12.5}, {20, 20},
                                      {20, 22}, {5, 22}, {5, 20}, {11, 12.5}, {5, 5}};
    c.Polygon(Rotated(glass, cx, cy, angle), kOutline);
    const std::vector<Point> inner = {{7, 5}, {18, 5}, {13, 12.5}, {18, 20}, {7, 20}, {12, 12.5}};
    c.Polygon(Rotated(inner, cx, cy, angle), kWhite);
    const double run = frame / 20.0;
    const double topLevel = 5 + 6.5 * run;  // the top bulb empties
    c.Polygon(Rotated({{7 + (topLevel - 5) * 0.7, topLevel},
                       {18 - (topLevel - 5) * 0.7, topLevel},
                       {13, 12.5},
                       {12, 12.5}},
                      cx, cy, angle),
              kSand);
    const double bottomLevel = 20 - 6.5 * run;
    c.Polygon(Rotated({{7, 20},
                       {18, 20},
                       {18 - (20 - bottomLevel) * 0.7, bottomLevel},
                       {7 + (20 - bottomLevel) * 0.7, bottomLevel}},
                      cx, cy, angle),
              kSand);
}

void Envelope(Canvas& c, int frame) {
    const double w = c.Width(), h = c.Height();
    const double open = std::sin(frame / 27.0 * kPi);  // opens and closes again
    c.Box(2, 4, int(w) - 4, int(h) - 5, kWhite);
    // The letter rises out of an open envelope.
    if (open > 0.3) c.Box(7, int(6 - open * 5), int(w) - 14, 10, 0xFFFFF8E0u);
    const double tip = 4 + (1 - 2 * open) * (h * 0.45);
    c.Line(3, 5, w / 2, tip, 1.4, kOutline);
    c.Line(w / 2, tip, w - 3, 5, 1.4, kOutline);
    c.Line(3, h - 2, w * 0.4, h * 0.55, 1, kGrey);
    c.Line(w - 3, h - 2, w * 0.6, h * 0.55, 1, kGrey);
}

void Television(Canvas& c, int frame) {
    c.Line(8, 1, 11, 5, 1, kOutline);
    c.Line(15, 1, 11, 5, 1, kOutline);
    c.Box(1, 5, 20, 17, kDarkGrey);
    static const uint32_t kScreens[5] = {0xFF3C78D8u, 0xFF4AA85Au, 0xFFD8A83Cu, 0xFFB84A4Au, 0xFF8A5AC8u};
    c.Rect(3, 7, 16, 13, kScreens[frame % 5]);
    c.Rect(3, 7 + (frame * 3) % 13, 16, 1, kWhite);  // a rolling line
    c.Rect(6, 22, 10, 2, kOutline);
}

uint32_t Mix(uint32_t a, uint32_t b, double t) {
    uint32_t out = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const double v = ((a >> shift) & 0xFF) * (1 - t) + ((b >> shift) & 0xFF) * t;
        out |= uint32_t(std::lround(v)) << shift;
    }
    return out;
}

// A small symbol of one of several kinds, for the training and status sets.
void Symbol(Canvas& c, int kind, uint32_t fill) {
    const double w = c.Width(), h = c.Height(), cx = w / 2, cy = h / 2, r = std::min(w, h) / 2 - 1;
    switch (kind % 6) {
        case 0:
            c.OutlinedDisc(cx, cy, r, fill);
            break;
        case 1:
            c.Box(int(cx - r), int(cy - r), int(2 * r), int(2 * r), fill);
            break;
        case 2:
            OutlinedPolygon(c, {{cx, cy - r}, {cx + r, cy + r}, {cx - r, cy + r}}, fill, cx, cy, 1.6);
            break;
        case 3:
            OutlinedPolygon(c, {{cx, cy - r}, {cx + r, cy}, {cx, cy + r}, {cx - r, cy}}, fill, cx, cy, 1.4);
            break;
        case 4:
            OutlinedPolygon(c, StarShape(cx, cy, r, r * 0.45), fill, cx, cy, 1.2);
            break;
        default:
            c.OutlinedDisc(cx, cy, r, fill);
            c.Disc(cx, cy, r * 0.45, kWhite);
            break;
    }
}

constexpr uint32_t kSetColours[8] = {kBlue, kGreen, kRed, kYellow, kOrange, 0xFF8A5AC8u, 0xFF2AB0B8u, kGrey};

void Football(Canvas& c, double cx, double cy, double r) {
    c.OutlinedDisc(cx, cy, r, kWhite);
    c.Disc(cx, cy, r * 0.35, kOutline);
    for (int i = 0; i < 5; ++i) {
        const double a = -kPi / 2 + i * 2 * kPi / 5;
        c.Plot(int(cx + r * 0.75 * std::cos(a)), int(cy + r * 0.75 * std::sin(a)), kOutline);
    }
}

// A square button face with a symbol, for the arrow buttons.
void ArrowButton(Canvas& c, double angle) {
    c.Box(0, 0, c.Width(), c.Height(), kBlue);
    Arrow(c, angle, kWhite);
    c.Frame(0, 0, c.Width(), c.Height(), 1, kOutline);
}

// Measured sheets: the size each is drawn at, for its place on the screens.
struct MeasuredSize {
    int entry, width, height;
};
constexpr MeasuredSize kMeasured[] = {
    {1, 24, 24},    {2, 440, 200},  {9, 160, 104},  {10, 400, 3},   {12, 440, 160}, {15, 21, 21},
    {16, 40, 40},   {18, 11, 19},   {20, 440, 240}, {21, 300, 196}, {24, 240, 156}, {25, 200, 130},
    {26, 300, 120}, {27, 200, 60},  {28, 120, 78},  {30, 120, 180}, {32, 24, 24},   {33, 60, 60},
    {34, 60, 60},   {36, 280, 182}, {37, 30, 15},   {38, 20, 10},   {40, 200, 120}, {41, 32, 16},
    {42, 40, 40},   {43, 40, 40},   {45, 24, 24},   {46, 24, 24},   {48, 40, 40},   {49, 12, 20},
    {50, 32, 20},   {51, 20, 20},   {52, 20, 20},   {53, 200, 10},  {54, 20, 20},   {55, 20, 20},
};

void DrawFrame(int entry, int frame, Canvas& c) {
    const double w = c.Width(), h = c.Height();
    switch (entry) {
        case 1:  // an empty button square
            c.Box(0, 0, c.Width(), c.Height(), kDarkGrey);
            c.Frame(2, 2, c.Width() - 4, c.Height() - 4, 1, kGrey);
            break;
        case 2:
        case 12:
        case 20:
        case 26:
        case 27:
            PanelBlock(c);
            break;
        case 3:  // status squares
            c.Box(2, 1, 19, 17, kSetColours[frame % 8]);
            if (frame >= 8) c.Rect(7, 6, 9, 7, kWhite);
            break;
        case 4:  // icons 14-16: the red card, the yellow card and the injury cross
            if (frame < 2) {
                c.Box(1, 0, 7, 10, frame == 0 ? kRed : kYellow);
            } else {
                c.Box(0, 1, 9, 9, kWhite);
                c.Rect(3, 2, 3, 7, kRed);
                c.Rect(1, 4, 7, 3, kRed);
            }
            break;
        case 5:  // tabs that the screens write their labels on: plain faces
            c.Box(0, 1, 57, 17, kSetColours[frame % 8]);
            break;
        case 6:
            Football(c, 5.5, 5.5, 5.5);
            break;
        case 7:  // the ball's shadow
            c.Polygon({{1, 5}, {5.5, 3}, {10, 5}, {10, 7}, {5.5, 9}, {1, 7}}, 0xFF202020u);
            break;
        case 8:  // arrows in the eight directions
            Arrow(c, frame * kPi / 4, frame % 2 ? kYellow : kGreen);
            break;
        case 9:
        case 21:
        case 24:
        case 25:
        case 28:
        case 30:
        case 36:
            Pitch(c);
            break;
        case 10:  // a rule line
            c.Rect(0, 0, c.Width(), 1, kPanelEdge);
            c.Rect(0, 1, c.Width(), 1, kWhite);
            c.Rect(0, 2, c.Width(), 1, kOutline);
            break;
        case 11:  // three table rules
            c.Rect(0, 0, c.Width(), 1, frame == 0 ? kWhite : frame == 1 ? kGrey : kPanelEdge);
            break;
        case 13:
            Digit(c, frame);
            break;
        case 14:  // graph axis bars
            c.Rect(0, 0, 3, c.Height(), frame == 0 ? kWhite : kYellow);
            c.Rect(2, 0, 1, c.Height(), kOutline);
            break;
        case 15:
            OutlinedPolygon(c, StarShape(w / 2, h / 2 + 0.5, w / 2, w / 4.5), kYellow, w / 2, h / 2, 1.4);
            c.Plot(int(w) - 1, int(h) - 1, kOutline);
            break;
        case 16:  // a checker of squares
            for (int y = 0; y < 4; ++y) {
                for (int x = 0; x < 4; ++x) c.Box(x * 10, y * 10, 10, 10, (x + y) % 2 ? kBlue : kPanelEdge);
            }
            break;
        case 17:  // penalty scored, missed
            if (frame == 0) {
                c.OutlinedDisc(9, 8, 7.5, kGreen);
                Tick(c, 4.5, 4, 9, 2, kWhite);
            } else {
                c.OutlinedDisc(9, 8, 7.5, kRed);
                Cross(c, 5.5, 4.5, 7, 2, kWhite);
            }
            break;
        case 18:  // the arrow pointer, its tip at the top-left corner
            c.Polygon({{0, 0}, {0, 16}, {4, 12.5}, {7, 19}, {9.5, 18}, {6.5, 11.5}, {12, 11.5}}, kOutline);
            c.Polygon({{1, 2.4}, {1, 13.6}, {4.3, 10.8}, {7.5, 17.4}, {8.2, 17}, {5, 10.4}, {9.6, 10.4}},
                      kWhite);
            break;
        case 19:
            Hourglass(c, frame);
            break;
        case 22:  // a table place: unchanged, moved up, moved down
            if (frame == 0) {
                c.Box(2, 5, 11, 5, kGrey);
            } else {
                Arrow(c, frame == 1 ? 0.0 : kPi, frame == 1 ? kGreen : kRed);
            }
            break;
        case 23:  // training kinds
        case 39:
            c.Rect(0, 0, c.Width(), c.Height(), ICON_KEY);
            Symbol(c, frame, kSetColours[(frame / 2) % 8]);
            break;
        case 29:  // player discs
            c.OutlinedDisc(3.5, 3.5, 3.5, frame == 0 ? kRed : frame == 1 ? kBlue : kYellow);
            break;
        case 31:  // performance 1..10, red to green
            c.OutlinedDisc(8.5, 8.5, 8.5, Mix(kRed, kGreen, frame / 9.0));
            for (int i = 0; i <= frame / 2; ++i) c.Rect(4 + i * 2, 8, 1, 2, kWhite);
            break;
        case 32:  // a hole
            c.OutlinedDisc(12, 12, 12, kDarkGrey);
            c.Disc(12, 13, 7, 0xFF101010u);
            break;
        case 33:
        case 34:  // cross-hatched panels
            c.Box(0, 0, c.Width(), c.Height(), kPanel);
            for (int i = -60; i < 60; i += entry == 33 ? 6 : 10) {
                c.Line(i, 0, i + 60, 60, 1, kPanelEdge);
                if (entry == 33) c.Line(i + 60, 0, i, 60, 1, kPanelEdge);
            }
            c.Frame(0, 0, c.Width(), c.Height(), 1, kOutline);
            break;
        case 35:  // training intensity, one to four bars
            for (int i = 0; i < 4; ++i)
                c.Box(1 + i * 5, 15 - i * 4, 4, 4 + i * 4, i <= frame ? kGreen : kDarkGrey);
            break;
        case 37:
        case 38:
        case 41:  // left and right arrows side by side
            OutlinedPolygon(c, {{0, h / 2}, {w / 2 - 1, 0}, {w / 2 - 1, h}}, kWhite, w / 4, h / 2, 1.3);
            OutlinedPolygon(c, {{w + 1, h / 2}, {w / 2 + 1, 0}, {w / 2 + 1, h}}, kWhite, w * 3 / 4, h / 2,
                            1.3);
            break;
        case 40:  // a frame with a clear middle
            c.Frame(0, 0, c.Width(), c.Height(), 4, kPanelEdge);
            c.Frame(0, 0, c.Width(), c.Height(), 1, kOutline);
            break;
        case 42:  // back / OK: a tick on a green disc
            c.OutlinedDisc(20, 20, 20, kGreen);
            Tick(c, 10, 10, 20, 4, kWhite);
            break;
        case 43:  // forward / more: up and down arrows on a blue disc
            c.OutlinedDisc(20, 20, 20, kBlue);
            OutlinedPolygon(c, {{20, 5}, {29, 16}, {11, 16}}, kWhite, 20, 12, 1.2);
            OutlinedPolygon(c, {{20, 35}, {29, 24}, {11, 24}}, kWhite, 20, 28, 1.2);
            break;
        case 44:  // tags
            OutlinedPolygon(c, {{2, 6}, {8, 1}, {21, 1}, {21, 22}, {8, 22}, {2, 17}}, kSetColours[frame], 12,
                            12, 1.5);
            c.OutlinedDisc(7, 11.5, 2, kWhite);
            break;
        case 45:
        case 46:  // counter buttons
            c.Box(0, 0, 24, 24, kBlue);
            if (entry == 45) {
                OutlinedPolygon(c, {{5, 12}, {17, 4}, {17, 20}}, kWhite, 12, 12, 1.3);
            } else {
                OutlinedPolygon(c, {{19, 12}, {7, 4}, {7, 20}}, kWhite, 12, 12, 1.3);
            }
            break;
        case 47:
            Envelope(c, frame);
            break;
        case 48:  // the world
            c.OutlinedDisc(20, 20, 20, kBlue);
            c.Polygon({{10, 9}, {19, 7}, {21, 15}, {15, 22}, {9, 18}}, kGreen);
            c.Polygon({{24, 20}, {32, 17}, {34, 27}, {27, 33}, {23, 28}}, kGreen);
            break;
        case 49:  // a map pin
            c.OutlinedDisc(6, 6, 6, kRed);
            c.Line(6, 11, 6, 20, 2, kOutline);
            break;
        case 50:  // binoculars
            c.OutlinedDisc(8, 12, 8, kDarkGrey);
            c.OutlinedDisc(24, 12, 8, kDarkGrey);
            c.Box(11, 3, 10, 8, kGrey);
            c.Disc(8, 12, 4, kBlue);
            c.Disc(24, 12, 4, kBlue);
            break;
        case 51:
            ArrowButton(c, 0);
            break;
        case 52:
            ArrowButton(c, kPi);
            break;
        case 53:  // a bar
            c.Box(0, 0, c.Width(), c.Height(), kPanelEdge);
            c.Rect(1, 1, c.Width() - 2, 3, kWhite);
            break;
        case 54:
            ArrowButton(c, -kPi / 2);
            break;
        case 55:
            ArrowButton(c, kPi / 2);
            break;
        case 56:
            Television(c, frame);
            break;
        default:
            DatakitFail("icon sheet %d has no drawing", entry);
    }
}

// Reads the sheet back as the game does: converted, measured when the list
// gives no frame size, cut into its frames.
void CheckThroughLoaders(int entryIndex, const Picture& sheet) {
    const IconFileEntry& entry = IconList[entryIndex];
    const std::vector<uint8_t> tga = TgaWrite(sheet);
    uint8_t* block = nullptr;
    AllocateMemory(&block, uint32_t(tga.size()), MEM_TYPE_MANUAL_FREE);
    std::memcpy(block, tga.data(), tga.size());
    uint32_t size = uint32_t(tga.size());
    if (LoadImageFile(&block, &size, 0, &ColFmt_A8B8G8R8) < 0)
        DatakitFail("icon %s: unreadable", entry.fileName);
    int16_t width = entry.frameWidth, height = entry.frameHeight;
    if (width == 0 && height == 0) {
        MeasureIconPicture(block, &width, &height);
        int drawnWidth = 0, drawnHeight = 0;
        MeasuredSheetSize(entryIndex, &drawnWidth, &drawnHeight);
        if (width != drawnWidth || height != drawnHeight) {
            DatakitFail("icon %s: measures %dx%d, drawn %dx%d", entry.fileName, width, height, drawnWidth,
                        drawnHeight);
        }
    }
    if (GFX_CutFrames(&block, &size, 0, width, height, entry.columns, entry.rows, nullptr) < 0) {
        DatakitFail("icon %s: the grid does not fit", entry.fileName);
    }
    const int frames = entry.columns * entry.rows;
    if (recbits::LoadI16(block + GFX0_FRAMES) != frames ||
        size != GFX0_HEADER_SIZE + uint32_t(width) * uint32_t(height) * uint32_t(frames) * 4) {
        DatakitFail("icon %s: %d frames of %dx%d read back wrong", entry.fileName, frames, width, height);
    }
    FreeMemory(&block);
}

}  // namespace

void MeasuredSheetSize(int entry, int* width, int* height) {
    *width = *height = 0;
    for (const MeasuredSize& m : kMeasured) {
        if (m.entry == entry) {
            *width = m.width;
            *height = m.height;
        }
    }
}

Picture DrawIconSheet(int entry) {
    const IconFileEntry& icon = IconList[entry];
    int frameWidth = icon.frameWidth, frameHeight = icon.frameHeight;
    if (frameWidth == 0 && frameHeight == 0) MeasuredSheetSize(entry, &frameWidth, &frameHeight);
    if (frameWidth <= 0 || frameHeight <= 0) DatakitFail("icon sheet %d has no size", entry);
    Picture sheet = MakePicture(frameWidth * icon.columns, frameHeight * icon.rows, ICON_KEY);
    for (int frame = 0; frame < icon.columns * icon.rows; ++frame) {
        Canvas canvas(sheet, (frame % icon.columns) * frameWidth, (frame / icon.columns) * frameHeight,
                      frameWidth, frameHeight);
        DrawFrame(entry, frame, canvas);
    }
    return sheet;
}

void GenerateMenuIcons() {
    for (int entry = 1; entry < ICON_FILE_COUNT; ++entry) {
        const Picture sheet = DrawIconSheet(entry);
        CheckThroughLoaders(entry, sheet);
        StagePakFile(std::string("menugfx\\icon\\") + IconList[entry].fileName + ".tga", TgaWrite(sheet));
    }
}

}  // namespace datakit
