#include "game/match3d/kitpalette.h"

#include <cstdio>
#include <cstring>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/pakfile.h"
#include "core/base/trackedmemory.h"
#include "game/system/picture.h"

const KitColour KitPalette[kKitPaletteSize] = {
    // 0-9 greys
    {254, 255, 254},
    {214, 215, 214},
    {181, 182, 181},
    {145, 146, 145},
    {129, 130, 129},
    {108, 109, 108},
    {92, 93, 92},
    {76, 77, 76},
    {60, 61, 60},
    {47, 48, 47},
    // 10-19 yellows
    {254, 255, 0},
    {222, 223, 0},
    {190, 191, 0},
    {157, 158, 0},
    {133, 134, 0},
    {254, 255, 109},
    {226, 227, 109},
    {202, 203, 85},
    {177, 178, 81},
    {153, 154, 52},
    // 20-29 golds and oranges
    {255, 223, 0},
    {223, 195, 0},
    {186, 162, 0},
    {162, 142, 0},
    {138, 117, 0},
    {255, 128, 0},
    {230, 115, 0},
    {204, 102, 0},
    {179, 90, 0},
    {153, 76, 0},
    // 30-39 reds
    {255, 0, 0},
    {219, 0, 0},
    {186, 0, 0},
    {150, 0, 0},
    {121, 0, 0},
    {255, 77, 109},
    {219, 65, 93},
    {190, 56, 81},
    {150, 44, 65},
    {121, 36, 48},
    // 40-51 pinks and mauves
    {215, 130, 166},
    {215, 130, 166},
    {190, 117, 150},
    {162, 101, 125},
    {134, 77, 101},
    {105, 65, 81},
    {105, 65, 81},
    {203, 138, 223},
    {174, 117, 190},
    {142, 97, 158},
    {113, 77, 121},
    {89, 60, 97},
    // 52-61 purples
    {232, 0, 231},
    {191, 0, 190},
    {151, 0, 150},
    {113, 0, 112},
    {76, 0, 75},
    {231, 199, 251},
    {199, 170, 219},
    {170, 146, 186},
    {134, 113, 146},
    {109, 93, 117},
    // 62-71 light blues
    {125, 211, 255},
    {73, 174, 223},
    {73, 142, 195},
    {56, 113, 162},
    {36, 85, 134},
    {125, 125, 255},
    {93, 93, 223},
    {69, 69, 190},
    {48, 48, 158},
    {24, 24, 105},
    // 72-81 blues and cyans
    {0, 0, 255},
    {0, 0, 219},
    {0, 0, 186},
    {0, 0, 150},
    {0, 0, 121},
    {0, 223, 235},
    {0, 182, 186},
    {0, 146, 162},
    {0, 113, 125},
    {0, 85, 101},
    // 82-91 greens
    {125, 219, 195},
    {101, 186, 158},
    {77, 154, 134},
    {56, 121, 101},
    {40, 97, 73},
    {93, 239, 93},
    {81, 199, 81},
    {69, 162, 69},
    {52, 125, 52},
    {40, 89, 40},
    // 92-102 greens and browns
    {0, 255, 0},
    {0, 219, 0},
    {0, 186, 0},
    {0, 150, 0},
    {0, 121, 0},
    {199, 113, 77},
    {170, 89, 44},
    {142, 69, 24},
    {113, 52, 4},
    {77, 36, 0},
    {0, 0, 20},
};

const KitColour& GetKitColour(int colour) {
    if (colour < 0 || colour >= kKitPaletteSize) colour = kKitFallbackColour;
    return KitPalette[colour];
}

namespace {

constexpr const char* kModule = "menus\\kittab";
constexpr int32_t kCloseDistance = 10000;
constexpr int32_t kZoneProductScale = 32768;
constexpr int32_t kScoreScale = 5000;

constexpr KitDesignRow PlainKit(uint16_t c) { return {{0, c, c, c, 0, 0, c, c, c, 0, c, c, c, 0}}; }

bool IsDesign(int design) { return design >= 0 && design < kShirtDesigns; }

}  // namespace

const KitDesignRow PlainKits[kPlainKits] = {PlainKit(30), PlainKit(62), PlainKit(10), PlainKit(0)};
ShirtDesignZones ShirtDesignTally[kShirtDesigns];

KitDesignRow ClubKit(int16_t club, int kit) {
    if (club >= 0 && club < kKitTableClubs) return kit == 0 ? FirstKitTable[club] : SecondKitTable[club];
    // Clubs beyond the tables: a two-colour first kit from the club number
    // and a plain white second kit.
    const uint32_t n = uint32_t(club < 0 ? -club : club);
    if (kit != 0) return PlainKit(0);
    const uint16_t main = uint16_t(n * 37 % 100), second = uint16_t((n * 37 + 50) % 100);
    return {{uint16_t(n % 10), main, second, second, 0, 0, second, second, main, 0, main, main, second, 0}};
}

