// A 3D device on a headless window for drawing tests, and grabs of what it
// drew read back as 0xRRGGBB pixels.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "game/system/mainwindow.h"
#include "game/system/matrices.h"

namespace testenv {

// Window (windowed unless told otherwise), display card and graphics with
// 3D on a desktop of the given depth, no mode set yet.  Memory must be up.
void Start3DCard(uint32_t windowFlags = WIN_FLAG_WINDOWED, uint32_t desktopBits = 32);
// Start3DCard and a 3D mode with z-buffer and two buffers.
void Start3D(int width, int height);
// Leaves any mode and undoes the start; every surface must be gone.
void Stop3D();

// The drawing surface saved as a screen grab into the current folder and
// read back through the picture loader.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0xRRGGBB, top row first
    uint32_t At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};
Frame GrabFrame(const std::string& file_name);

// Largest difference of the three channels.
int ColourDistance(uint32_t a, uint32_t b);

// An orthographic projection showing x0..x1 across and y0..y1 up the
// screen, depth 0..far.
Matrix Orthographic(float x0, float x1, float y0, float y1, float far);

}  // namespace testenv
