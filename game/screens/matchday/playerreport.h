// The counters of one player's match report (a 139-byte entry of a team
// report, core/match/matchresult.h) under the names the match statistics screen
// and the rating pass use.  Each name reads the report's own counter that
// holds what the name means; the statistics views group them:
//   view 0 defending: tackles won, clearances, the four foul counts,
//     interceptions, headers in his own half, possession lost;
//   view 1 involvement: the three relative scores, the match mark so far,
//     times tackled, assists;
//   view 2 passing: short passes with each team-mate both ways, short
//     passes lost, crosses, long passes;
//   view 3 set pieces: corners, free kicks at goal, times fouled to the
//     ground, penalty and free-kick goals, penalties taken;
//   view 4 shooting: shots on and off target, goals, attacking touches,
//     offsides.
#pragma once
#include <cstdint>

#include "core/base/bytes.h"
#include "core/match/matchresult.h"

namespace report {

inline int U8(const uint8_t* r, int at) { return r[at]; }
inline int S8(const uint8_t* r, int at) { return int8_t(r[at]); }
inline int S16(const uint8_t* r, int at) { return int16_t(recbits::LoadU16(r + at)); }
inline int Sum(const uint8_t* r, int at, int count) {
    int sum = 0;
    for (int i = 0; i < count; ++i) sum += r[at + i];
    return sum;
}

inline int EntryWord(const uint8_t* r) { return recbits::LoadU16(r + kPlayerNumber); }
inline int KeyWord(const uint8_t* r) { return S16(r, kStatsValueW); }
inline int View1Word(const uint8_t* r) { return S16(r, kStatsRelativeScoreB); }
inline int Rating(const uint8_t* r) { return S16(r, kPlayerRating); }
inline int SignedMark(const uint8_t* r) { return S8(r, kStatsAssists); }
inline int PassAdjust(const uint8_t* r) { return S8(r, kStatsAssists); }
// The match keeps no counter that corrects the dribbles or the crosses:
// their rankings take the counts as they stand.
inline int DribbleAdjust(const uint8_t*) { return 0; }
inline int CrossAdjust(const uint8_t*) { return 0; }
inline int View1First(const uint8_t* r) { return S16(r, kStatsRelativeScoreA); }
inline int View1Fourth(const uint8_t* r) { return S16(r, kStatsRelativeScoreC); }
inline int View1Fifth(const uint8_t* r) { return U8(r, kStatsTimesTackled); }
inline int ShootingA(const uint8_t* r) { return U8(r, kStatsAttackTouches); }
inline int ShootingB(const uint8_t* r) { return U8(r, kStatsOffsides); }
inline int ShootingC(const uint8_t* r) { return U8(r, kStatsShotsOffTarget); }
inline int Shots(const uint8_t* r) { return U8(r, kStatsShotsOnTarget); }
inline int ShotsMissed(const uint8_t* r) { return U8(r, kStatsShotsOffTarget); }
inline int PenaltiesMissed(const uint8_t* r) { return U8(r, kStatsPenaltiesMissed); }
inline int PenaltyGoals(const uint8_t* r) { return U8(r, kStatsPenaltyGoals); }
inline int FreeKickGoals(const uint8_t* r) { return U8(r, kStatsFreeKickGoals); }
inline int Goals(const uint8_t* r) { return S16(r, kPlayerGoals); }
inline int AccuratePasses(const uint8_t* r) {
    return U8(r, kStatsShortPassesGood) + U8(r, kStatsLongPassesGood);
}
inline int OtherPasses(const uint8_t* r) {
    return U8(r, kStatsShortPassesLost) + U8(r, kStatsLongPassesLost);
}
inline int PassingA(const uint8_t* r) { return U8(r, kStatsShortPassesLost); }
inline int PassingB(const uint8_t* r) { return U8(r, kStatsLongPassesGood); }
inline int Dribbles(const uint8_t* r) { return U8(r, kStatsMenBeaten); }
inline int GoodCrosses(const uint8_t* r) { return U8(r, kStatsCrossesGood); }
inline int OtherCrosses(const uint8_t* r) { return U8(r, kStatsCrossesLost); }
inline int View0First(const uint8_t* r) { return U8(r, kStatsTacklesWon); }
inline int View0Second(const uint8_t* r) { return U8(r, kStatsClearances); }
// Fouls, handballs, fouls in a challenge and injuries caused.
inline int View0Group(const uint8_t* r) { return Sum(r, kStatsFouls, 4); }
inline int View0Fourth(const uint8_t* r) { return U8(r, kStatsIntercepts); }
inline int View0Fifth(const uint8_t* r) { return U8(r, kStatsOwnHalfHeaders); }
inline int View0Sixth(const uint8_t* r) { return U8(r, kStatsPossessionLost); }
// Saves, catches and the other stops.
inline int KeeperGroup(const uint8_t* r) {
    return U8(r, kStatsSaves) + U8(r, kStatsCatches) + U8(r, kStatsOtherStops);
}
inline int KeeperSecond(const uint8_t* r) { return U8(r, kStatsCatches); }
// Penalty saves.
inline int KeeperFourth(const uint8_t* r) { return U8(r, kStatsPenaltySaves); }
inline int SetPieceA(const uint8_t* r) { return U8(r, kStatsCornersTaken); }
inline int SetPieceB(const uint8_t* r) { return U8(r, kStatsFreeKicksAtGoal); }
inline int SetPieceC(const uint8_t* r) { return U8(r, kStatsKnockedDown); }
inline int SetPieceD(const uint8_t* r) { return U8(r, kStatsPenaltiesTaken); }
inline int MateCountA(const uint8_t* r, int mate) { return U8(r, kStatsPassesTo + mate); }
inline int MateCountB(const uint8_t* r, int mate) { return U8(r, kStatsPassesFrom + mate); }
inline int MateCountsA(const uint8_t* r) { return Sum(r, kStatsPassesTo, 16); }
inline int MateCountsB(const uint8_t* r) { return Sum(r, kStatsPassesFrom, 16); }
inline int MinuteOn(const uint8_t* r) { return S8(r, kStatsStartMinute); }
inline int MinuteOff(const uint8_t* r) { return S8(r, kStatsEndMinute); }
inline int Minutes(const uint8_t* r) { return MinuteOff(r) - MinuteOn(r); }
inline int Injury(const uint8_t* r) { return S8(r, kStatsInjured); }
inline bool IsKeeper(const uint8_t* r) { return (recbits::LoadU16(r + kStatsKeeperFlags) & 1) != 0; }
inline bool IsOutfield(const uint8_t* r) { return (r[kStatsOutfieldFlags] & 1) != 0; }
// 0 none, 1 booked, 2 booked twice, 3 sent off.
inline int Bookings(const uint8_t* r) { return S16(r, kPlayerCards) & 3; }

}  // namespace report
