#include "menus/menugrad.h"

#include <algorithm>
#include <cstdint>

#include "menus/menupc.h"

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
