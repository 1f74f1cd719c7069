#include "core/match/qpredict.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "core/base/bytes.h"
#include "core/base/debug.h"
#include "core/base/random.h"
#include "core/club/injuries.h"
#include "core/match/matchresult.h"
#include "core/match/matchsetup.h"
#include "core/match/qpredictreport.h"
#include "core/match/qpredictteam.h"
#include "core/query/forwarders.h"
#include "core/query/layerstate.h"
#include "core/query/leagueplaces.h"
#include "core/records/frontstate.h"
#include "core/season/competitioncodes.h"
#include "core/season/messages.h"
#include "core/season/messagetexts.h"

int16_t QPredictFinalMinute = 90;

namespace {

using namespace gameinfo;

constexpr int kNormalTime = 90;
constexpr int kExtraTimeLength = 30;
constexpr int kChanceDraws = 140;
constexpr int kMostGoalsWritten = 30;  // the fixture's score keeps 31 for "not played"
constexpr int kMostDismissals = 2;
constexpr int kMostInjuries = 2;

enum SetPiece : int { kNoSetPiece, kFreeKickPending, kPenaltyPending };

struct MatchFlags {
    bool userPlays, userIsB, report, winnerNeeded, extraRule, extraStarted, awayRule, awayAfterNormal,
        goldenRule, goldenScored, penaltiesRule, penaltySaved;
    int lastScorer;
    int injuries;
};

struct Match {
    MatchFlags flags;
    int16_t clubs[2];
    int16_t myClub;
    int16_t competition;
    int16_t messageId;
    int16_t eventNumber;
    int penaltyCount;
    int events[2];
    int32_t kickOffRatings[2][kQpRatings];
    int tiredMark;
    // The period being played.
    int periodEnd;
    int stepMinute;
    int eventMinute;
    int goldenMinute;
    int injuryDivisor[2];
    int foulInterval[2], dangerInterval[2], chanceInterval[2];
    int foulClock[2], dangerClock[2], chanceClock[2];
    bool firstStep;
    // The top-rated player who gets the + 1 (team x squad places + place);
    // -1 when nobody played.
    int bestPlayer;
};
Match M;

QPredictPlayer& P(int team, int player) { return QPredict.players[team][player]; }
QPredictTeam& T(int team) { return QPredict.teams[team]; }
int32_t R(int team, int k) { return QPredict.ratings[team][k]; }
bool OnPitch(const QPredictPlayer& p) { return p.id != 0 && p.outCode == kQpOnPitch; }

// A squad with nobody to draw cannot be played on: the program's fatal end
// (exit list run, message shown).
[[noreturn]] void PlayerCountError(int team, const char* routine) {
    FatalError("Player count error for team %d in %s()\n", T(team).clubId, routine);
}

// One weighted draw over the players on the pitch in line-up places
// 1..10.
template <typename Weight>
int16_t DrawPlayer(int team, bool skipSlotZero, const char* routine, Weight weight) {
    int32_t cumulative[kQpSquadPlaces] = {};
    int32_t total = 0;
    const int n = T(team).squadSize;
    for (int p = 0; p < n; ++p) {
        const QPredictPlayer& player = P(team, p);
        const bool eligible = OnPitch(player) && player.orderIndex >= 1 && player.orderIndex <= 10 &&
                              !(skipSlotZero && player.slot == 0);
        if (eligible) total += std::max<int32_t>(0, weight(p));
        cumulative[p] = total;
    }
    if (total <= 0) PlayerCountError(team, routine);
    const int32_t r = GameRandom() % total;
    for (int p = 0; p < n; ++p) {
        if (cumulative[p] > r) return int16_t(p);
    }
    return int16_t(n - 1);
}

int PositionClass(int column) { return column >= 0 && column <= 50 ? column / 10 : -1; }

void PostPenaltyMessage(uint32_t subject, int16_t a, int16_t b, int16_t c, int16_t d) {
    // A message id that names no message (the season passes none) posts
    // nothing: stored, it would be a message without a text.
    if (M.messageId < 0 || M.messageId >= kMessageTypeCount) return;
    AddMessage(M.myClub, -1, subject, 0xFFFFFFFF, a, b, -1, c, d, -1, -1, M.messageId, 1, 0);
}

// ---------------------------------------------------------------------------
// Report records and the event list

void AddReportRecord(int type, int team, uint32_t playerId) {
    if (!M.flags.report) return;
    const int o = 1 - team;
    std::array<uint32_t, kQpReportFieldCount> v{};
    v[kQpFieldEvent] = uint32_t(type);
    v[kQpFieldClub] = uint32_t(M.clubs[team]);
    v[kQpFieldGoals] = std::min<uint32_t>(T(team).goals, 15);
    v[kQpFieldMinute] = uint32_t(M.eventMinute + 1);
    v[kQpFieldEventNumber] = uint32_t(M.eventNumber);
    v[kQpFieldSide] = uint32_t(team);
    v[kQpFieldPlayer] = playerId;
    v[kQpFieldCupTie] = IsNationalTeamDay(M.competition);
    v[kQpFieldOtherClub] = uint32_t(M.clubs[o]);
    v[kQpFieldOtherGoals] = std::min<uint32_t>(T(o).goals, 15);
    v[kQpFieldCarried] = std::min<uint32_t>(T(team).carriedGoals, 31);
    v[kQpFieldOtherCarried] = std::min<uint32_t>(T(o).carriedGoals, 31);
    v[kQpFieldShootOut] = std::min<uint32_t>(T(team).shootOutGoals, 15);
    v[kQpFieldOtherShootOut] = std::min<uint32_t>(T(o).shootOutGoals, 15);
    v[kQpFieldCompetition] = uint32_t(M.competition) & 0xFF;
    v[kQpFieldFixtureA] = QpCurrentFixtureValues.a;
    v[kQpFieldFixtureB] = QpCurrentFixtureValues.b;
    v[kQpFieldFixtureC] = QpCurrentFixtureValues.c;
    v[kQpFieldFixtureFlag] = QpCurrentFixtureValues.flag != 0;
    v[kQpFieldAwayGoals] = M.flags.awayRule;
    QpAddReport(QpPackReport(v));
}

// ---------------------------------------------------------------------------
// Goals, misses and the score

int16_t Keeper(int team) {
    const int16_t k = T(team).goalkeeper;
    return k >= 0 && k < kQpSquadPlaces && OnPitch(P(team, k)) ? k : int16_t(-1);
}

void RecordGoal(int team, int goalKind, int shooter, int creator) {
    const int o = 1 - team;
    if (M.flags.extraStarted && M.flags.goldenRule) {
        M.flags.goldenScored = true;
        M.flags.penaltiesRule = false;
        M.goldenMinute = M.eventMinute;
    }
    M.flags.lastScorer = team;
    const int16_t keeper = Keeper(o);
    if (keeper >= 0) ++P(o, keeper).goalsConceded;
    const bool ownGoal = goalKind == kQpGoalOwnGoal;
    const int scorer = ownGoal ? QPredict2_FindOwnGoalScorer(o) : shooter;
    const bool assisted = goalKind == kQpGoalOpenPlay && creator >= 0;
    QPredictTeam& t = T(team);
    if (t.goalCount < kQpGoalListSize) {
        t.goalList[t.goalCount++] = {int8_t(scorer), int8_t(M.eventMinute), int8_t(goalKind),
                                     int8_t(assisted ? creator : -1), int8_t(M.eventNumber)};
    }
    if (t.goals < 255) ++t.goals;
    if (ownGoal) {
        ++P(o, scorer).ownGoals;
    } else {
        ++P(team, shooter).goals;
        if (assisted) ++P(team, creator).assists;
    }
    const int type = ownGoal                      ? kQpReportOwnGoal
                     : goalKind == kQpGoalPenalty ? kQpReportPenaltyGoal
                                                  : kQpReportGoal;
    AddReportRecord(type, team, ownGoal ? P(o, scorer).id : P(team, shooter).id);
    ++M.eventNumber;
}

void RecordMissedPenalty(int team, int taker, int result) {
    const int o = 1 - team;
    const bool saved = result == kQpChanceSaved;
    const int16_t keeper = Keeper(o);
    QPredictTeam& t = T(team);
    if (t.penaltyMissCount < kQpPenaltyMissListSize) {
        t.penaltyMisses[t.penaltyMissCount] = {int8_t(taker), int8_t(M.eventMinute),
                                               int8_t(saved ? keeper : -1), int8_t(M.eventNumber)};
    }
    if (t.penaltyMissCount < 255) ++t.penaltyMissCount;
    if (saved) {
        if (keeper >= 0 && keeper == T(o).captain) {
            QPredict2_MoveTeamMorale(o, 1);
        } else {
            for (int p = 0; p < T(o).squadSize; ++p) QPredict2_MovePlayerMorale(o, p, 3);
        }
    }
    QPredict2_MovePlayerMorale(team, taker, -3);
    AddReportRecord(kQpReportMissedPenalty, team, P(team, taker).id);
    ++M.eventNumber;
}

// Goals + carried goals, with away goals deciding a level tie.
int ScoreDifference(int team) {
    const int o = 1 - team;
    int diff = (T(team).goals + T(team).carriedGoals) - (T(o).goals + T(o).carriedGoals);
    if (diff == 0 && M.flags.awayRule) {
        const int away[2] = {T(0).carriedGoals, T(1).goals};
        diff = away[team] > away[o] ? 1 : away[team] < away[o] ? -1 : 0;
    }
    return diff;
}

int ScoreState(int team) { return QPredictScoreState(ScoreDifference(team), M.periodEnd - M.stepMinute); }

bool HasBenchPlayer(int team) {
    for (int p = 0; p < T(team).squadSize; ++p) {
        if (P(team, p).id != 0 && P(team, p).outCode == kQpOnBench) return true;
    }
    return false;
}

// ---------------------------------------------------------------------------
// Chances and events

void DrawChancesAndEvents(int length) {
    int chances[2];
    for (int t = 0; t < 2; ++t) {
        const int o = 1 - t;
        const int32_t total = std::max<int32_t>(1, R(o, kQpBallWinning) + R(t, kQpPossession));
        int won = 0;
        for (int i = 0; i < kChanceDraws; ++i) won += GameRandom() % total < R(t, kQpPossession);
        chances[t] = won * 4 * length / 3000;
    }
    for (int t = 0; t < 2; ++t) {
        const int o = 1 - t;
        const int32_t attack = (R(t, kQpShooting) + R(t, kQpHeading)) / 2;
        const int32_t total = std::max<int32_t>(1, R(o, kQpDefence) + attack);
        M.events[t] = 2;
        for (int i = 0; i < chances[t]; ++i) M.events[t] += GameRandom() % total < attack;
    }
    while (M.events[0] > 10 && M.events[1] > 10) {
        --M.events[0];
        --M.events[1];
    }
}

void UpdateTiredness(int mark) {
    for (int t = 0; t < 2; ++t) {
        for (int p = 0; p < T(t).squadSize; ++p) {
            QPredictPlayer& player = P(t, p);
            if (!OnPitch(player)) continue;
            const int n = mark - player.minuteOn;
            int hits = 0;
            for (int i = 0; i < n / 10 + 2; ++i) hits += GameRandom() % 125 < player.stamina;
            player.tiredness = int16_t(n / 15 + hits);
        }
    }
}

void LateSubstitution(int t) {
    const int scoreState = ScoreState(t);
    int16_t tired = -1;
    for (int p = 0; p < T(t).squadSize; ++p) {
        const QPredictPlayer& player = P(t, p);
        if (!OnPitch(player) || player.keeperBit) continue;
        if (tired < 0 || player.tiredness > P(t, tired).tiredness ||
            (player.tiredness == P(t, tired).tiredness && player.injuryPoints > P(t, tired).injuryPoints))
            tired = int16_t(p);
    }
    if (tired < 0) return;
    int16_t goingOff = -1;
    if (P(t, tired).tiredness > 5) {
        goingOff = tired;
    } else {
        int16_t weakest = -1;
        for (int p = 0; p < T(t).squadSize; ++p) {
            const QPredictPlayer& player = P(t, p);
            if (!OnPitch(player) || player.keeperBit) continue;
            if (weakest < 0 || player.rating < P(t, weakest).rating ||
                (player.rating == P(t, weakest).rating && player.tiredness > P(t, weakest).tiredness))
                weakest = int16_t(p);
        }
        if (weakest >= 0 && P(t, weakest).rating < 50) goingOff = weakest;
    }
    // Nobody leaves unless somebody comes on: with an empty bench the
    // change would only leave the side a man short.
    if (goingOff < 0 || !HasBenchPlayer(t)) return;
    QPredict2_TakeOff(t, goingOff, kQpReplaced, M.eventMinute);
    QPredict2_Substitute(t, goingOff, M.eventMinute, scoreState);
}

// Returns the set piece the foul gives the other side and the chances
// granted for it.
void DangerousFoul(int t, int* setPiece, int* granted) {
    const int o = 1 - t;
    const int16_t g = QPredict2_FindGuiltyPlayer(t);
    QPredictPlayer& guilty = P(t, g);
    const bool straightRed = GameRandom() % (250 - guilty.aggression) == 0 && M.eventMinute > 9;
    if (straightRed) {
        ++guilty.straightReds;
        if (T(t).dismissals < kMostDismissals) {
            QPredict2_GiveCard(t, g, 3);
            QPredict2_SendOffIfCarded(t, g, M.eventMinute);
        }
        *granted = 2;
        *setPiece = kFreeKickPending;
        return;
    }
    if (GameRandom() % (150 + 50 * M.penaltyCount) == 0) {
        const int16_t a = QPredict2_FindPlayerForScoringChance(o, -1, kQpChanceOpenPlay);
        const bool awarded =
            GameRandom() % 110 >= P(o, a).greed || GameRandom() % 120 < 20 + QPredict.refereeBytes[0];
        if (awarded) {
            ++M.penaltyCount;
            *setPiece = kPenaltyPending;
            if (M.flags.userPlays && M.clubs[t] == M.myClub) {
                PostPenaltyMessage(uint32_t(uint16_t(QPredict.refereeId)), 0, 1, 2, 1);
                PostPenaltyMessage(P(o, a).id, 0, 0, 5, 1);
            }
        }
    }
    ++guilty.dangerousFouls;
}

void FoulSuffered(int t) {
    const int o = 1 - t;
    const int16_t g = QPredict2_FindGuiltyPlayer(o);
    const int16_t v = QPredict2_FindPlayerForInjuryChance(t);
    QPredictPlayer& guilty = P(o, g);
    QPredictPlayer& victim = P(t, v);
    ++victim.foulsSuffered;
    const int aggression = guilty.aggression;
    if (GameRandom() % 200 < aggression) {
        ++guilty.bookingChanceFouls;
        int hits = 0;
        for (int i = 0; i < 5; ++i) {
            const bool hard = GameRandom() % 200 < aggression;
            const bool reckless = GameRandom() % 200 >= guilty.intelligence + 95;
            hits += hard && reckless;
        }
        victim.injuryPoints +=
            int16_t(hits > 2 ? aggression / 3 + GameRandom() % 30 : aggression / M.injuryDivisor[o]);
    } else {
        ++guilty.foulsCommitted;
        victim.injuryPoints += int16_t(aggression / 8);
    }
    if (GameRandom() % (2000 / (aggression + 20) + 5) == 0 &&
        (T(o).dismissals < kMostDismissals || guilty.cardState == 0)) {
        QPredict2_GiveCard(o, g, 1);
        QPredict2_SendOffIfCarded(o, g, M.eventMinute);
    }
    if (victim.injuryPoints >= victim.injuryThreshold && M.flags.injuries < kMostInjuries &&
        T(t).substitutions < kQpMaxSubstitutions && OnPitch(victim)) {
        victim.injuryType = int8_t(QPredictInjuryType(t, v));
        ++M.flags.injuries;
        victim.injuredFlag = 2;
        QPredict2_TakeOff(t, v, kQpInjuredOff, M.eventMinute);
        QPredict2_Substitute(t, v, M.eventMinute, 0);
        QPredict2_RepickRoles(t, v);
        QPredict2_RepickRoles(t, T(t).goalkeeper);
    }
    if (M.eventMinute < M.periodEnd) ++M.eventMinute;
}

// Returns false when a golden goal ended the period.
bool Chances(int t, int setPiece, int granted) {
    const int o = 1 - t;
    while (granted-- > 0) {
        int team = t, shooter = -1, kind = kQpChanceOpenPlay, creator = -1;
        if (setPiece != kNoSetPiece) {
            team = o;
            const bool penalty = setPiece == kPenaltyPending;
            // The taker is picked afresh when the role's holder has gone off
            // (one taken off in a late change still holds it), and when
            // nobody can take it a chance taker stands in.
            shooter = QPredictSetPieceTaker(o, penalty);
            kind = penalty ? kQpChancePenalty : kQpChanceFreeKick;
            if (shooter < 0) {
                shooter = QPredict2_FindPlayerForScoringChance(o, -1, kQpChanceOpenPlay);
                kind = kQpChanceOpenPlay;
            }
        } else {
            creator = QPredict2_FindScoringChanceCreator(t);
            const int cls = PositionClass(P(t, creator).slotPos[0]);
            kind = cls == 0 || cls == 4 ? kQpChanceHeader : kQpChanceOpenPlay;
            shooter = QPredict2_FindPlayerForScoringChance(t, creator, kind);
        }
        int goalKind = 0;
        const int result = QPredict2_TakeChance(team, shooter, kind, &goalKind);
        if (result == kQpChanceGoal) {
            RecordGoal(team, goalKind, shooter, creator);
            if (M.flags.goldenScored) return false;
            if (setPiece != kNoSetPiece) granted = 0;
        } else if (kind == kQpChancePenalty) {
            RecordMissedPenalty(team, shooter, result);
        }
        if (M.stepMinute - M.eventMinute > 1)
            M.eventMinute = M.eventMinute + 1 + GameRandom() % (M.stepMinute - M.eventMinute - 1);
        M.eventMinute = std::min(M.eventMinute, M.periodEnd);
    }
    return true;
}

// Returns false when a golden goal ended the period.
bool TeamTurn(int t) {
    int granted = 1;
    int setPiece = kNoSetPiece;
    if (M.stepMinute >= 60 && GameRandom() % 4 == 0 && T(t).substitutions < kQpMaxSubstitutions)
        LateSubstitution(t);
    if (M.stepMinute - M.dangerClock[t] >= M.dangerInterval[t]) {
        DangerousFoul(t, &setPiece, &granted);
        M.dangerClock[t] = M.stepMinute;
    }
    if (M.stepMinute - M.foulClock[t] >= M.foulInterval[t]) {
        FoulSuffered(t);
        M.foulClock[t] = M.stepMinute;
    }
    if (M.stepMinute - M.chanceClock[t] >= M.chanceInterval[t] || M.firstStep || setPiece != kNoSetPiece) {
        const bool goOn = Chances(t, setPiece, granted);
        M.chanceClock[t] = M.stepMinute;
        return goOn;
    }
    return true;
}

void PlayPeriod(int start, int length, bool normalTime) {
    M.periodEnd = start + length;
    int step = 90;
    for (int t = 0; t < 2; ++t) {
        const int o = 1 - t;
        const int d =
            std::clamp<int>(QPredict.meanAggression[o] + 50 - QPredict.meanThreshold[t], 5, length / 4);
        M.injuryDivisor[t] = d >= 3 * (length / 4) / 4 ? 6 : 5;
        M.foulInterval[t] = length / d;
        M.dangerInterval[t] = length / std::max<int>(5, QPredict.meanAggression[t] * length / 300);
        M.chanceInterval[t] = length / (M.events[t] + 1);
        step = std::min({step, M.foulInterval[t], M.dangerInterval[t], M.chanceInterval[t]});
        M.foulClock[t] = M.dangerClock[t] = M.chanceClock[t] = start;
    }
    step = std::clamp(step, 4, 90);
    M.stepMinute = start;
    M.firstStep = normalTime;
    for (;;) {
        M.stepMinute += step;
        if (M.stepMinute > M.periodEnd + step) break;
        M.eventMinute =
            M.stepMinute > M.periodEnd ? M.periodEnd : M.stepMinute - step + 1 + GameRandom() % (step - 2);
        if (M.stepMinute > M.tiredMark + 15) {
            M.tiredMark += 15;
            UpdateTiredness(M.tiredMark);
        }
        const int first = GameRandom() % 2;
        if (!TeamTurn(first) || !TeamTurn(1 - first)) return;
        M.firstStep = false;
    }
}

// ---------------------------------------------------------------------------
// Deciding a tie

void AggregateDecision(bool afterExtraTime) {
    const int aggregate0 = T(0).goals + T(0).carriedGoals;
    const int aggregate1 = T(1).goals + T(1).carriedGoals;
    if (aggregate0 != aggregate1) {
        M.flags.extraRule = false;
        M.flags.penaltiesRule = false;
        return;
    }
    if (afterExtraTime) {
        if (T(0).carriedGoals != T(1).goals) M.flags.penaltiesRule = false;
    } else if (M.flags.awayAfterNormal && T(0).carriedGoals != T(1).goals) {
        M.flags.extraRule = false;
        M.flags.penaltiesRule = false;
    }
}

void ShootOut() {
    for (int pair = 1; pair <= 5; ++pair) {
        for (int t = 0; t < 2; ++t) T(t).shootOutGoals += uint8_t(GameRandom() % 2);
        if (std::abs(T(0).shootOutGoals - T(1).shootOutGoals) > 6 - pair) break;
    }
    if (T(0).shootOutGoals == T(1).shootOutGoals) ++T(GameRandom() % 2).shootOutGoals;
}

// ---------------------------------------------------------------------------
// Match ratings

int WinningTeam() {
    if (T(0).goals != T(1).goals) return T(0).goals > T(1).goals ? 0 : 1;
    if (T(0).shootOutGoals != T(1).shootOutGoals) return T(0).shootOutGoals > T(1).shootOutGoals ? 0 : 1;
    return -1;
}

bool Played(const QPredictPlayer& p) { return p.id != 0 && p.minuteOff > p.minuteOn; }

int ZoneGroup(int zone) {
    if (zone == 0 || zone == 1) return 0;
    if (zone == 2 || zone == 3) return 1;
    if (zone == 4 || zone == 5) return 2;
    if (zone == kQpKeeperZone) return 3;
    return -1;
}

int32_t GroupValue(int team, int player, int group) {
    const int16_t* c = QPredict.contributions[team][player];
    switch (group) {
        case 0:
            return c[kQpDefence];
        case 1:
            return (c[kQpBallWinning] + c[kQpPossession]) / 2;
        case 2:
            return (c[kQpShooting] + c[kQpHeading]) / 2;
        default:
            return c[kQpGoalkeeping];
    }
}

void RateTeam(int t, int f, bool anyShots) {
    const int o = 1 - t;
    const QPredictTeam& team = T(t);
    int keeper = 65, defence = 75, midfield = 45, attack = 45;
    const int x = std::min(3 * team.shots, 30);
    defence += x / 5, midfield += x, attack += x / 2;
    const int y = std::min(2 * team.shotsOnTarget, 10);
    defence += y / 5, midfield += y / 2, attack += y;
    const int z = std::min(2 * team.goals, 10);
    defence += z / 4, midfield += z / 2, attack += z;
    const int w = std::max(-4 * T(o).goals, -20);
    defence += w, midfield += w / 2, attack += w / 5;
    if (anyShots) {
        const int32_t r0 = M.kickOffRatings[t][kQpDefence];
        const int32_t opposing = (M.kickOffRatings[o][kQpHeading] + M.kickOffRatings[o][kQpShooting]) / 2;
        int v = int((50 - r0 * 100 / std::max<int32_t>(1, opposing + r0)) * 20 / 100 + 8 - T(o).shots) * 2;
        v = std::min(v, 10);
        if (T(o).goals == 0) v += 5;
        keeper += v / 2, defence += v, midfield += v / 2, attack += v / 5;
    }
    const int bases[4] = {defence, midfield, attack, keeper};
    int32_t sums[4] = {}, counts[4] = {};
    for (int p = 0; p < team.squadSize; ++p) {
        const int group = ZoneGroup(P(t, p).finalZone);
        if (!Played(P(t, p)) || group < 0) continue;
        sums[group] += GroupValue(t, p, group);
        ++counts[group];
    }
    int32_t means[4];
    for (int g = 0; g < 4; ++g) {
        means[g] = counts[g] ? sums[g] / counts[g] : 0;
        if (means[g] < 1) means[g] = 50;
    }
    for (int p = 0; p < kQpSquadPlaces; ++p) {
        QPredictPlayer& player = P(t, p);
        if (p >= team.squadSize || !Played(player)) {
            player.rating = 0;
            continue;
        }
        const int group = ZoneGroup(player.finalZone);
        int rating;
        if (group < 0) {
            rating = 40 + GameRandom() % 55;
        } else {
            const int32_t q = std::max<int32_t>(20, GroupValue(t, p, group) * 100 / means[group]);
            rating = bases[group];
            if (group == 3) rating += 5 * player.saves - 4 * player.goalsConceded;
            rating += int(GameRandom() % (q / 10));
        }
        rating += 4 * player.shots + 5 * player.assists + 5 * player.goals + (player.goals >= 3 ? 5 : 0);
        if (player.cardState == 1) rating -= 2;
        if (player.cardState >= 2) rating -= 5;
        const int share = std::max(1, (player.minuteOff - player.minuteOn) * 100 / f);
        if (rating > 70 && share < 35)
            rating = rating * 80 / 100;
        else if (rating > 70 && share < 65)
            rating = rating * 90 / 100;
        player.rating = int16_t(rating);
    }
}

void RateAllPlayers(int f) {
    const bool anyShots = T(0).shots + T(1).shots > 0;
    for (int t = 0; t < 2; ++t) RateTeam(t, f, anyShots);
    int top = 0;
    for (int t = 0; t < 2; ++t)
        for (int p = 0; p < T(t).squadSize; ++p)
            if (Played(P(t, p))) top = std::max<int>(top, P(t, p).rating);
    for (int t = 0; t < 2; ++t) {
        for (int p = 0; p < T(t).squadSize; ++p) {
            QPredictPlayer& player = P(t, p);
            if (!Played(player)) continue;
            // A player who played is rated 10..98 before the top one's bonus:
            // the result block's range for one who played, which a low or
            // negative value (many goals conceded) would leave.
            player.rating = int16_t(std::clamp<int>(QPredictRescaleRating(player.rating, top), 10, 98));
        }
    }
    int16_t best = 0;
    for (int t = 0; t < 2; ++t)
        for (int p = 0; p < T(t).squadSize; ++p)
            if (Played(P(t, p))) best = std::max(best, P(t, p).rating);
    M.bestPlayer = -1;
    if (best == 0) return;
    int candidates[2 * kQpSquadPlaces], count = 0, winners[2 * kQpSquadPlaces], winnerCount = 0;
    const int winner = WinningTeam();
    for (int t = 0; t < 2; ++t) {
        for (int p = 0; p < T(t).squadSize; ++p) {
            if (!Played(P(t, p)) || P(t, p).rating != best) continue;
            candidates[count++] = t * kQpSquadPlaces + p;
            if (t == winner) winners[winnerCount++] = t * kQpSquadPlaces + p;
        }
    }
    int chosen;
    if (count == 1)
        chosen = candidates[0];
    else if (winnerCount == 1)
        chosen = winners[0];
    else if (winnerCount > 1)
        chosen = winners[GameRandom() % winnerCount];
    else
        chosen = candidates[GameRandom() % count];
    ++P(chosen / kQpSquadPlaces, chosen % kQpSquadPlaces).rating;
    M.bestPlayer = chosen;
}

// ---------------------------------------------------------------------------
// The result block

void WriteEvent(int* row, int type, int minute, int team, uint16_t playerId, int extra) {
    if (*row >= kMatchEvents) return;
    uint8_t* e = MatchResult.events[(*row)++];
    e[kEventKind] = uint8_t(type);
    recbits::StoreU16(e + kEventMinute, uint16_t(minute));
    recbits::StoreU16(e + kEventTeam, uint16_t(team));
    recbits::StoreU16(e + kEventPlayer, playerId);
    recbits::StoreU16(e + kEventValue2, uint16_t(int16_t(extra)));
}

void WriteResultBlock() {
    MatchResultBlock* block = GetMatchBlock();
    for (auto& event : block->events) event[kEventKind] = kEventEnd;
    for (int t = 0; t < 2; ++t) {
        const QPredictTeam& team = T(t);
        uint8_t* report = block->teams[t].bytes;
        std::memset(report, 0, kTeamReportSize);
        recbits::StoreU16(report + kReportGoals, uint16_t(std::min<int>(team.goals, kMostGoalsWritten)));
        recbits::StoreU16(report + kReportShootOutGoals, team.shootOutGoals);
        int fouls = 0;
        for (int p = 0; p < team.squadSize; ++p)
            fouls += P(t, p).foulsCommitted + P(t, p).bookingChanceFouls + P(t, p).dangerousFouls;
        recbits::StoreU16(report + kReportTotals + 2 * kTotalShots, uint16_t(team.shots));
        recbits::StoreU16(report + kReportTotals + 2 * kTotalShotsOnTarget, uint16_t(team.shotsOnTarget));
        recbits::StoreU16(report + kReportTotals + 2 * kTotalFouls, uint16_t(fouls));
        recbits::StoreU16(report + kReportTotals + 2 * kTotalPossessionPct, 50);
        // The player singled out by the ratings is his side's man of the
        // match, as the engine names one: the post-match jobs credit him.
        const bool bestHere = M.bestPlayer >= 0 && M.bestPlayer / kQpSquadPlaces == t;
        recbits::StoreU16(report + kReportManOfTheMatch,
                          bestHere ? P(t, M.bestPlayer % kQpSquadPlaces).id : uint16_t(0xFFFF));
        for (int p = 0; p < kTeamReportPlayers; ++p) {
            const QPredictPlayer& player = P(t, p);
            uint8_t* entry = report + kReportPlayers + p * kPlayerReportSize;
            recbits::StoreU16(entry + kPlayerRating, uint16_t(player.rating));
            recbits::StoreU16(entry + kPlayerGoals, player.goals);
            recbits::StoreU16(entry + kPlayerCards, player.cardState);
            recbits::StoreU16(entry + kPlayerWorkload, uint16_t(player.tiredness / 3));
            recbits::StoreU16(entry + kPlayerInjury, uint16_t(int16_t(player.injuryType)));
            recbits::StoreU16(entry + kPlayerNumber, player.id);
            if (player.id == 0) continue;
            recbits::StoreU16(entry + kPlayerAssists, player.assists);
            entry[kStatsAssists] = uint8_t(std::min<int>(player.assists, 127));
            recbits::StoreU16(entry + kStatsValueW, uint16_t(player.rating));
            entry[kStatsGoals] = uint8_t(std::min<int>(player.goals, 127));
            entry[kStatsEndMinute] = Played(player) ? player.minuteOff : 0;
            entry[kStatsStartMinute] = Played(player) ? player.minuteOn : 0;
            // The injury type (-1 none): above 0 for a player hurt here.
            entry[kStatsInjured] = uint8_t(player.injuryType);
            const bool inGoal = Played(player) && player.finalZone == kQpKeeperZone;
            recbits::StoreU16(entry + kStatsKeeperFlags, inGoal ? 1 : 0);
            entry[kStatsOutfieldFlags] = Played(player) && !inGoal ? 1 : 0;
            recbits::StoreU16(entry + kStatsPackedWord,
                              uint16_t(player.cardState << 6 | (player.roleBarred & 3) << 8));
        }
    }
    int row = 0;
    for (int t = 0; t < 2; ++t) {
        const QPredictTeam& team = T(t);
        const int o = 1 - t;
        for (int g = 0; g < kQpGoalListSize && team.goalList[g].scorer >= 0; ++g) {
            const QpGoalEntry& goal = team.goalList[g];
            const bool ownGoal = goal.kind == kQpGoalOwnGoal;
            const int extra = ownGoal ? 7 : goal.kind == kQpGoalPenalty ? 5 : -1;
            WriteEvent(&row, kEventGoal, goal.minute, t,
                       ownGoal ? P(o, goal.scorer).id : P(t, goal.scorer).id, extra);
        }
        for (int d = 0; d < kQpDismissalListSize && team.dismissalList[d].player >= 0; ++d)
            WriteEvent(&row, kEventSendingOff, team.dismissalList[d].minute, t,
                       P(t, team.dismissalList[d].player).id, -1);
        // Every booked player at the minute of his first caution (a second
        // one shows as his sending-off).
        for (int p = 0; p < team.squadSize; ++p) {
            const QPredictPlayer& player = P(t, p);
            if (player.firstBookingMinute != kQpNotBooked)
                WriteEvent(&row, kEventBooking, player.firstBookingMinute, t, player.id, -1);
        }
        for (int m = 0; m < kQpPenaltyMissListSize && team.penaltyMisses[m].taker >= 0; ++m)
            WriteEvent(&row, kEventPenaltyMissed, team.penaltyMisses[m].minute, t,
                       P(t, team.penaltyMisses[m].taker).id, -1);
    }
}

void FinishPlayers(int f) {
    for (int t = 0; t < 2; ++t) {
        QPredictTeam& team = T(t);
        team.booked = team.sentOff = team.injured = 0;
        for (int p = 0; p < team.squadSize; ++p) {
            QPredictPlayer& player = P(t, p);
            if (OnPitch(player)) {
                player.minuteOff = uint8_t(f);
                player.finalZone = QPredictPlayerZone(t, p);
            }
            team.booked += player.cardState == 1 || player.cardState == 2;
            team.sentOff += player.cardState == 3;
            team.injured += player.injuredFlag != 0;
        }
    }
}

}  // namespace

