// Pictures the data kit draws, and the TGA files it writes them as.
#pragma once
#include <cstdint>
#include <vector>

namespace datakit {

// A picture of 0xAARRGGBB pixels, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};

Picture MakePicture(int width, int height, uint32_t argb);
// Fills the rectangle [x0, x1) x [y0, y1), clipped to the picture.
void FillRect(Picture& picture, int x0, int y0, int x1, int y1, uint32_t argb);
// Scales the colour channels of every pixel of a row band by a factor
// (shading), leaving alpha.
void ShadeRows(Picture& picture, int y0, int y1, float factor);

// An uncompressed 32-bit true-colour TGA, rows stored top first.
std::vector<uint8_t> TgaWrite(const Picture& picture);

}  // namespace datakit
