#include "core/match/matchresult.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "core/base/bytes.h"
#include "core/match/matchclock.h"
#include "core/match/matchrules.h"
#include "core/match/matchsetup.h"
#include "core/match/matchstate.h"
#include "core/match/matchstats.h"
#include "core/match/phases.h"
#include "core/match/strikes.h"

using namespace gameinfo;

using recbits::LoadU16;
using recbits::StoreU16;

MatchResultBlock MatchResult;
uint16_t MatchTeamTotals[2][kTeamTotals];
uint8_t MatchResultPredicted;

MatchResultBlock* GetMatchBlock() { return &MatchResult; }

uint8_t* MatchPlayerReport(int team, int entry) {
    return MatchResult.teams[team].bytes + kReportPlayers + entry * kPlayerReportSize;
}

namespace {
using K = ReportFieldKind;
}  // namespace

// The report's words and the statistics record, field by field.  One-byte
// counts sit at 29-35, 43-64, 66-69, 72, 75, 82-91 and 124-125; the word at
// 16 (the first relative score) is not one of the listed fields.
const ReportFieldDesc PlayerReportFields[kReportFieldCount] = {
    {0, K::U16, 0, 0, 1985},    {2, K::I16, 0, 0, 246},     {4, K::I16, 0, 0, 1983},
    {6, K::I16, 0, 0, 958},     {8, K::I16, 0, 0, 959},     {10, K::I16, 0, 0, 243},
    {12, K::I16, 0, 0, 1984},   {14, K::I8, 0, 0, 956},     {15, K::I8, 0, 0, 944},
    {24, K::I8, 0, 0, 946},     {25, K::I8, 0, 0, 953},     {26, K::I8, 0, 0, 940},
    {27, K::I8, 0, 0, 942},     {28, K::I8, 0, 0, 943},     {22, K::I16, 0, 0, 948},
    {29, K::U8, 0, 0, 1986},    {30, K::U8, 0, 0, 937},     {31, K::U8, 0, 0, 1429},
    {32, K::U8, 0, 0, 1428},    {33, K::U8, 0, 0, 1987},    {34, K::U8, 0, 0, 1988},
    {35, K::U8, 0, 0, 1989},    {43, K::U8, 0, 0, 922},     {44, K::U8, 0, 0, 923},
    {47, K::U8, 0, 0, 1990},    {51, K::U8, 0, 0, 631},     {52, K::U8, 0, 0, 64},
    {53, K::U8, 0, 0, 1991},    {54, K::U8, 0, 0, 914},     {57, K::U8, 0, 0, 945},
    {58, K::U8, 0, 0, 969},     {59, K::U8, 0, 0, 935},     {60, K::U8, 0, 0, 1992},
    {61, K::U8, 0, 0, 947},     {62, K::U8, 0, 0, 1993},    {63, K::U8, 0, 0, 966},
    {64, K::U8, 0, 0, 1994},    {66, K::U8, 0, 0, 941},     {67, K::U8, 0, 0, 1995},
    {68, K::U8, 0, 0, 1982},    {69, K::U8, 0, 0, 1981},    {72, K::U8, 0, 0, 1980},
    {75, K::U8, 0, 0, 1653},    {82, K::U8, 0, 0, 1407},    {83, K::U8, 0, 0, 1979},
    {84, K::U8, 0, 0, 1978},    {85, K::U8, 0, 0, 1977},    {86, K::U8, 0, 0, 1976},
    {87, K::U8, 0, 0, 1400},    {88, K::U8, 0, 0, 1405},    {89, K::U8, 0, 0, 1975},
    {90, K::U8, 0, 0, 1975},    {91, K::U8, 0, 0, 936},     {124, K::U8, 0, 0, 1408},
    {125, K::U8, 0, 0, 957},    {18, K::I16, 0, 0, 1973},   {20, K::I16, 0, 0, 1972},
    {126, K::I8, 0, 0, 72},     {127, K::I8, 0, 0, 1970},   {128, K::I8, 0, 0, 1971},
    {129, K::I8, 0, 0, 1969},   {130, K::U8, 0, 0, 963},    {131, K::I8, 0, 0, 1486},
    {132, K::Bit0, 0, 1, 1968}, {134, K::U8, 0, 0, 1967},   {135, K::Bits, 0, 2, 1966},
    {135, K::Bits, 2, 4, 1538}, {135, K::Bits, 6, 2, 1391}, {135, K::Bits, 8, 2, 1486},
};

