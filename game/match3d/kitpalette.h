// The kits clubs wear.  Every kit colour number (in the kit rows, on the
// match kits and in the club lists) names an entry of the one kit palette.
#pragma once
#include <cstdint>

struct KitColour {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};
static_assert(sizeof(KitColour) == 3);

constexpr int kKitPaletteSize = 103;
// The colour a number outside the palette is drawn in.
constexpr int kKitFallbackColour = 5;

extern const KitColour KitPalette[kKitPaletteSize];

// The palette entry of a colour number; numbers outside 0..102 give the
// fallback colour, so a damaged kit word never reads past the table.
const KitColour& GetKitColour(int colour);

// ---- Kits and the clash between two shirts --------------------------------

// Word 0 is the shirt design (0..99), words 1-3 the colours of shirt zones
// 0-2; words 4-13 colour and style the shorts and socks.
constexpr int kKitWords = 14;
struct KitDesignRow {
    uint16_t words[kKitWords];
};
static_assert(sizeof(KitDesignRow) == 28);

constexpr int kKitTableClubs = 1140;
constexpr int kShirtDesigns = 100;
constexpr int kShirtZones = 4;
constexpr int kScoredZones = 3;
constexpr int kPlainKits = 4;
// Scores from here on do not count as a usable away kit.
constexpr int32_t kUnusableKitScore = 9999;

// The clubs' kits, made at build time from the world plan.
extern const KitDesignRow FirstKitTable[kKitTableClubs];
extern const KitDesignRow SecondKitTable[kKitTableClubs];
// The reserve kits an away side falls back on, in the order tried.
extern const KitDesignRow PlainKits[kPlainKits];

// Pixel counts of each zone value of each design, filled as designs are
// first needed.
struct ShirtDesignZones {
    uint32_t count[kShirtZones];
};
extern ShirtDesignZones ShirtDesignTally[kShirtDesigns];

// The first or second kit of any club; clubs outside the built tables get
// kits made from their number.
KitDesignRow ClubKit(int16_t club, int kit);
// 1 when two palette colours are within a distance of 100 of each other.
int16_t ColoursClose(int16_t colourA, int16_t colourB);
// The clash of two rows' shirts by the given zone areas (0 = no clash); a
// row whose design is outside 0..99 scores 0.
int32_t KitClashScoreOf(const KitDesignRow& kitA, const KitDesignRow& kitB,
                        const ShirtDesignZones (&tally)[kShirtDesigns]);
// The same with the game's tally, reading the designs first.
int32_t KitClashScore(const KitDesignRow& kitA, const KitDesignRow& kitB);
// away 0: homeClub's first kit; otherwise the kit `club` wears at homeClub.
// Ends the program when no kit scores below 9999.
KitDesignRow GetTeamDesign(int16_t homeClub, int16_t club, int16_t away);
// Reads a design's picture and counts its zones, once per run.
void InitShirtDesignTally(int16_t design);
// Counts the zone values of a GFX0 picture (16-byte header, one byte a
// pixel); false when the block is not a well-formed one.
bool TallyShirtPicture(const uint8_t* block, uint32_t size, ShirtDesignZones* zones);
// The pak name of a design's picture.
const char* ShirtDesignFileName(int16_t design);

// The kit bytes of a match side: home (side 0) wears its first kit.
void WriteTeamKit(int16_t club, int16_t opponent, int16_t side, uint8_t* kit);
