#include "game/screens/club/staffbars.h"

#include <algorithm>

#include "game/screens/engine/backbuffer.h"

namespace {

struct Rgb {
    int red, green, blue;
};

constexpr Rgb kScale[7] = {{255, 0, 0},   {255, 116, 0}, {255, 160, 0}, {255, 204, 0},
                           {255, 255, 0}, {192, 255, 0}, {0, 255, 0}};
constexpr Rgb kBase = {0, 0, 255};
constexpr Rgb kRise = {255, 255, 0};
constexpr Rgb kFall = {255, 0, 0};
constexpr int kMinimumMaximum = 7;

StaffBarShades ShadesOf(Rgb c) { return Staff_BarShades(c.red, c.green, c.blue); }

// One bevelled segment: the top row full, the body at 10/12, the bottom
// row at one half; the last column of the whole bar is drawn by the caller.
void DrawSegment(int x, int y, int length, int height, const StaffBarShades& shades) {
    if (length <= 0 || height <= 0) return;
    FillSolidRect(x, y, length, 1, shades.full);
    if (height > 2) FillSolidRect(x, y + 1, length, height - 2, shades.body);
    if (height > 1) FillSolidRect(x, y + height - 1, length, 1, shades.edge);
}

void DrawEndColumn(int x, int y, int height, const StaffBarShades& shades) {
    if (height > 0) FillSolidRect(x, y, 1, height, shades.edge);
}

}  // namespace

uint16_t Staff_Colour565(int red, int green, int blue) {
    const auto percent = [](int channel) { return std::clamp(channel, 0, 255) * 100 / 255; };
    return uint16_t((percent(red) * 32 / 101) << 11 | (percent(green) * 64 / 101) << 5 |
                    (percent(blue) * 32 / 101));
}

StaffBarShades Staff_BarShades(int red, int green, int blue) {
    return {Staff_Colour565(red, green, blue),
            Staff_Colour565(red * 10 / 12, green * 10 / 12, blue * 10 / 12),
            Staff_Colour565(red / 2, green / 2, blue / 2)};
}

int Staff_PercentBarStep(int value, int reverse, int maximum, int offset) {
    maximum = std::max(maximum, kMinimumMaximum);
    int step = offset != 0 ? (value - (100 - maximum)) * 6 / maximum : value * 7 / maximum;
    if (reverse != 0) step = 6 - step;
    return std::clamp(step, 0, 6);
}

void Staff_DrawPercentBar(int x, int y, int length, int height, int value, int reverse, int maximum,
                          int offset) {
    if (length <= 0) return;
    const StaffBarShades shades = ShadesOf(kScale[Staff_PercentBarStep(value, reverse, maximum, offset)]);
    DrawSegment(x, y, length, height, shades);
    DrawEndColumn(x + length - 1, y, height, shades);
}

void Staff_DrawChangeBar(int x, int y, int baseLength, int changeLength, int height, int change) {
    if (baseLength + changeLength <= 0) return;
    baseLength = std::max(baseLength, 0);
    changeLength = std::max(changeLength, 0);
    const StaffBarShades base = ShadesOf(kBase);
    const StaffBarShades moved = ShadesOf(change > 0 ? kRise : kFall);
    DrawSegment(x, y, baseLength, height, base);
    DrawSegment(x + baseLength, y, changeLength, height, moved);
    DrawEndColumn(x + baseLength + changeLength - 1, y, height, changeLength > 0 ? moved : base);
}
