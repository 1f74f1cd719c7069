#include "tools/datakit/menubackgrounds.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/base/trackedmemory.h"
#include "game/screens/engine/menusetup.h"
#include "game/system/display2d.h"
#include "game/system/picture.h"
#include "game/system/pixelformats.h"
#include "tools/datakit/stage.h"

namespace datakit {

namespace {

constexpr int kWidth = BACKGROUND_WIDTH;
constexpr int kHeight = BACKGROUND_HEIGHT;
constexpr int kTitleBottom = 64;
constexpr int kBarTop = 540;
constexpr int kBarBottom = 595;
constexpr int kTickerLeft = 28;
constexpr int kTickerTop = 543;
constexpr int kTickerWidth = 744;
constexpr int kTickerHeight = 16;
constexpr uint32_t kTickerStrip = 0xCECACE;

enum class Scene { Stadium, Pitch, Panel, Mark, Credits, Title };

struct Theme {
    uint32_t top;
    uint32_t bottom;
    Scene scene;
};

// Night blues, club greens and office greys; each screen family keeps one.
constexpr Theme kThemes[BACKGROUND_COUNT] = {
    {0x101C3A, 0x2C5A2A, Scene::Stadium}, {0x1E4F22, 0x2F7A33, Scene::Pitch},
    {0x0E1E40, 0x26467A, Scene::Stadium}, {0x3A0E12, 0x6A2228, Scene::Stadium},
    {0x20242C, 0x3A404C, Scene::Panel},   {0x2A2018, 0x4A3A2A, Scene::Panel},
    {0x153A1C, 0x245C2C, Scene::Pitch},   {0x22502A, 0x3C7A40, Scene::Pitch},
    {0x1C2430, 0x34465A, Scene::Panel},   {0x182838, 0x2C4660, Scene::Panel},
    {0x0A1024, 0x2A3A20, Scene::Stadium}, {0x080A20, 0x1C2450, Scene::Stadium},
    {0x202830, 0x3C4A56, Scene::Panel},   {0x1A2A22, 0x2E4A3A, Scene::Panel},
    {0x262626, 0x444444, Scene::Panel},   {0x1A3020, 0x2C5236, Scene::Pitch},
    {0x1E5A26, 0x38863E, Scene::Pitch},   {0x1E2E3A, 0x3A5468, Scene::Panel},
    {0x141A34, 0x2E5A2E, Scene::Stadium}, {0x1A1E2A, 0x30384C, Scene::Panel},
    {0x1C222E, 0x343E52, Scene::Panel},   {0x24242C, 0x3E3E4C, Scene::Panel},
    {0x1E2028, 0x363A48, Scene::Panel},   {0x0E2236, 0x1E4A6A, Scene::Pitch},
    {0x06080E, 0x1A2232, Scene::Mark},    {0x101828, 0x283A58, Scene::Credits},
    {0x101828, 0x283A58, Scene::Credits}, {0x101828, 0x283A58, Scene::Credits},
    {0x101828, 0x283A58, Scene::Credits}, {0x101828, 0x283A58, Scene::Credits},
    {0x0E0A06, 0x32220E, Scene::Mark},    {0x0A1230, 0x24602A, Scene::Title},
    {0x04060E, 0x1A2A1A, Scene::Stadium}, {0x2A1A0A, 0x5A3A16, Scene::Stadium},
};

constexpr std::string_view kCreditRoles[5] = {"DESIGN", "PROGRAMMING", "ART AND ANIMATION", "SOUND AND MUSIC",
                                              "TESTING"};

uint32_t Argb(uint32_t rgb) { return 0xFF000000u | rgb; }

uint32_t Mix(uint32_t a, uint32_t b, int i, int n) {
    uint32_t out = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int ca = int(a >> shift) & 0xFF, cb = int(b >> shift) & 0xFF;
        out |= uint32_t(ca + (cb - ca) * i / std::max(n, 1)) << shift;
    }
    return out;
}

void Blend(Picture& p, int x, int y, uint32_t rgb, int alpha) {
    if (x < 0 || y < 0 || x >= p.width || y >= p.height) return;
    uint32_t& pixel = p.pixels[size_t(y) * size_t(p.width) + size_t(x)];
    pixel = Argb(Mix(pixel & 0xFFFFFF, rgb, alpha, 255));
}

void BlendRect(Picture& p, int x0, int y0, int x1, int y1, uint32_t rgb, int alpha) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) Blend(p, x, y, rgb, alpha);
}

