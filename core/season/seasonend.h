// The end of a country's league season: titles, promotion and relegation,
// the play-offs, and the division sizes of the next season.
#pragma once
#include <cstdint>

#include "core/season/leagues.h"

// Per country and division: clubs promoted automatically (champion
// included), clubs relegated from the bottom, play-off entrants and how many
// of them come from the division itself, the semi-final style (2 single
// matches, 0 two legs) and the final's day offset.
extern const int16_t PromotionCount[kCountryCount][kDivisionCount];
extern const int16_t RelegationCount[kCountryCount][kDivisionCount];
struct PlayOffEntry {
    int16_t entrants;
    int16_t fromThisDivision;
};
extern const PlayOffEntry PlayOffEntryTable[kCountryCount][kDivisionCount];
extern const int16_t PlayOffFinalOffset[kCountryCount][kDivisionCount];

// The four play-off entrants of a division still in the play-offs
// (65535 = empty, -1 knocked out).
int16_t* PlayOffSlots(int country, int division);

// The country's European places record (9 records of 58 bytes): five club
// words of the clubs that qualified for Europe by title or cup, then per
// division the four clubs of its play-offs as they were drawn up.
constexpr int kPlacesRecordSize = 58;
constexpr int kPlacesReasonWords = 5;
int16_t GetPlacesRecordWord(int country, int word);
void SetPlacesRecordWord(int country, int word, int16_t club);
inline int PlayOffRuleWord(int division, int entry) {
    return kPlacesReasonWords + division * kPlayOffEntries + entry;
}

// On the country's league end day, from the final tables: titles and their
// messages, promotion and relegation (the new divisions take effect with
// the next season's set-up), the play-off entrants and semi-finals on the
// end day + 14 and + 17, and for country 3 the season-closing match of its
// champion against its cup winner.
void LeagueSeasonEnd(int16_t country);
// Seventeen days after the end day: each play-off final between the first
// two entrants left, on the end day + 28 + the division's offset.
void AddPlayOffFinals(int16_t country);

// Every player of the club with a shirt number gains experience (a random
// number below amount, plus 1; a captain twice) and its manager reputation
// 2 x amount.
void GiveSquadReward(int16_t club, int16_t amount);
// A relegated club loses reputation (never below 1 while it is a league
// club) and its players with a relegation release clause ask to leave.
void ApplyRelegationReleaseClauses(int16_t club);

// Before the next season is laid out: every division of every country in
// play is brought back to its layout count.  An overfull division sends
// its lowest-placed clubs of the season just ended down one division; a
// short one takes the best-placed clubs of the division below (the last
// division the nation's non-league club of highest reputation).  Each move
// is logged and counted as a promotion or relegation.  Returns the number
// of clubs moved.
int RestoreDivisionSizes();
