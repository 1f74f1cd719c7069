#include "tools/datakit/gfxgen.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/base/angles.h"
#include "game/system/picture.h"
#include "tools/datakit/stage.h"

namespace datakit {

namespace {

// Palette: 0 the see-through background, 1-31 the white leather shaded,
// 32-63 the dark patches shaded.
constexpr int kWhiteBase = 1;
constexpr int kDarkBase = 32;
constexpr int kShades = 31;

}  // namespace

std::vector<uint8_t> DrawBallFrames() {
    std::vector<uint8_t> bytes(GFX0_HEADER_SIZE, 0);
    bytes[0] = 'G';
    bytes[1] = 'F';
    bytes[2] = 'X';
    bytes[3] = '0';
    bytes[GFX0_WIDTH] = BALL_SIZE;
    bytes[GFX0_HEIGHT] = BALL_SIZE;
    bytes[GFX0_FRAMES] = BALL_FRAMES;
    const double radius = BALL_SIZE / 2.0 - 1.0;
    for (int frame = 0; frame < BALL_FRAMES; ++frame) {
        const double turn = 2.0 * kPi * frame / BALL_FRAMES / 5.0;  // a fifth of a turn in all
        for (int y = 0; y < BALL_SIZE; ++y) {
            for (int x = 0; x < BALL_SIZE; ++x) {
                const double dx = (x + 0.5 - BALL_SIZE / 2.0) / radius,
                             dy = (y + 0.5 - BALL_SIZE / 2.0) / radius;
                const double rr = dx * dx + dy * dy;
                if (rr > 1.0) {
                    bytes.push_back(0);
                    continue;
                }
                const double dz = std::sqrt(1.0 - rr);
                // Turn about the vertical axis, then find the patch: five
                // dark patches round the middle and one on top.
                const double px = dx * std::cos(turn) + dz * std::sin(turn);
                const double pz = -dx * std::sin(turn) + dz * std::cos(turn);
                const double longitude = std::atan2(px, pz);
                const double sector = std::fmod(longitude + 2.0 * kPi, 2.0 * kPi / 5.0);
                const bool dark = (std::abs(dy) < 0.3 && std::abs(sector - kPi / 5.0) < 0.3) || dy < -0.85;
                const double light = 0.35 + 0.65 * std::max(0.0, -0.4 * dx - 0.5 * dy + 0.77 * dz);
                const int shade = std::min(kShades - 1, int(light * kShades));
                bytes.push_back(uint8_t((dark ? kDarkBase : kWhiteBase) + shade));
            }
        }
    }
    return bytes;
}

std::vector<uint8_t> BallPalette() {
    std::vector<uint8_t> palette(256 * 3, 0);
    for (int i = 0; i < kShades; ++i) {
        const uint8_t white = uint8_t(20 + 43 * i / (kShades - 1));
        const uint8_t dark = uint8_t(2 + 14 * i / (kShades - 1));
        for (int k = 0; k < 3; ++k) {
            palette[size_t(kWhiteBase + i) * 3 + size_t(k)] = white;
            palette[size_t(kDarkBase + i) * 3 + size_t(k)] = dark;
        }
    }
    return palette;
}

void GenerateGfxGen() {
    std::vector<uint8_t> frames = DrawBallFrames();
    if (frames.size() != GFX0_HEADER_SIZE + size_t(BALL_SIZE * BALL_SIZE * BALL_FRAMES)) {
        DatakitFail("ball: %zu bytes", frames.size());
    }
    std::vector<uint8_t> palette = BallPalette();
    for (uint8_t level : palette) {
        if (level > 63) DatakitFail("ball palette: level %u above 63", unsigned(level));
    }
    StagePakFile("gfxgen\\ball.gfx", std::move(frames));
    StagePakFile("gfxgen\\ball.pal", std::move(palette));
}

}  // namespace datakit
