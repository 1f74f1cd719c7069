#include "core/match/matchstats.h"

#include <algorithm>
#include <cstring>

#include "core/base/bytes.h"
#include "core/match/matchfigure.h"
#include "core/match/matchresult.h"
#include "core/match/matchrules.h"
#include "core/match/matchsetup.h"

// ---------------------------------------------------------------------------
// Player statistics records

using namespace gameinfo;

namespace {

using recbits::StoreU16;

// Byte positions in the record (the player report's positions less 12).
constexpr int kRecordBase = kPlayerStatsRecord;
constexpr int At(int reportOffset) { return reportOffset - kRecordBase; }

// The three measures that the relative scores compare across all players.
int MeasureA(const MatchFigure& f) { return f.touches; }
int MeasureB(const MatchFigure& f) {
    return f.counts[kCountShortPassesGood] + f.counts[kCountLongPassesGood];
}
int MeasureC(const MatchFigure& f) { return f.counts[kCountTacklesWon] + f.counts[kCountIntercepts]; }

int HighestOfAll(int (*measure)(const MatchFigure&)) {
    int highest = 1;
    for (int figure = 0; figure < kPlayerFigures; ++figure)
        highest = std::max(highest, measure(MatchFigures[figure]));
    return highest;
}

int8_t ReportMinute(uint32_t tick) { return int8_t(std::min<uint32_t>(tick / kTicksPerReportMinute, 127)); }

int ShotsOnTarget(const MatchFigure& f) { return f.moreCounts[kMoreShotsSaved] + f.goals; }
int Lost(int tried, int good) { return std::max(tried - good, 0); }

// Each one-byte count of the record and the figure's counters behind it.
struct CountField {
    int at;
    int (*count)(const MatchFigure& f);
};
constexpr CountField kCountFields[] = {
    {kStatsGoals, [](const MatchFigure& f) { return int(f.goals); }},
    {kStatsAssists, [](const MatchFigure& f) { return int(f.assists); }},
    {kStatsPoorControls, [](const MatchFigure& f) { return int(f.counts[kCountPoorControls]); }},
    {kStatsShotsOnTarget, ShotsOnTarget},
    {kStatsShotsOffTarget,
     [](const MatchFigure& f) { return Lost(f.counts[kCountShots], ShotsOnTarget(f)); }},
    {kStatsGoalsScored, [](const MatchFigure& f) { return int(f.goals); }},
    {kStatsShortPassesGood, [](const MatchFigure& f) { return int(f.counts[kCountShortPassesGood]); }},
    {kStatsShortPassesLost,
     [](const MatchFigure& f) { return Lost(f.counts[kCountShortPasses], f.counts[kCountShortPassesGood]); }},
    {kStatsOwnHalfHeaders, [](const MatchFigure& f) { return int(f.counts[kCountHeadersOwnHalf]); }},
    {kStatsAttackTouches, [](const MatchFigure& f) { return int(f.counts[kCountAttackTouches]); }},
    {kStatsGoodControls, [](const MatchFigure& f) { return int(f.counts[kCountGoodControls]); }},
    {kStatsCrossesGood, [](const MatchFigure& f) { return int(f.counts[kCountCrossesGood]); }},
    {kStatsPossessionLost, [](const MatchFigure& f) { return int(f.counts[kCountPossessionLost]); }},
    {kStatsTacklesWon, [](const MatchFigure& f) { return int(f.counts[kCountTacklesWon]); }},
    {kStatsFouls, [](const MatchFigure& f) { return int(f.counts[kCountFoulsCommitted]); }},
    {kStatsHandballs, [](const MatchFigure& f) { return int(f.counts[kCountHandballs]); }},
    {kStatsChallengeFouls, [](const MatchFigure& f) { return int(f.counts[kCountChallengeFouls]); }},
    {kStatsInjuriesCaused, [](const MatchFigure& f) { return int(f.counts[kCountInjuriesCaused]); }},
    {kStatsClearances, [](const MatchFigure& f) { return int(f.counts[kCountClearances]); }},
    {kStatsIntercepts, [](const MatchFigure& f) { return int(f.counts[kCountIntercepts]); }},
    {kStatsMenBeaten, [](const MatchFigure& f) { return int(f.counts[kCountDribblesPast]); }},
    {kStatsOffsides, [](const MatchFigure& f) { return int(f.counts[kCountOffsides]); }},
    {kStatsTackleAttempts, [](const MatchFigure& f) { return int(f.moreCounts[kMoreTackleAttempts]); }},
    {kStatsSaves, [](const MatchFigure& f) { return int(f.counts[kCountSaves]); }},
    {kStatsLongPassesLost,
     [](const MatchFigure& f) { return Lost(f.counts[kCountLongPasses], f.counts[kCountLongPassesGood]); }},
    {kStatsCatches, [](const MatchFigure& f) { return int(f.counts[kCountCatches]); }},
    {kStatsOtherStops,
     [](const MatchFigure& f) {
         return f.counts[kCountParries] + f.counts[kCountTips] + f.counts[kCountPunches] +
                f.counts[kCountPunchAways] + f.counts[kCountSmothers];
     }},
    {kStatsTimesTackled, [](const MatchFigure& f) { return int(f.counts[kCountTimesTackled]); }},
    {kStatsPenaltiesTaken, [](const MatchFigure& f) { return int(f.counts[kCountPenaltiesTaken]); }},
    {kStatsCornersTaken, [](const MatchFigure& f) { return int(f.counts[kCountCornersTaken]); }},
    {kStatsFreeKicksAtGoal, [](const MatchFigure& f) { return int(f.counts[kCountFreeKicksAtGoal]); }},
    {kStatsCrossesLost,
     [](const MatchFigure& f) { return Lost(f.counts[kCountCrosses], f.counts[kCountCrossesGood]); }},
    {kStatsKnockedDown, [](const MatchFigure& f) { return int(f.counts[kCountKnockedDown]); }},
    {kStatsPenaltyGoals, [](const MatchFigure& f) { return int(f.counts[kCountPenaltiesScored]); }},
    {kStatsFreeKickGoals, [](const MatchFigure& f) { return int(f.freeKickGoals); }},
    {kStatsPenaltiesMissed, [](const MatchFigure& f) { return int(f.penaltiesMissed); }},
    {kStatsPenaltySaves, [](const MatchFigure& f) { return int(f.penaltiesSaved); }},
    {kStatsTouches, [](const MatchFigure& f) { return int(f.touches); }},
    {kStatsLongPassesGood, [](const MatchFigure& f) { return int(f.counts[kCountLongPassesGood]); }},
};

// The two signed counts hold up to 127, the others up to 255.
void StoreCounts(uint8_t* r, const MatchFigure& f) {
    for (const CountField& field : kCountFields) {
        const bool signedByte = field.at == kStatsGoals || field.at == kStatsAssists;
        r[At(field.at)] = uint8_t(std::clamp(field.count(f), 0, signedByte ? 127 : 255));
    }
}

// The short passes between the player and each team-mate, both ways.
void StorePassesWithMates(uint8_t* r, int side, int entry) {
    const MatchFigure& f = MatchFigures[side * kTeamFigures + entry];
    for (int mate = 0; mate < kTeamFigures; ++mate) {
        const MatchFigure& m = MatchFigures[side * kTeamFigures + mate];
        r[At(kStatsPassesTo) + mate] = uint8_t(std::min<int>(f.passesTo[mate], 255));
        r[At(kStatsPassesFrom) + mate] = uint8_t(std::min<int>(m.passesTo[entry], 255));
    }
}

int CardState(const MatchFigure& f) {
    if (f.sentOff != 0) return 3;
    return std::min<int>(f.cautions, 2);
}

}  // namespace