// ---------------------------------------------------------------------------

int16_t QPredict2_FindGuiltyPlayer(int team) {
    return DrawPlayer(team, false, "QPredict2_FindGuiltyPlayer",
                      [team](int p) { return P(team, p).aggression + 1; });
}

int16_t QPredict2_FindPlayerForInjuryChance(int team) {
    return DrawPlayer(team, false, "QPredict2_FindPlayerForInjuryChance", [team](int p) {
        const int threshold = P(team, p).injuryThreshold;
        return QPredictPlayerZone(team, p) == kQpKeeperZone ? threshold / 5 + 1 : threshold + 1;
    });
}

int16_t QPredict2_FindScoringChanceCreator(int team) {
    static constexpr int kWeights[6] = {4, 4, 8, 32, 24, 16};
    return DrawPlayer(team, true, "QPredict2_FindScoringChanceCreator", [team](int p) {
        const int zone = QPredictPlayerZone(team, p);
        return zone >= 0 && zone < 6 ? kWeights[zone] : 1;
    });
}

int16_t QPredict2_FindPlayerForScoringChance(int team, int creator, int kind) {
    static constexpr int kZoneFactors[6] = {6, 8, 10, 12, 14, 14};
    return DrawPlayer(team, true, "QPredict2_FindPlayerForScoringChance", [team, creator, kind](int p) {
        if (p == creator) return 0;
        const int zone = QPredictPlayerZone(team, p);
        if (zone < 0 || zone >= 6) return 1;
        int base = 2;
        if (kind == kQpChanceOpenPlay) {
            const int cls = PositionClass(P(team, p).slotPos[2]);
            base = cls == 0 || cls == 4 ? 1 : 3;
        }
        return base * kZoneFactors[zone];
    });
}

