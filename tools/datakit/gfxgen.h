// The turning ball of the "gfxgen" folder: a one-byte-a-pixel GFX0 of its
// frames and its palette of six-bit levels.
#pragma once
#include <cstdint>
#include <vector>

namespace datakit {

constexpr int BALL_SIZE = 32;
constexpr int BALL_FRAMES = 8;

std::vector<uint8_t> DrawBallFrames();
std::vector<uint8_t> BallPalette();
void GenerateGfxGen();

}  // namespace datakit