// ---------------------------------------------------------------------------
// Heat maps

void ClearHeatMaps() { std::memset(MatchResult.heatMaps, 0, sizeof MatchResult.heatMaps); }

namespace {

// The cell of a point relative to the pitch's top-left corner; a point on
// or past the far edge falls in the last column or row.
struct HeatCell {
    int column, row;
};

HeatCell CellOf(int x, int y) {
    const int width = std::max<int>(PitchGeometry.Width(), 1);
    const int length = std::max<int>(PitchGeometry.Length(), 1);
    const int column = (x - PitchGeometry.left) * kHeatMapColumns / width;
    const int row = (y - PitchGeometry.top) * kHeatMapRows / length;
    return {std::clamp(column, 0, kHeatMapColumns - 1), std::clamp(row, 0, kHeatMapRows - 1)};
}

constexpr int16_t kNoClip = -1;

}  // namespace

// Counted in every match, shown or not (and the maps cleared as each match
// starts): the charts of a user's match played for its result only would
// otherwise show the maps of an earlier match.
void Match_CountHeatMaps() {
    if (MatchPhase != kPhaseOpenPlay) return;
    const bool mirrored = (Period & 1) != 0;
    for (int figure = 0; figure < kPlayerFigures; ++figure) {
        const MatchFigure& f = MatchFigures[figure];
        if (f.anim == kNoClip) continue;
        HeatCell cell = CellOf(f.x, f.y);
        if (mirrored) cell = {kHeatMapColumns - 1 - cell.column, kHeatMapRows - 1 - cell.row};
        ++MatchResult.heatMaps[figure][cell.row][cell.column];
    }
    const MatchFigure& ball = MatchFigures[kBallFigure];
    const HeatCell cell = CellOf(ball.x, ball.y);
    ++MatchResult.heatMaps[kBallHeatMap + (BallTeam & 1)][cell.row][cell.column];
}

// ---------------------------------------------------------------------------
// Player scores

namespace {

struct Weight {
    int counter;
    int weight;
};

// Events of a played match, each between -6 and +8.
constexpr Weight kPlayedWeights[] = {
    {kCountIntercepts, 2},
    {kCountDribblesPast, 2},
    {kCountShortPasses, -1},
    {kCountShortPassesGood, 2},
    {kCountLongPasses, -1},
    {kCountLongPassesGood, 3},
    {kCountCrosses, -1},
    {kCountCrossesGood, 3},
    {kCountShots, 1},
    {kCountShotsOnTarget, 2},
    {kCountHeadersAttacking, 1},
    {kCountHeadersOwnHalf, 1},
    {kCountGoodControls, 1},
    {kCountPoorControls, -1},
    {kCountTacklesWon, 3},
    {kCountTimesTackled, -1},
    {kCountFoulsCommitted, -2},
    {kCountInjuriesCaused, -4},
    {kCountHandballs, -4},
    {kCountChallengeFouls, -2},
    {kCountOffsides, -1},
    {kCountFreeKicksAtGoal, 1},
    {kCountPenaltiesScored, 2},
    {kCountHeaderGoals, 2},
    {kCountVolleyGoals, 2},
    {kCountCatches, 2},
    {kCountPunches, 1},
    {kCountParries, 2},
    {kCountTips, 3},
    {kCountPunchAways, 1},
    {kCountSaves, 4},
    {kCountSmothers, 3},
    {kCountGoalsConceded, -5},
    {kCountClearances, 1},
    {kCountPossessionLost, -1},
};
// A predicted result counts only what the prediction writes.
constexpr Weight kPredictedWeights[] = {
    {kCountShotsOnTarget, 2},
    {kCountSaves, 4},
    {kCountGoalsConceded, -5},
    {kCountTacklesWon, 3},
};

constexpr int kPlayedBase = 65;
constexpr int kPredictedBase = 45;
constexpr int kLeaderBonus = 5;
constexpr int kGoalWeight = 8;
constexpr int kAssistWeight = 6;
constexpr int kOwnGoalWeight = -6;
constexpr int kCautionWeight = -4;
constexpr int kSentOffWeight = -6;

int WeightedSum(const MatchFigure& f, const Weight* weights, int count) {
    int sum = 0;
    for (int i = 0; i < count; ++i) sum += weights[i].weight * f.counts[weights[i].counter];
    return sum;
}

int ScoreLimits(int score) {
    if (score < 10) return 10;
    if (score > 120) return 99;
    if (score > 100) return 98;
    if (score >= 98) return 97;
    return score;
}

bool TeamLeads(int team) {
    const int other = team ^ 1;
    if (Goals[team] != Goals[other]) return Goals[team] > Goals[other];
    return ShootOutGoals[team] > ShootOutGoals[other];
}

}  // namespace