int16_t QPredict2_FindOwnGoalScorer(int team) {
    static constexpr int kWeights[6] = {32, 32, 8, 8, 2, 2};
    return DrawPlayer(team, true, "QPredict2_FindOwnGoalScorer", [team](int p) {
        const int zone = QPredictPlayerZone(team, p);
        return zone >= 0 && zone < 6 ? kWeights[zone] : 1;
    });
}

int16_t QPredict2_TakeChance(int team, int shooter, int kind, int* goalKind) {
    const int o = 1 - team;
    QPredictTeam& t = T(team);
    QPredictPlayer& s = P(team, shooter);
    const int16_t keeper = Keeper(o);
    ++t.shots;
    int32_t a = QPredictContribution(team, shooter, kQpShooting), b = 0;
    bool onTarget;
    switch (kind) {
        case kQpChanceFreeKick:
            onTarget = GameRandom() % 150 < s.deadball + 30;
            break;
        case kQpChanceOpenPlay:
            b = a / 5;
            onTarget = GameRandom() % 150 < s.shooting + 20;
            break;
        case kQpChanceHeader:
            a = QPredictContribution(team, shooter, kQpHeading);
            b = a / 4;
            onTarget = GameRandom() % 150 < s.heading + 30;
            break;
        case kQpChancePenalty:
            a = QPredictPenaltyRating(team, shooter);
            b = 4000;
            if (keeper >= 0) ++P(o, keeper).penaltiesFaced;
            onTarget = false;
            for (int i = 0; i < 5 && !onTarget; ++i) {
                const bool dead = GameRandom() % 150 < s.deadball + 45;
                const bool shot = GameRandom() % 150 < s.shooting + 45;
                const bool calm = GameRandom() % 150 < s.composure + 45;
                onTarget = dead && shot && calm;
            }
            break;
        default:
            onTarget = GameRandom() % 150 < s.shooting + 30;
            break;
    }
    if (!onTarget) {
        ++s.shots;
        if (kind == kQpChanceHeader && GameRandom() % 250 == 0) {
            *goalKind = kQpGoalOwnGoal;
            return kQpChanceGoal;
        }
        return kQpChanceMissed;
    }
    ++t.shotsOnTarget;
    ++s.shots;
    const int32_t k = keeper >= 0 ? QPredictContribution(o, keeper, kQpGoalkeeping) : 0;
    if (a + b + k < 1) return kQpChanceMissed;
    int won = 0;
    for (int duel = 0; duel < 7; ++duel) won += GameRandom() % (a + b + k) < a + b;
    if (won > 7 - won) {
        *goalKind = kind == kQpChancePenalty    ? kQpGoalPenalty
                    : kind == kQpChanceFreeKick ? kQpGoalFreeKick
                                                : kQpGoalOpenPlay;
        return kQpChanceGoal;
    }
    if (keeper >= 0) {
        ++P(o, keeper).saves;
        if (kind == kQpChancePenalty) ++P(o, keeper).penaltySaves;
    }
    if (kind == kQpChancePenalty) M.flags.penaltySaved = true;
    return kQpChanceSaved;
}