void VerticalGradient(Picture& p, uint32_t top, uint32_t bottom) {
    for (int y = 0; y < p.height; ++y)
        FillRect(p, 0, y, p.width, y + 1, Argb(Mix(top, bottom, y, p.height - 1)));
}

void Frame(Picture& p, int x0, int y0, int x1, int y1, uint32_t rgb, int alpha) {
    BlendRect(p, x0, y0, x1, y0 + 2, rgb, alpha);
    BlendRect(p, x0, y1 - 2, x1, y1, rgb, alpha);
    BlendRect(p, x0, y0 + 2, x0 + 2, y1 - 2, rgb, alpha);
    BlendRect(p, x1 - 2, y0 + 2, x1, y1 - 2, rgb, alpha);
}

void Ring(Picture& p, int cx, int cy, int radius, uint32_t rgb, int alpha) {
    for (int y = cy - radius - 2; y <= cy + radius + 2; ++y) {
        for (int x = cx - radius - 2; x <= cx + radius + 2; ++x) {
            const double d = std::hypot(x - cx, y - cy);
            if (std::abs(d - radius) < 1.2) Blend(p, x, y, rgb, alpha);
        }
    }
}

// Pitch markings in perspective-free plan view inside the rectangle.
void PitchMarkings(Picture& p, int x0, int y0, int x1, int y1, int alpha) {
    constexpr uint32_t kLine = 0xE8F0E8;
    for (int stripe = x0; stripe < x1; stripe += 40)
        BlendRect(p, stripe, y0, std::min(stripe + 20, x1), y1, 0x000000, 18);
    Frame(p, x0, y0, x1, y1, kLine, alpha);
    const int cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, h = y1 - y0;
    BlendRect(p, cx - 1, y0, cx + 1, y1, kLine, alpha);
    Ring(p, cx, cy, h / 6, kLine, alpha);
    for (int side = 0; side < 2; ++side) {
        const int boxDepth = (x1 - x0) / 7;
        const int bx0 = side == 0 ? x0 : x1 - boxDepth, bx1 = side == 0 ? x0 + boxDepth : x1;
        Frame(p, bx0, cy - h / 4, bx1, cy + h / 4, kLine, alpha);
        const int gx0 = side == 0 ? x0 : x1 - boxDepth / 3, gx1 = side == 0 ? x0 + boxDepth / 3 : x1;
        Frame(p, gx0, cy - h / 9, gx1, cy + h / 9, kLine, alpha);
    }
}

// Stands as stepped dark shapes against the sky, floodlight towers above.
void Stands(Picture& p, int horizon, uint32_t tint) {
    const uint32_t dark = Mix(tint, 0x000000, 3, 4);
    for (int x = 0; x < kWidth; ++x) {
        const int roof = horizon - 60 - int(18 * std::sin(x * 0.008)) - ((x / 160) % 2) * 14;
        FillRect(p, x, roof, x + 1, horizon, Argb(dark));
    }
    for (int tower = 80; tower < kWidth; tower += 320) {
        FillRect(p, tower, horizon - 170, tower + 5, horizon - 60, Argb(dark));
        BlendRect(p, tower - 16, horizon - 186, tower + 21, horizon - 168, 0xFFF6D0, 200);
        for (int r = 1; r < 90; ++r)
            BlendRect(p, tower - 16 - r / 2, horizon - 168 + r, tower + 21 + r / 2, horizon - 167 + r,
                      0xFFF6D0, std::max(0, 30 - r / 3));
    }
}

void Pitch(Picture& p, int top) {
    for (int y = top; y < kHeight; ++y)
        FillRect(p, 0, y, kWidth, y + 1, Argb(Mix(0x2A6A2C, 0x3E8C40, y - top, kHeight - top)));
    PitchMarkings(p, 40, top + 20, kWidth - 40, kHeight - 70, 90);
}