void MatchComputePlayerRatings(uint8_t (*records)[kStatsRecordBytes], int16_t side) {
    static_assert(kStatsRecordBytes == kPlayerStatsRecordSize);
    if (side != 0 && side != 1) return;
    const int highestA = HighestOfAll(MeasureA);
    const int highestB = HighestOfAll(MeasureB);
    const int highestC = HighestOfAll(MeasureC);
    for (int entry = 0; entry < kTeamFigures; ++entry) {
        const int figure = side * kTeamFigures + entry;
        const MatchFigure& f = MatchFigures[figure];
        uint8_t* r = records[entry];
        std::memset(r, 0, kStatsRecordBytes);
        StoreU16(r + At(kPlayerNumber),
                 uint16_t(GameInfo.I16(PlayerInfoAt(side, entry) + kPlayerInfoNumber)));
        StoreU16(r + At(kStatsRelativeScoreA), uint16_t(95 * MeasureA(f) / highestA));
        StoreU16(r + At(kStatsRelativeScoreB), uint16_t(95 * MeasureB(f) / highestB));
        StoreU16(r + At(kStatsRelativeScoreC), uint16_t(95 * MeasureC(f) / highestC));
        StoreU16(r + At(kStatsValueW), uint16_t(MatchRatePlayer(0, int16_t(figure))));
        const bool played = MatchMark(f) > 0;
        if (played) {
            r[At(kStatsStartMinute)] = uint8_t(ReportMinute(f.firstActiveTick));
            r[At(kStatsEndMinute)] = uint8_t(ReportMinute(std::max(f.lastActiveTick, f.firstActiveTick)));
        }
        r[At(kStatsInjured)] = f.injury > 0 ? 1 : 0;
        const bool keeper = played && entry == 0;
        StoreU16(r + At(kStatsKeeperFlags), keeper ? 1 : 0);
        r[At(kStatsOutfieldFlags)] = played && !keeper ? 1 : 0;
        StoreU16(r + At(kStatsPackedWord), uint16_t(CardState(f) << 6));
        StoreCounts(r, f);
        StorePassesWithMates(r, side, entry);
    }
}