void QPredict2_GiveCard(int team, int player, int card) {
    QPredictPlayer& p = P(team, player);
    if (card == 1) {
        if (p.cardState == 0) p.firstBookingMinute = uint8_t(M.eventMinute);
        if (p.cardState < 3) ++p.cardState;
    } else if (card == 3) {
        p.cardState = 3;
    }
}

int16_t QPredict2_SendOffIfCarded(int team, int player, int minute) {
    QPredictPlayer& p = P(team, player);
    if (p.cardState != 2 && p.cardState != 3) return p.cardState;
    if (p.outCode == kQpSentOff) return p.cardState;
    const bool wasKeeper = player == T(team).goalkeeper;
    QPredict2_TakeOff(team, player, kQpSentOff, minute);
    QPredictTeam& t = T(team);
    if (t.dismissals < kQpDismissalListSize)
        t.dismissalList[t.dismissals] = {int8_t(player), int8_t(std::max(1, minute)), int8_t(M.eventNumber)};
    if (wasKeeper) QPredictReplaceGoalkeeper(team, minute);
    QPredict2_RepickRoles(team, player);
    if (!wasKeeper && t.onPitch > 0) --t.onPitch;
    ++t.dismissals;
    QPredict2_MoveTeamMorale(team, -1);
    AddReportRecord(kQpReportDismissal, team, p.id);
    ++M.eventNumber;
    return p.cardState;
}

