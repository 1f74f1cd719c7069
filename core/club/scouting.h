// Scouting by region: the user sends his scouts to one of ten regions of
// the world for a weekly fee; each week they report on a batch of the
// region's players and recommend those the club could afford and that
// would improve it.
#pragma once
#include <cstdint>

// The assignment, saved with the game: the weekly fee as a 32-bit value in
// two words (low word first; 0 = no assignment) and the weeks paid so far.
extern uint16_t ScoutingWordPair[2];
extern uint16_t ScoutingWord;

constexpr int kScoutRegions = 10;
// The end of each region's list of nation numbers.
constexpr uint16_t kRegionListEnd = 116;

uint32_t Scout_GetWeeklyFee();
uint16_t Scout_GetWeeksPaid();

// 1 when the player's place (his club's nation and division, or his
// nationality and division 0 without a club) lies in the region, else 0
// (also for a region outside 0..9).
int16_t Scout_PlayerInRegion(uint16_t player, int16_t region);
// The region (0..9) of the lowest-numbered player waiting to be reported
// on, -1 when nobody is.
int16_t Scout_GetMarkedRegion();
// Starts an assignment: stores the fee and marks every player of the
// region but the managers.
void Scout_MarkRegion(int16_t region, uint32_t weeklyFee);
// Ends any assignment: no fee, no weeks, nobody marked.
void Scout_ClearAll();
// Recommended players of the region 0..9, after the user's squad has been
// evaluated; any other region ends the program.
int16_t GetScoutNumRecommendedInRegion(int16_t region);
// 100 x known players / players of the region; 0 for a region without any.
int16_t Scout_RegionKnownPercent(int16_t region);

// The week's report on up to n marked players (at least 18): each becomes
// known and may be recommended.  Returns 0 when nobody was marked, else 1;
// moreRemain tells whether marked players may be left after this batch.
int16_t Scout_WeeklyReport(int32_t n, bool* moreRemain);
// The weekly scouting job, run when the week starts again.
void Scout_WeeklyJob();