void BigText(Picture& p, std::string_view text, int centreX, int y, int scale, uint32_t rgb) {
    const int left = centreX - int(text.size()) * 8 * scale / 2;
    for (size_t i = 0; i < text.size(); ++i) {
        const uint8_t* glyph = GfxFont8x8 + size_t(uint8_t(text[i])) * 8;
        for (int row = 0; row < 8; ++row) {
            for (int col = 0; col < 8; ++col) {
                if ((glyph[row] & (0x80 >> col)) == 0) continue;
                const int x = left + (int(i) * 8 + col) * scale;
                // A soft shadow below and right, then the letter.
                BlendRect(p, x + scale / 3 + 1, y + row * scale + scale / 3 + 1, x + scale + scale / 3 + 1,
                          y + (row + 1) * scale + scale / 3 + 1, 0x000000, 140);
                FillRect(p, x, y + row * scale, x + scale, y + (row + 1) * scale, Argb(rgb));
            }
        }
    }
}

// The studio's and the publisher's marks: a ringed disc and the name.
void Mark(Picture& p, bool publisher) {
    const uint32_t accent = publisher ? 0xE0A030 : 0x40B0E0;
    for (int r = 0; r < 110; ++r) Ring(p, 400, 250, r, Mix(accent, 0x000000, r, 220), 255);
    Ring(p, 400, 250, 112, 0xFFFFFF, 220);
    BigText(p, "H", 400, 190, 15, 0xFFFFFF);
    BigText(p, publisher ? "HALVORN PUBLISHING" : "HALVORN STUDIO", 400, 400, 4, 0xF0F0F0);
}

void Credits(Picture& p, int role) {
    BlendRect(p, 150, 150, 650, 470, 0x000000, 110);
    Frame(p, 150, 150, 650, 470, 0xC0D0E0, 160);
    BigText(p, "HALVORN", 400, 180, 5, 0xF0E0A0);
    BigText(p, kCreditRoles[role], 400, 280, 3, 0xFFFFFF);
    BigText(p, "THE HALVORN TEAM", 400, 360, 2, 0xC8D8E8);
}

void Title(Picture& p) {
    Stands(p, 330, 0x0A1230);
    Pitch(p, 330);
    BigText(p, "HALVORN", 400, 120, 10, 0xF4E6A0);
    BigText(p, "FOOTBALL CLUB MANAGEMENT", 400, 220, 2, 0xFFFFFF);
}

// Calm bands where the screens put their title and buttons, and a quiet
// panel for lists.
void CalmAreas(Picture& p, Scene scene) {
    BlendRect(p, 0, 0, kWidth, kTitleBottom, 0x000000, 120);
    BlendRect(p, 0, kTitleBottom - 2, kWidth, kTitleBottom, 0xFFFFFF, 60);
    BlendRect(p, 0, kBarTop, kWidth, kBarBottom, 0x000000, 140);
    BlendRect(p, 0, kBarTop, kWidth, kBarTop + 2, 0xFFFFFF, 60);
    // The light strip the news ticker's black letters run along.
    BlendRect(p, kTickerLeft, kTickerTop, kTickerLeft + kTickerWidth, kTickerTop + kTickerHeight,
              kTickerStrip, 200);
    if (scene == Scene::Panel || scene == Scene::Pitch || scene == Scene::Stadium) {
        BlendRect(p, 30, 84, kWidth - 30, kBarTop - 16, 0x000000, scene == Scene::Panel ? 70 : 110);
    }
}

void Panels(Picture& p, uint32_t tint) {
    const uint32_t light = Mix(tint, 0xFFFFFF, 1, 5);
    for (int i = 0; i < 6; ++i) {
        const int x = 40 + i * 126;
        BlendRect(p, x, 100, x + 110, 520, light, 26);
        Frame(p, x, 100, x + 110, 520, light, 50);
    }
    for (int y = 120; y < 520; y += 36) BlendRect(p, 40, y, kWidth - 40, y + 1, light, 30);
}

}  // namespace