int16_t QPredictInjuryType(int team, int player) {
    static constexpr int8_t kTableA[6][4] = {{31, 32, 32, 21}, {23, 35, 22, 34}, {24, 36, 24, 36},
                                             {19, 20, 19, 20}, {12, 12, 12, 12}, {27, 18, 27, 18}};
    static constexpr int8_t kTableB[6][3] = {{15, 37, 26}, {33, 30, 16}, {25, 14, 11},
                                             {17, 17, 13}, {10, 9, 9},   {29, 28, 28}};
    const int n = std::clamp<int>(P(team, player).foulsSuffered, 1, 6) - 1;
    int type = GameRandom() % 15 == 0 ? kTableA[n][GameRandom() % 4] : kTableB[n][GameRandom() % 3];
    if (InjurySeverity(type) > 5) {
        QPredictTeam& t = T(team);
        if (t.seriousInjuries + 1 > t.seriousInjuryLimit) {
            type = QPredict.mildInjuryCount > 0
                       ? QPredict.mildInjuries[GameRandom() % QPredict.mildInjuryCount]
                       : 13;
        } else {
            ++t.seriousInjuries;
        }
    }
    return int16_t(type);
}

int16_t QPredictSetPieceTaker(int team, bool penalty) {
    int16_t& role = penalty ? T(team).penaltyTaker : T(team).freeKickTaker;
    if (role < 0 || role >= T(team).squadSize || !OnPitch(P(team, role)))
        role = penalty ? QPredictPickPenaltyTaker(team) : QPredictPickFreeKickTaker(team);
    return role;
}

