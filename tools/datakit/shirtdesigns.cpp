#include "tools/datakit/shirtdesigns.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "core/base/bytes.h"
#include "core/base/trackedmemory.h"
#include "game/match3d/kitpalette.h"
#include "game/system/picture.h"
#include "tools/datakit/stage.h"

namespace datakit {

namespace {

constexpr uint8_t kBadgeZone = 3;

struct Canvas {
    std::vector<uint8_t> zones = std::vector<uint8_t>(size_t(kShirtWidth) * kShirtHeight, 0);
    void Fill(int x0, int y0, int x1, int y1, uint8_t zone) {
        x0 = std::clamp(x0, 0, kShirtWidth), x1 = std::clamp(x1, 0, kShirtWidth);
        y0 = std::clamp(y0, 0, kShirtHeight), y1 = std::clamp(y1, 0, kShirtHeight);
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) zones[size_t(y) * kShirtWidth + x] = zone;
    }
    void Set(int x, int y, uint8_t zone) { zones[size_t(y) * kShirtWidth + x] = zone; }
};

// A round collar (zone 2, or zone 1 for plain designs) across the neck and
// the badge over the left chest.
void Finish(Canvas& c, int variant, bool collar, uint8_t collarZone) {
    if (collar) {
        const int depth = 6 + variant % 3 * 3;
        c.Fill(40, 0, 88, depth, collarZone);
        if (variant % 2 == 1) c.Fill(56, depth, 72, depth + 10, collarZone);  // a v-neck
    }
    c.Fill(84, 24, 96, 38, kBadgeZone);
}

void Stripes(Canvas& c, int v) {
    const int width = 4 + v % 5 * 3;  // 4..16
    const bool thin = v >= 10;        // a thin stripe of zone 2 beside each
    for (int x = 0; x < kShirtWidth; x += 2 * width) {
        c.Fill(x + width, 0, x + 2 * width, kShirtHeight, 1);
        if (thin) c.Fill(x + width, 0, x + width + 2, kShirtHeight, 2);
    }
    Finish(c, v, v / 5 % 2 == 1, 2);  // every width with and without a collar
}

void Hoops(Canvas& c, int v) {
    const int height = 6 + v % 5 * 4;  // 6..22
    for (int y = 14; y < kShirtHeight; y += 2 * height) c.Fill(0, y + height, kShirtWidth, y + 2 * height, 1);
    if (v >= 10) c.Fill(0, 50, kShirtWidth, 62, 2);  // one broad chest hoop
    Finish(c, v, v % 3 != 2, 2);
}

void Halves(Canvas& c, int v) {
    switch (v % 5) {
        case 0:
            c.Fill(kShirtWidth / 2, 0, kShirtWidth, kShirtHeight, 1);
            break;
        case 1:
            c.Fill(0, kShirtHeight / 2, kShirtWidth, kShirtHeight, 1);
            break;
        case 2:  // quarters
            c.Fill(kShirtWidth / 2, 0, kShirtWidth, kShirtHeight / 2, 1);
            c.Fill(0, kShirtHeight / 2, kShirtWidth / 2, kShirtHeight, 1);
            break;
        case 3:
            c.Fill(0, 0, kShirtWidth, 44, 1);
            break;  // a yoke
        default:
            c.Fill(kShirtWidth / 3, 0, 2 * kShirtWidth / 3, kShirtHeight, 1);
            break;
    }
    Finish(c, v, v >= 5, 2);
}

void Sash(Canvas& c, int v) {
    const int width = 14 + v % 5 * 5;
    const bool rising = v % 2 == 0;
    for (int y = 0; y < kShirtHeight; ++y) {
        for (int x = 0; x < kShirtWidth; ++x) {
            const int d = rising ? x + y - kShirtWidth : x - y;
            if (std::abs(d) < width) c.Set(x, y, std::abs(d) < width - 4 || v < 5 ? 1 : 2);
        }
    }
    Finish(c, v, v % 3 == 0, 2);
}

void Panels(Canvas& c, int v) {
    const int width = 10 + v % 5 * 4;
    switch (v / 5) {
        case 0:  // side panels
            c.Fill(0, 0, width, kShirtHeight, 1);
            c.Fill(kShirtWidth - width, 0, kShirtWidth, kShirtHeight, 1);
            break;
        case 1:  // shoulders and sleeves
            c.Fill(0, 0, kShirtWidth, width, 1);
            c.Fill(0, 0, width, 60, 2);
            c.Fill(kShirtWidth - width, 0, kShirtWidth, 60, 2);
            break;
        default:  // a centre panel with a chest band
            c.Fill(kShirtWidth / 2 - width, 0, kShirtWidth / 2 + width, kShirtHeight, 1);
            c.Fill(0, 40, kShirtWidth, 40 + width / 2, 2);
            break;
    }
    Finish(c, v, v % 2 == 0, 2);
}

void Collared(Canvas& c, int v) {
    // A plain body with trim: collars, cuffs and a hem in zones 1 and 2.
    const int trim = 3 + v % 4 * 2;
    c.Fill(0, kShirtHeight - trim, kShirtWidth, kShirtHeight, v % 2 == 0 ? 1 : 2);
    if (v >= 5) {
        c.Fill(0, 56, 10, 56 + trim, 2);
        c.Fill(kShirtWidth - 10, 56, kShirtWidth, 56 + trim, 2);
    }
    if (v >= 10) c.Fill(0, 0, trim, kShirtHeight, 1);
    if (v >= 15) c.Fill(kShirtWidth - trim, 0, kShirtWidth, kShirtHeight, 1);
    c.Fill(36, 0, 92, 8 + v % 3 * 4, 1);
    c.Fill(84, 24, 96, 38, kBadgeZone);
}

// Every design's areas must multiply exactly in 32 bits.
void CheckDesign(int design, const std::vector<uint8_t>& tga) {
    static_assert(int64_t(kShirtWidth) * kShirtPictureHeight <= 46340);
    std::vector<uint8_t> copy = tga;
    uint8_t* block = nullptr;
    uint32_t size = uint32_t(copy.size());
    AllocateMemory(&block, size, MEM_TYPE_MANUAL_FREE);
    std::memcpy(block, copy.data(), size);
    ShirtDesignZones zones{};
    const bool read = LoadImageFile(&block, &size, 0, nullptr) == 0 && TallyShirtPicture(block, size, &zones);
    FreeMemory(&block);
    if (!read) DatakitFail("shirt design %d does not read back as a zone picture", design);
    uint64_t total = 0;
    for (uint32_t count : zones.count) total += count;
    if (total != uint64_t(kShirtWidth) * kShirtPictureHeight)
        DatakitFail("shirt design %d has pixels outside zones 0-3", design);
    if (zones.count[0] == 0) DatakitFail("shirt design %d has no body colour", design);
    ShirtDesignTally[design] = zones;
}

// Every ordered pair of clubs must leave the away side a kit that counts.
void CheckAwayKits() {
    for (int16_t home = 0; home < kKitTableClubs + 60; ++home) {
        const KitDesignRow homeKit = ClubKit(home, 0);
        for (int16_t away = 0; away < kKitTableClubs + 60; ++away) {
            if (KitClashScoreOf(homeKit, ClubKit(away, 0), ShirtDesignTally) < kUnusableKitScore) continue;
            if (KitClashScoreOf(homeKit, ClubKit(away, 1), ShirtDesignTally) < kUnusableKitScore) continue;
            bool plain = false;
            for (const KitDesignRow& kit : PlainKits)
                plain = plain || KitClashScoreOf(homeKit, kit, ShirtDesignTally) < kUnusableKitScore;
            if (!plain) DatakitFail("club %d finds no away kit at club %d", away, home);
        }
        // Its own first kit must count as a clash: the reserves wear another.
        if (KitClashScoreOf(homeKit, homeKit, ShirtDesignTally) == 0)
            DatakitFail("club %d's first kit does not clash with itself", home);
    }
    for (int16_t club = 0; club < kKitTableClubs; ++club) {
        for (int kit = 0; kit < 2; ++kit) {
            const KitDesignRow row = ClubKit(club, kit);
            if (row.words[0] >= kShirtDesignCount)
                DatakitFail("club %d kit %d has design %d", club, kit, row.words[0]);
            for (uint16_t word = 1; word < kKitWords; ++word) {
                const bool setting = word == 4 || word == 5 || word == 9 || word == 13;
                if (!setting && row.words[word] >= 102)
                    DatakitFail("club %d kit %d has colour %d", club, kit, row.words[word]);
            }
        }
    }
}

}  // namespace