int16_t MatchRatePlayer(int16_t final, int16_t figure) {
    if (figure < 0 || figure >= kPlayerFigures) return -1;
    const MatchFigure& f = MatchFigures[figure];
    const int8_t mark = MatchMark(f);
    if (mark < 0) return -1;
    if (mark == 0) return 0;
    int score = kGoalWeight * f.goals + kAssistWeight * f.assists + kCautionWeight * f.cautions +
                kSentOffWeight * (f.sentOff != 0);
    if (MatchResultPredicted) {
        score += kPredictedBase + WeightedSum(f, kPredictedWeights, int(std::size(kPredictedWeights)));
    } else {
        score += kPlayedBase + kOwnGoalWeight * f.ownGoals +
                 WeightedSum(f, kPlayedWeights, int(std::size(kPlayedWeights)));
    }
    if (final && TeamLeads(figure / kTeamFigures)) score += kLeaderBonus;
    return int16_t(ScoreLimits(score));
}

// ---------------------------------------------------------------------------
// Best player

namespace {

constexpr int kFirstEleven = 11;

bool HasBeenActive(const MatchFigure& f) { return f.firstActiveTick != 0 || f.lastActiveTick != 0; }

int TieBreakScore(const MatchFigure& f) {
    int score = f.goals >= 3 ? 100 * f.goals : 0;
    score += 50 * f.assists;
    score += 20 * (f.counts[kCountTacklesWon] + f.counts[kCountSaves] + f.counts[kCountIntercepts]);
    const int passes = f.counts[kCountShortPasses] + f.counts[kCountLongPasses];
    const int goodPasses = f.counts[kCountShortPassesGood] + f.counts[kCountLongPassesGood];
    if (passes > 0) score += 100 * goodPasses / passes;
    return score;
}

}  // namespace

void MatchChooseBestPlayer(int16_t* team, int16_t* slot) {
    int best = 0;
    int bestFigure = -1;
    bool tie = false;
    for (int t = 0; t < 2; ++t) {
        for (int entry = 0; entry < kFirstEleven; ++entry) {
            const int figure = t * kTeamFigures + entry;
            MatchFigure& f = MatchFigures[figure];
            if (!HasBeenActive(f)) continue;
            const int16_t mark = MatchRatePlayer(1, int16_t(figure));
            f.benchState = uint8_t(mark);
            if (mark > best) {
                best = mark;
                bestFigure = figure;
                tie = false;
            } else if (mark == best && mark > 0) {
                tie = true;
            }
        }
    }
    if (bestFigure < 0) {
        *team = -1;
        *slot = -1;
        return;
    }
    if (tie) {
        int bestTieBreak = -1;
        for (int figure = 0; figure < kPlayerFigures; ++figure) {
            if (figure % kTeamFigures >= kFirstEleven) continue;
            const MatchFigure& f = MatchFigures[figure];
            if (!HasBeenActive(f) || MatchMark(f) != best) continue;
            const int score = TieBreakScore(f);
            if (score > bestTieBreak) {
                bestTieBreak = score;
                bestFigure = figure;
            }
        }
        MatchFigures[bestFigure].benchState = uint8_t(best + 1);
    }
    *team = int16_t(bestFigure / kTeamFigures);
    *slot = int16_t(bestFigure % kTeamFigures);
}

