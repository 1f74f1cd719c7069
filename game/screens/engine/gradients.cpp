#include "game/screens/engine/gradients.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "core/base/angles.h"
#include "game/screens/engine/backbuffer.h"
#include "game/screens/engine/painting.h"

namespace {

uint32_t Pack(int r, int g, int b) {
    return uint32_t(std::clamp(r, 0, 255)) | uint32_t(std::clamp(g, 0, 255)) << 8 |
           uint32_t(std::clamp(b, 0, 255)) << 16;
}

int Lerp(int a, int b, int i, int n) { return a + (b - a) * i / n; }

}  // namespace

void DrawGradientRect(int x, int y, int width, int height, int r0, int g0, int b0, int r1, int g1, int b1,
                      int r2, int g2, int b2, int r3, int g3, int b3) {
    if (width < 1 || height < 1) return;
    FillGradientRect(x, y, width, height, Pack(r0, g0, b0), Pack(r1, g1, b1), Pack(r2, g2, b2),
                     Pack(r3, g3, b3));
}

void DrawBlendedSpan(int x, int y, int width, int r0, int g0, int b0, int a0, int r1, int g1, int b1,
                     int a1) {
    if (width < 2) return;
    for (int i = 0; i < width; ++i) {
        const int n = width - 1;
        const int colour[3] = {Lerp(r0, r1, i, n), Lerp(g0, g1, i, n), Lerp(b0, b1, i, n)};
        const int alpha = Lerp(a0, a1, i, n);
        const uint32_t old = GetBackBufferPixel(x + i, y);
        int out[3];
        for (int k = 0; k < 3; ++k) {
            const int was = int((old >> (8 * k)) & 0xFF);
            out[k] = std::clamp(was + (colour[k] - was) * alpha / 255, 0, 255);
        }
        PutBackBufferPixel(x + i, y, Pack(out[0], out[1], out[2]));
    }
}

void DrawBlendedGradientRect(int x, int y, int width, int height, const int top[8], const int bottom[8]) {
    if (width < 2 || height < 2) return;
    for (int i = 0; i < height; ++i) {
        int row[8];
        for (int k = 0; k < 8; ++k) row[k] = Lerp(top[k], bottom[k], i, height - 1);
        DrawBlendedSpan(x, y + i, width, row[0], row[1], row[2], row[3], row[4], row[5], row[6], row[7]);
    }
}

namespace {

constexpr int kNeighbours[8][2] = {{0, -1}, {-1, -1}, {-1, 0}, {-1, 1}, {0, 1}, {1, 1}, {1, 0}, {1, -1}};

bool OnLayout(int x, int y) { return x >= 0 && x < MENU_LAYOUT_WIDTH && y >= 0 && y < MENU_LAYOUT_HEIGHT; }

// The draw colour scaled to strength percent, through the percentage form
// of each 5-6-5 component.
uint16_t ScaledColour(uint16_t colour, int strength) {
    const int red = colour >> 11, green = (colour >> 5) & 63, blue = colour & 31;
    const int r = red * 101 / 32 * strength / 100 * 32 / 101;
    const int g = green * 101 / 64 * strength / 100 * 64 / 101;
    const int b = blue * 101 / 32 * strength / 100 * 32 / 101;
    return uint16_t(r << 11 | g << 5 | b);
}

}  // namespace

void DrawBrushLine(int x1, int y1, int x2, int y2) {
    if (!OnLayout(x1, y1) || !OnLayout(x2, y2)) return;
    MarkRectDirty(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + 1, std::abs(y2 - y1) + 1);
    const int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
    const int steps = std::max(dx, dy);
    int x = x1, y = y1, error = 0;
    uint32_t counter = 0;
    for (int step = 0; step <= steps; ++step) {
        PutMenuPixel(x, y, DrawColour);
        for (const auto& offset : kNeighbours) {
            const int strength = int((MenuRandomStep(counter + uint32_t(step)) & 0xFFFF) % 60) + 20;
            ++counter;
            if (strength < 30) continue;
            const uint16_t colour = ScaledColour(DrawColour, strength);
            if (colour != 0) PutMenuPixel(x + offset[0], y + offset[1], colour);
        }
        // One step along the longer axis, the shorter one as the error says.
        if (dx >= dy) {
            x += sx;
            error += dy;
            if (2 * error >= dx) {
                y += sy;
                error -= dx;
            }
        } else {
            y += sy;
            error += dx;
            if (2 * error >= dy) {
                x += sx;
                error -= dy;
            }
        }
    }
}

