#include "tools/datakit/tgawrite.h"

#include <algorithm>

#include "core/base/bytes.h"
#include "game/system/picture.h"
#include "tools/datakit/stage.h"

namespace datakit {

Picture MakePicture(int width, int height, uint32_t argb) {
    if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF) {
        DatakitFail("a picture of %dx%d cannot be written", width, height);
    }
    return Picture{width, height, std::vector<uint32_t>(size_t(width) * size_t(height), argb)};
}

void FillRect(Picture& picture, int x0, int y0, int x1, int y1, uint32_t argb) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, picture.width);
    y1 = std::min(y1, picture.height);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) picture.pixels[size_t(y) * picture.width + x] = argb;
    }
}

void ShadeRows(Picture& picture, int y0, int y1, float factor) {
    y0 = std::max(y0, 0);
    y1 = std::min(y1, picture.height);
    for (int y = y0; y < y1; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            uint32_t& p = picture.pixels[size_t(y) * picture.width + x];
            uint32_t out = p & 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8) {
                const float channel = float((p >> shift) & 0xFF) * factor;
                out |= uint32_t(std::clamp(channel, 0.0f, 255.0f)) << shift;
            }
            p = out;
        }
    }
}

std::vector<uint8_t> TgaWrite(const Picture& picture) {
    std::vector<uint8_t> out(TGA_HEADER_SIZE, 0);
    out[2] = TGA_TYPE_TRUECOLOUR;
    recbits::StoreU16(out.data() + 12, uint16_t(picture.width));
    recbits::StoreU16(out.data() + 14, uint16_t(picture.height));
    out[16] = 32;
    out[17] = TGA_DESC_TOP_BOTTOM | 8;  // eight alpha bits
    out.reserve(out.size() + picture.pixels.size() * 4);
    for (uint32_t p : picture.pixels) recbits::AppendU32(out, p);  // blue, green, red, alpha
    return out;
}

}  // namespace datakit