int16_t ColoursClose(int16_t colourA, int16_t colourB) {
    const KitColour& a = GetKitColour(colourA);
    const KitColour& b = GetKitColour(colourB);
    const int32_t dr = a.red - b.red, dg = a.green - b.green, db = a.blue - b.blue;
    return dr * dr + dg * dg + db * db <= kCloseDistance ? 1 : 0;
}

int32_t KitClashScoreOf(const KitDesignRow& kitA, const KitDesignRow& kitB,
                        const ShirtDesignZones (&tally)[kShirtDesigns]) {
    if (!IsDesign(kitA.words[0]) || !IsDesign(kitB.words[0])) return 0;
    const ShirtDesignZones& zonesA = tally[kitA.words[0]];
    const ShirtDesignZones& zonesB = tally[kitB.words[0]];
    int32_t sum = 0;
    for (int i = 0; i < kScoredZones; ++i) {
        const uint32_t a = zonesA.count[i];
        if (a == 0) continue;
        for (int j = 0; j < kScoredZones; ++j) {
            const uint32_t b = zonesB.count[j];
            if (b == 0 || !ColoursClose(int16_t(kitA.words[1 + i]), int16_t(kitB.words[1 + j]))) continue;
            // Designs keep their areas small enough that this product fits.
            sum += int32_t(a * b) / kZoneProductScale;
        }
    }
    return sum / kScoreScale;
}

int32_t KitClashScore(const KitDesignRow& kitA, const KitDesignRow& kitB) {
    InitShirtDesignTally(int16_t(kitA.words[0]));
    InitShirtDesignTally(int16_t(kitB.words[0]));
    return KitClashScoreOf(kitA, kitB, ShirtDesignTally);
}

KitDesignRow GetTeamDesign(int16_t homeClub, int16_t club, int16_t away) {
    const KitDesignRow home = ClubKit(homeClub, 0);
    if (away == 0) return home;
    const KitDesignRow candidates[2 + kPlainKits] = {ClubKit(club, 0), ClubKit(club, 1), PlainKits[0],
                                                     PlainKits[1],     PlainKits[2],     PlainKits[3]};
    int best = -1;
    int32_t bestScore = kUnusableKitScore;
    for (int i = 0; i < 2 + kPlainKits; ++i) {
        const int32_t score = KitClashScore(home, candidates[i]);
        if (score < bestScore) {
            best = i;
            bestScore = score;
        }
    }
    if (best < 0) AbortError(kModule, __LINE__, "GetTeamDesign(): failed to find an away kit!");
    return candidates[best];
}

const char* ShirtDesignFileName(int16_t design) {
    static char name[64];
    std::snprintf(name, sizeof name, "zudata\\d3d\\sskin\\textures\\kits\\shirts\\shirt%02d.tga",
                  int(design));
    return name;
}

bool TallyShirtPicture(const uint8_t* block, uint32_t size, ShirtDesignZones* zones) {
    if (size < GFX0_HEADER_SIZE || std::memcmp(block, "GFX0", 4) != 0) return false;
    const uint64_t pixels =
        uint64_t(recbits::LoadU16(block + GFX0_WIDTH)) * recbits::LoadU16(block + GFX0_HEIGHT);
    if (pixels + GFX0_HEADER_SIZE != size) return false;
    *zones = {};
    for (uint32_t i = GFX0_HEADER_SIZE; i < size; ++i) {
        if (block[i] < kShirtZones) ++zones->count[block[i]];
    }
    return true;
}

void InitShirtDesignTally(int16_t design) {
    if (!IsDesign(design)) {
        std::printf("Warning: InitShirtDesignTally(): invalid design %d\n", int(design));
        return;
    }
    ShirtDesignZones& zones = ShirtDesignTally[design];
    for (uint32_t count : zones.count) {
        if (count > 0) return;
    }
    uint8_t* picture = nullptr;
    uint32_t size = PakLoadWholeFile(ShirtDesignFileName(design), &picture, MEM_TYPE_MANUAL_FREE);
    if (LoadImageFile(&picture, &size, 0, nullptr) != 0) AbortError(kModule, __LINE__, "TGA_Convert2GFX0");
    if (size < GFX0_HEADER_SIZE || std::memcmp(picture, "GFX0", 4) != 0)
        AbortError(kModule, __LINE__, "Corrupt shirt design file found (1)");
    if (!TallyShirtPicture(picture, size, &zones))
        AbortError(kModule, __LINE__, "Corrupt shirt design file found (2)");
    FreeMemory(&picture);
}

void WriteTeamKit(int16_t club, int16_t opponent, int16_t side, uint8_t* kit) {
    const KitDesignRow row = side == 0 ? GetTeamDesign(club, club, 0) : GetTeamDesign(opponent, club, 1);
    for (int w = 0; w < kKitWords; ++w) recbits::StoreU16(kit + 2 * w, row.words[w]);
}