int QPredictScoreState(int difference, int minutesLeft) {
    if (difference == 0) return 0;
    if (minutesLeft / std::abs(difference) > 30) return 0;
    return difference > 0 ? 2 : 1;
}

int16_t QPredictRescaleRating(int rating, int top) {
    if (top >= 96 && rating > 60) return int16_t((rating - 60) * 38 / (top - 60) + 60);
    if (top >= 41 && top <= 84 && rating > 40) return int16_t((rating - 40) * 58 / (top - 40) + 40);
    return int16_t(rating);
}

void QPredict2(int16_t clubA, int16_t clubB, int16_t competition, int16_t extraTime, int16_t goldenGoal,
               int16_t penalties, int16_t report, int16_t messageId) {
    const EnterGameInfo* block = GetMatchSetupBlock();
    M = Match{};
    M.clubs[0] = clubA;
    M.clubs[1] = clubB;
    M.competition = competition;
    M.messageId = messageId;
    M.myClub = HVW_GetMyClub();
    MatchFlags& f = M.flags;
    f.userPlays = (M.myClub == clubA || M.myClub == clubB) && !IsNationalTeamDay(competition);
    f.userIsB = M.myClub == clubB;
    f.report = report != 0;
    f.extraRule = extraTime != 0;
    f.goldenRule = goldenGoal != 0;
    f.penaltiesRule = penalties != 0;
    f.winnerNeeded = f.extraRule || f.goldenRule || f.penaltiesRule;
    f.awayAfterNormal = !(HVW_GetViewedCountry() == 0 && HVW_GetCupIndexForText(competition) == 1);
    f.awayRule = MatchRuleSet(block, kAwayGoalsRule);
    f.lastScorer = -1;
    if (f.report) ++QpReportedMatches;

    QPredictSetUpSquads(block, clubA, clubB);
    QPredictComputeRatings();
    std::memcpy(M.kickOffRatings, QPredict.ratings, sizeof(M.kickOffRatings));
    DrawChancesAndEvents(kNormalTime);
    PlayPeriod(0, kNormalTime, true);

    if (f.winnerNeeded && !f.goldenScored) {
        if (f.awayRule)
            AggregateDecision(false);
        else if (T(0).goals != T(1).goals)
            f.extraRule = f.penaltiesRule = false;
        if (f.extraRule) {
            f.extraStarted = true;
            DrawChancesAndEvents(kExtraTimeLength);
            PlayPeriod(kNormalTime, kExtraTimeLength, false);
            if (f.awayRule)
                AggregateDecision(true);
            else if (T(0).goals + T(0).carriedGoals != T(1).goals + T(1).carriedGoals)
                f.penaltiesRule = false;
        }
    }
    if (f.winnerNeeded && f.penaltiesRule && !f.goldenScored) ShootOut();

    const int finalMinute = f.goldenScored   ? M.goldenMinute
                            : f.extraStarted ? kNormalTime + kExtraTimeLength
                                             : kNormalTime;
    QPredictFinalMinute = int16_t(std::max(1, finalMinute));
    FinishPlayers(QPredictFinalMinute);
    QPredictComputeRatings();
    RateAllPlayers(QPredictFinalMinute);
    WriteResultBlock();
    if (M.myClub >= 0) SelectedClub = uint16_t(M.myClub);
}