// The same picture as an uncompressed 24-bit TGA, rows stored top first.
static std::vector<uint8_t> Tga24(const Picture& picture) {
    std::vector<uint8_t> bytes(18, 0);
    bytes[2] = 2;
    bytes[12] = uint8_t(picture.width);
    bytes[13] = uint8_t(picture.width >> 8);
    bytes[14] = uint8_t(picture.height);
    bytes[15] = uint8_t(picture.height >> 8);
    bytes[16] = 24;
    bytes[17] = 0x20;
    bytes.reserve(bytes.size() + picture.pixels.size() * 3);
    for (uint32_t argb : picture.pixels) {
        bytes.push_back(uint8_t(argb));
        bytes.push_back(uint8_t(argb >> 8));
        bytes.push_back(uint8_t(argb >> 16));
    }
    return bytes;
}

static Picture DrawLoadingPicture() {
    Picture p = MakePicture(kWidth, kHeight, 0xFF000000u);
    VerticalGradient(p, 0x060A1A, 0x1A3A1C);
    Stands(p, 360, 0x060A1A);
    Pitch(p, 360);
    BigText(p, "HALVORN", 400, 140, 8, 0xF4E6A0);
    BigText(p, "LOADING THE MATCH", 400, 250, 3, 0xFFFFFF);
    return p;
}

Picture DrawMenuBackground(int number) {
    const Theme& theme = kThemes[number];
    Picture p = MakePicture(kWidth, kHeight, 0xFF000000u);
    VerticalGradient(p, theme.top, theme.bottom);
    switch (theme.scene) {
        case Scene::Stadium:
            Stands(p, 300, theme.top);
            Pitch(p, 300);
            break;
        case Scene::Pitch:
            PitchMarkings(p, 40, 90, kWidth - 40, kBarTop - 20, 80);
            break;
        case Scene::Panel:
            Panels(p, theme.bottom);
            break;
        case Scene::Mark:
            Mark(p, number == 30);
            return p;
        case Scene::Credits:
            Credits(p, number - 25);
            return p;
        case Scene::Title:
            Title(p);
            return p;
    }
    CalmAreas(p, theme.scene);
    return p;
}

void GenerateMenuBackgrounds() {
    for (int n = 0; n < BACKGROUND_COUNT; ++n) {
        const std::vector<uint8_t> tga = TgaWrite(DrawMenuBackground(n));
        // Read back as the game does: a full-screen picture in a screen format.
        uint8_t* block = nullptr;
        AllocateMemory(&block, uint32_t(tga.size()), MEM_TYPE_MANUAL_FREE);
        std::memcpy(block, tga.data(), tga.size());
        uint32_t size = uint32_t(tga.size());
        const bool read = LoadImageFile(&block, &size, 0, &ColFmt_B8G8R8) >= 0;
        const uint32_t expected = GFX0_HEADER_SIZE + uint32_t(kWidth * kHeight * 3);
        FreeMemory(&block);
        if (!read || size != expected)
            DatakitFail("background %d (%s): unreadable or wrong size", n, BackgroundList[n].name);
        StagePakFile(std::string("menugfx\\bg\\") + BackgroundList[n].name + ".tga", tga);
    }
    std::vector<uint8_t> loading = Tga24(DrawLoadingPicture());
    uint8_t* block = nullptr;
    AllocateMemory(&block, uint32_t(loading.size()), MEM_TYPE_MANUAL_FREE);
    std::memcpy(block, loading.data(), loading.size());
    uint32_t size = uint32_t(loading.size());
    const bool read = LoadImageFile(&block, &size, 0, &ColFmt_B8G8R8) >= 0;
    FreeMemory(&block);
    if (!read || size != GFX0_HEADER_SIZE + uint32_t(kWidth * kHeight * 3) || loading[16] != 24) {
        DatakitFail("loading picture: unreadable or not 24-bit 800 x 600");
    }
    StagePakFile("zudata\\load\\load-eng.tga", std::move(loading));
}

}  // namespace datakit