// ---------------------------------------------------------------------------
// Team reports

namespace {

constexpr int kSentOffBookings = 3;

void CopyPlayerReport(int team, int entry, const uint8_t* statsRecord) {
    const int figure = team * kTeamFigures + entry;
    const MatchFigure& f = MatchFigures[figure];
    uint8_t* report = MatchPlayerReport(team, entry);
    StoreU16(report + kPlayerRating, uint16_t(MatchRatePlayer(MatchOver, int16_t(figure))));
    StoreU16(report + kPlayerGoals, f.goals);
    StoreU16(report + kPlayerAssists, f.assists);
    StoreU16(report + kPlayerCards,
             uint16_t(f.sentOff != 0 ? kSentOffBookings : std::min<int>(f.cautions, 2)));
    StoreU16(report + kPlayerWorkload, f.workload);
    StoreU16(report + kPlayerInjury, f.injury);
    std::memcpy(report + kPlayerStatsRecord, statsRecord, kPlayerStatsRecordSize);
}

int TeamOfGoalEvent(const uint8_t* event) {
    const int team = int16_t(LoadU16(event + kEventTeam)) & 1;
    return event[kEventKind] == kEventOwnGoal ? team ^ 1 : team;
}

bool IsGoalEvent(const uint8_t* event) {
    return event[kEventKind] == kEventGoal || event[kEventKind] == kEventOwnGoal;
}

// The squad entry of a team that holds the player, 31 when none does.
int SquadEntryOf(int team, uint16_t player) {
    for (int entry = 0; entry < kTeamReportPlayers; ++entry) {
        if (uint16_t(GameInfo.I16(PlayerInfoAt(team, entry) + kPlayerInfoNumber)) == player) return entry;
    }
    return 31;
}

void FillGoalList(int team) {
    uint8_t* report = MatchResult.teams[team].bytes;
    int count = 0;
    for (int i = 0; i < kMatchEvents && count < kReportGoalEntries; ++i) {
        const uint8_t* event = MatchResult.events[i];
        if (event[kEventKind] == kEventEnd) break;
        if (!IsGoalEvent(event) || TeamOfGoalEvent(event) != team) continue;
        const bool ownGoal = event[kEventKind] == kEventOwnGoal;
        const uint16_t scorer = LoadU16(event + kEventPlayer);
        const int scorerTeam = ownGoal ? team ^ 1 : team;
        const int period = std::clamp<int>(int16_t(LoadU16(event + kEventPeriod)), 0, 3);
        uint8_t* entry = report + kReportGoalList + kReportGoalEntrySize * count++;
        std::memset(entry, 0, kReportGoalEntrySize);
        StoreU16(entry + kGoalScorer, scorer);
        entry[kGoalMinute] = uint8_t(std::clamp<int>(int16_t(LoadU16(event + kEventMinute)), 0, 255));
        entry[kGoalPacked] = uint8_t(SquadEntryOf(scorerTeam, scorer) | period << 5 | (ownGoal ? 0x80 : 0));
        entry[kGoalAssist] = 0xFF;
    }
    StoreU16(report + kReportGoalCount, uint16_t(count));
}

void FillPairs(int team) {
    uint8_t* pairs = MatchResult.teams[team].bytes + kReportPairList;
    int at = 0;
    for (int entry = 0; entry < kTeamReportPlayers; ++entry) {
        const int16_t score = int16_t(LoadU16(MatchPlayerReport(team, entry) + kPlayerRating));
        if (score <= 0) continue;
        pairs[2 * at] = uint8_t(entry);
        pairs[2 * at + 1] = uint8_t(score);
        ++at;
    }
    for (; at < kReportPairs; ++at) {
        pairs[2 * at] = 0xFF;
        pairs[2 * at + 1] = 0;
    }
}

void FillCounters(int team) {
    uint16_t words[kReportCounterWords] = {};
    words[kCounterGoalsFor] = uint16_t(std::max<int>(Goals[team], 0));
    words[kCounterGoalsAgainst] = uint16_t(std::max<int>(Goals[team ^ 1], 0));
    words[kCounterShootOutGoals] = uint16_t(std::max<int>(ShootOutGoals[team], 0));
    words[kCounterShots] = MatchTeamTotals[team][kTotalShots];
    words[kCounterShotsOnTarget] = MatchTeamTotals[team][kTotalShotsOnTarget];
    words[kCounterCorners] = MatchTeamTotals[team][kTotalCorners];
    words[kCounterFouls] = MatchTeamTotals[team][kTotalFouls];
    words[kCounterOffsides] = MatchTeamTotals[team][kTotalOffsides];
    for (int entry = 0; entry < kTeamFigures; ++entry) {
        const MatchFigure& f = MatchFigures[team * kTeamFigures + entry];
        words[kCounterBookings] = uint16_t(words[kCounterBookings] + f.cautions);
        if (f.sentOff != 0) ++words[kCounterSendingsOff];
    }
    uint8_t* out = MatchResult.teams[team].bytes + kReportCounters;
    for (int i = 0; i < kReportCounterWords; ++i) StoreU16(out + 2 * i, words[i]);
}

}  // namespace