std::vector<uint8_t> DrawShirtDesign(int design) {
    Canvas c;
    const int v = design - ShirtFamilyOf(ShirtDesignFamily(design)).first;
    switch (ShirtDesignFamily(design)) {
        case ShirtFamily::Plain:
            // Design 0 is all one colour, the reserve kits' shirt.
            if (v > 0) Finish(c, v, true, uint8_t(v < 5 ? 1 : 2));
            break;
        case ShirtFamily::Stripes:
            Stripes(c, v);
            break;
        case ShirtFamily::Hoops:
            Hoops(c, v);
            break;
        case ShirtFamily::Halves:
            Halves(c, v);
            break;
        case ShirtFamily::Sash:
            Sash(c, v);
            break;
        case ShirtFamily::Panels:
            Panels(c, v);
            break;
        case ShirtFamily::Collar:
            Collared(c, v);
            break;
    }
    return c.zones;
}

std::vector<uint8_t> ShirtDesignTga(const std::vector<uint8_t>& zones, int width, int height) {
    // Colour-mapped, 8 bits a pixel, a four-entry map, rows top first.
    static constexpr uint8_t kMap[4][3] = {{255, 255, 255}, {0, 0, 255}, {0, 255, 0}, {255, 0, 0}};
    std::vector<uint8_t> out = {0, 1, 1, 0, 0, 4, 0, 24, 0, 0, 0, 0};
    recbits::AppendU16(out, uint16_t(width));
    recbits::AppendU16(out, uint16_t(height));
    out.push_back(8);
    out.push_back(TGA_DESC_TOP_BOTTOM);
    for (const auto& bgr : kMap) out.insert(out.end(), bgr, bgr + 3);
    out.insert(out.end(), zones.begin(), zones.end());
    return out;
}

void GenerateShirtDesigns() {
    for (int design = 0; design < kShirtDesignCount; ++design) {
        std::vector<uint8_t> twice = DrawShirtDesign(design);
        twice.insert(twice.end(), twice.begin(), twice.end());
        std::vector<uint8_t> tga = ShirtDesignTga(twice, kShirtWidth, kShirtPictureHeight);
        CheckDesign(design, tga);
        StagePakFile(ShirtDesignFileName(int16_t(design)), std::move(tga));
    }
    CheckAwayKits();
}

}  // namespace datakit
