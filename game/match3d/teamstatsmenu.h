// The in-match team statistics (menu 6) and the two line-ups side by side
// (menu 3), and the match header every in-match screen shows.  Both screens
// only read the running match: they work their values out when entered
// (the match stands still while they are shown).
#pragma once
#include <cstddef>
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

extern const MenuItem IgTeamStatsTable[];
extern const MenuItem IgLineupsTable[];

// "home g - g away"; once the shoot-out has a score, "home g (s)-(s) g away".
void IgFormatMatchHeader(char* out, size_t size);
// The header's two halves: "%s %d -" and " %d %s", or with the shoot-out
// goals "%s %d (%d)-" and "(%d) %d %s".
void IgFormatMatchHeaderParts(char* left, char* right, size_t size);
// "%d mins": the shown match minute.
void IgFormatMinuteLine(char* out, size_t size);

// The header and the minute line as a nested table (type 33) of the
// in-match screens, and their texts for the coming walks (on entry).
extern const MenuItem IgHeaderTable[];
void IgHeader_Prepare();

// A share of a pair: a x 100 / (a + b), 50 when both are 0.
int16_t IgShare(uint32_t a, uint32_t b);

// Menu 6's values, worked out on entry.
struct IgTeamStatsValues {
    int16_t zoneShare[3][2];    // per band X, Y, Z: each side's share of the ball there
    int16_t zoneOccupation[3];  // the part of the match the ball spent in each band
    uint32_t rowValue[7][2];    // the seven rows' values (row 4: the possession percentages)
    int16_t rowShare[7][2];     // the seven rows' shares
};
extern IgTeamStatsValues IgTeamStats;
// The seven rows' label texts, top to bottom.
extern const int16_t IgTeamStatsLabels[7];
void IgStats_Build();
// The header, the minute line and every value, as on entry.
void IgStats_Compute();

// Menu 3: 18 rows of the two line-ups; row 11 stays empty between the
// starting eleven and the substitutes.
constexpr int kIgLineupRows = 18;
constexpr int kIgLineupSeparatorRow = 11;
struct IgLineupCell {
    uint16_t player;  // 0 an empty cell
    char name[24];
    char rating[8];        // empty when 0
    char captain[8];       // "(C)" for the captain
    int16_t cardIcons[2];  // -1 none
    int16_t injuryIcon;    // -1 none
    int16_t count;         // goals in the match; 0 shows nothing
};
extern IgLineupCell IgLineups[kIgLineupRows][2];
void IgLineups_Build();
// The header, the minute line and the 18 rows, as on entry.
void IgLineups_Fill();
// The line-up entry of a row (-1 for the separator row or past the table).
int IgLineups_EntryOfRow(int row);
// A click on a player cell of the first or the second team.
int32_t IgLineups_PickFirst(int row);
int32_t IgLineups_PickSecond(int row);

// Whether a player's row shows the injury icon: hurt in this match (the
// first injury state of his rating record) or hurt and still to be
// replaced (the second); a practice match shows only the second.
bool IgInjuryIconShown(int16_t side, int16_t slot, const uint8_t* statsRecord);

// The painters' colours of the two sides.
constexpr uint16_t kIgFirstSideColour = 0x2A7F;
constexpr uint16_t kIgSecondSideColour = 0xE1A4;