void MatchTallyPlayTotals() {
    const uint64_t possession = uint64_t(PossessionTicks[0]) + PossessionTicks[1];
    for (int team = 0; team < 2; ++team) {
        // On target: the shots a keeper saved and the goals.
        int onTarget = 0;
        for (int k = 0; k < kTeamFigures; ++k) {
            const MatchFigure& f = MatchFigures[team * kTeamFigures + k];
            onTarget += f.moreCounts[kMoreShotsSaved] + f.goals;
        }
        const uint16_t shots = TeamShotCount[team];
        MatchTeamTotals[team][kTotalShots] = shots;
        MatchTeamTotals[team][kTotalShotsOnTarget] = uint16_t(std::min<int>(onTarget, shots));
        MatchTeamTotals[team][kTotalPossessionPct] =
            possession == 0 ? 50
                            : uint16_t((uint64_t(PossessionTicks[team]) * 100 + possession / 2) / possession);
    }
}

void MatchCopyTeamStats() {
    uint8_t records[kTeamFigures][kPlayerStatsRecordSize];
    MatchTallyPlayTotals();
    for (int team = 0; team < 2; ++team) {
        uint8_t* report = MatchResult.teams[team].bytes;
        StoreU16(report + kReportGoals, uint16_t(Goals[team]));
        StoreU16(report + kReportShootOutGoals, uint16_t(ShootOutGoals[team]));
        for (int total = 0; total < kTeamTotals; ++total) {
            StoreU16(report + kReportTotals + 2 * total, MatchTeamTotals[team][total]);
        }
        MatchComputePlayerRatings(records, int16_t(team));
        for (int entry = 0; entry < kTeamReportPlayers; ++entry)
            CopyPlayerReport(team, entry, records[entry]);
        FillGoalList(team);
        FillPairs(team);
        FillCounters(team);
    }
}

TeamMatchCounters MatchGetTeamCounters() {
    TeamMatchCounters c{};
    for (int team = 0; team < 2; ++team) {
        // A side's own thirds run from its goal: its defensive third is the
        // band at the first team's goal only for the first team.
        for (int zone = 0; zone < kCounterZones; ++zone)
            c.zones[zone][team] = ThirdTicks[team][team == 0 ? zone : kCounterZones - 1 - zone];
        uint32_t onTarget = 0, ballsWon = 0;
        for (int k = 0; k < kTeamFigures; ++k) {
            const MatchFigure& f = MatchFigures[team * kTeamFigures + k];
            onTarget += f.moreCounts[kMoreShotsSaved] + f.goals;
            ballsWon += f.counts[kCountTacklesWon] + f.counts[kCountIntercepts];
        }
        c.rows[kCounterRowShots][team] = TeamShotCount[team];
        c.rows[kCounterRowOnTarget][team] = std::min<uint32_t>(onTarget, TeamShotCount[team]);
        c.rows[kCounterRowFreeKicks][team] = MatchTeamTotals[team ^ 1][kTotalFouls];
        c.rows[kCounterRowBallsWon][team] = ballsWon;
        c.rows[kCounterRowOffsides][team] = MatchTeamTotals[team][kTotalOffsides];
    }
    return c;
}