void DrawArrowHead(int x, int y, int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    const double angle = std::atan2(double(dy), double(dx));
    const double barb = 35.0 * kPi / 180.0;
    const int tipX = x + dx, tipY = y + dy;
    for (double side : {barb, -barb}) {
        const int endX = int(tipX - 10.0 * std::cos(angle + side));
        const int endY = int(tipY - 10.0 * std::sin(angle + side));
        DrawBrushLine(tipX, tipY, endX, endY);
    }
}

void DrawCurvedArrow(int x, int y, int dx, int dy, int head, int side) {
    const double angle = std::atan2(double(dy), double(dx));
    const double bulge = std::sqrt(double(dx) * dx + double(dy) * dy) / 16.0;
    const double sign = side != 0 ? 1.0 : -1.0;
    const double normalX = std::sin(angle) * sign, normalY = -std::cos(angle) * sign;
    int lastX = x, lastY = y;
    for (int k = 0; k <= 8; ++k) {
        const double t = k / 8.0;
        const double s = std::sin(kPi * t) * bulge;
        const int px = int(x + dx * t + normalX * s);
        const int py = int(y + dy * t + normalY * s);
        if (k > 0) DrawBrushLine(lastX, lastY, px, py);
        lastX = px;
        lastY = py;
    }
    if (head != 0) {
        DrawArrowHead(int(x + normalX * 0.70703125 * bulge), int(y + normalY * 0.70703125 * bulge), dx, dy);
    } else {
        DrawArrowHead(x, y, dx, dy);
    }
}

namespace {

constexpr int kBevelDepth = 9;
constexpr int kBevelShade = 70;

struct Rgb {
    int r, g, b;
};

Rgb FullColour(uint16_t colour) {
    const int red = colour >> 11, green = (colour >> 5) & 63, blue = colour & 31;
    return {red * 101 / 32 * 255 / 100, green * 101 / 64 * 255 / 100, blue * 101 / 32 * 255 / 100};
}

}  // namespace

void DrawBevelPanel(int x, int y, int width, int height) {
    const Rgb full = FullColour(DrawColour);
    const Rgb dark = {std::max(full.r - kBevelShade, 0), std::max(full.g - kBevelShade, 0),
                      std::max(full.b - kBevelShade, 0)};
    const int top = y - height;
    if (width >= 1 && height >= 1) {
        DrawGradientRect(x, top, width, height, dark.r, dark.g, dark.b, full.r, full.g, full.b, dark.r,
                         dark.g, dark.b, dark.r, dark.g, dark.b);
    }
    for (int i = 1; i <= kBevelDepth; ++i) {
        DrawGradientRect(x + i, top - i, width, 1, dark.r, dark.g, dark.b, full.r, full.g, full.b, dark.r,
                         dark.g, dark.b, full.r, full.g, full.b);
        DrawGradientRect(x + width + i - 1, top - i, 1, height, dark.r, dark.g, dark.b, dark.r, dark.g,
                         dark.b, full.r, full.g, full.b, full.r, full.g, full.b);
    }
    SetDrawParam(2, 0);
    DrawRelLine(x, top, width - 1, 0);
    DrawRelLine(x, top + height - 1, width - 1, 0);
    DrawRelLine(x, top, 0, height - 1);
    DrawRelLine(x + width - 1, top, 0, height - 1);
    // The silhouette of the top and right faces.
    const int right = x + width - 1;
    DrawLine(x, top, x + kBevelDepth, top - kBevelDepth, 0);
    DrawLine(right, top, right + kBevelDepth, top - kBevelDepth, 0);
    DrawRelLine(x + kBevelDepth, top - kBevelDepth, width - 1, 0);
    DrawRelLine(right + kBevelDepth, top - kBevelDepth, 0, height - 1);
    DrawLine(right, y - 1, right + kBevelDepth, y - 1 - kBevelDepth, 0);
}
