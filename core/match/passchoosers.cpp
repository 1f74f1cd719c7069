#include <algorithm>
#include <cstdlib>

#include "core/base/random.h"
#include "core/match/actionmachine.h"
#include "core/match/actions.h"
#include "core/match/geometry.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchrules.h"
#include "core/match/matchstate.h"
#include "core/match/passing.h"
#include "core/match/phases.h"
#include "core/match/ranking.h"

namespace {

enum class Lane { kShort, kLong, kFar, kVeryLong, kThrough, kNone, kDirect };

// One member of the chooser family.
struct Chooser {
    bool referenceIsFacing;  // else the direction to goal
    int rangeBase;           // plus the skill part below
    int rangePerSkill;       // x Vision (x Heading for the headed pass)
    int minimum;
    int maxAction;    // actions 0..maxAction accepted (and 152+ for the short pass)
    bool keeperDraw;  // the own keeper may be chosen, 1 in 10
    Lane lane;
    int turnLimit;  // 0: none
    bool backPassFlag;
    int greedBound;  // 0: none
    bool spaceTarget;
    bool preferred;
    bool adjustScore;  // the third instruction byte doubles, the first halves
    bool halving;
    int acceptExtra;  // the safe pass: s below 32
};

constexpr int kOpponentsChecked = 11;
constexpr int kBackPassReach = 192;
constexpr int kBackPassTurn = 112;

int TeamOf(int figure) { return figure / kTeamFigures; }

bool IsOwnKeeper(int16_t figure) { return MatchLineUp[TeamOf(figure)][0] == figure; }

bool OnPitch(int16_t figure) {
    return figure >= 0 && figure < kPlayerFigures && MatchFigures[figure].off == 0;
}

int Turn(const MatchFigure& f) { return Match_FoldedDifference(f.ballDirection & 255, f.facing & 255); }

bool BeyondLine(const MatchFigure& m, int team) {
    const int16_t line = MatchLastDefenderY[team ^ 1];
    return team == AttackDirection ? m.y > line : m.y < line;
}

// The preferred receiver named by the passer's tactics, slots 1..15 only.
int16_t PreferredReceiver(const MatchFigure& f, int team) {
    const int slot = f.tacticBytes[1];
    if (slot < 1 || slot > 15) return -1;
    return MatchLineUp[team][slot];
}

// The point of the passer's run-target cell; false when he has none.
bool RunTargetPoint(const MatchFigure& f, int& x, int& y) {
    const int column = int8_t(f.tacticBytes[5]);
    if (column < 0) return false;
    int along = column * (1920 / 18);
    int across = int(f.tacticBytes[4]) * (1280 / 15);
    if (CurrentTeam != AttackDirection) {
        along = 1920 - along;
        across = 1280 - across;
    }
    y = along + kGoalLineLow;
    x = across + 158;
    SpaceTargetX = int16_t(x);
    SpaceTargetY = int16_t(y);
    return true;
}

// The point `length` ahead of the figure along the direction.
void Ahead(const MatchFigure& m, int direction, int length, int& x, int& y) {
    Match_VectorFromDirection(direction & 255, length, 256);
    x = m.x + MatchVecX;
    y = m.y - MatchVecNY;
}

// Whether an opponent stands in the way of a pass in direction d.
bool Blocked(int d, int widthBase, const MatchFigure& m, int team, Lane lane) {
    const int mTurn = 2 * Turn(m);
    for (int k = 0; k < kOpponentsChecked; ++k) {
        const int16_t q = BallRanking[team ^ 1][k];
        if (!OnPitch(q)) continue;
        const MatchFigure& o = MatchFigures[q];
        const int oTurn = 2 * Turn(o);
        bool counts = false;
        switch (lane) {
            case Lane::kShort:
                counts = o.ballDistance - 128 + oTurn <= m.ballDistance + mTurn;
                break;
            case Lane::kFar:
                counts = std::abs((m.ballDistance + mTurn) - (o.ballDistance + oTurn)) >= 200;
                break;
            case Lane::kLong:
                counts = o.ballDistance <= m.ballDistance + 280;
                break;
            default:
                counts = std::abs(m.ballDistance + 280 - o.ballDistance) >= 200;
                break;
        }
        if (!counts) continue;
        const int w = std::max(0, widthBase - o.ballDistance / 10);
        const int a = (o.ballDirection + 128) & 255;
        const int apart = std::abs(d - a);
        if (apart < w + 16 || apart > 256 - (w + 16)) return true;
    }
    return false;
}

// Offside care: the draw first, then the passer's reading of the receiver.
bool OffsideCare(int16_t passer, const MatchFigure& m, int skill, bool lineToo) {
    const int r = GameRandom() % 50;
    if (r >= MatchSlotRoleChoice(passer, int16_t(skill))) return false;
    return m.offsideMark != 0 || (lineToo && BeyondLine(m, TeamOf(passer)));
}

int LaneCheck(Lane lane, int16_t p, int16_t r) {
    const MatchFigure& f = MatchFigures[p];
    const MatchFigure& m = MatchFigures[r];
    const int team = TeamOf(p);
    switch (lane) {
        case Lane::kShort: {
            const int d = Match_DirectionSector(f.x, f.y, m.x, m.y, 256);
            if (OffsideCare(p, m, f.intelligence, true)) return -1;
            return Blocked(d, 24, m, team, lane) ? -1 : d;
        }
        case Lane::kFar: {
            const int d = Match_DirectionSector(f.x, f.y, m.x, m.y, 256);
            Match_GoalDirection(r, 2, CurrentTeam);
            if (OffsideCare(p, m, f.composure, false)) return -1;
            return Blocked(d, 32, m, team, lane) ? -1 : d;
        }
        case Lane::kLong:
        case Lane::kVeryLong: {
            int x = 0, y = 0;
            Ahead(m, Match_GoalDirection(r, 2, CurrentTeam), 140, x, y);
            const int d = Match_DirectionSector(f.x, f.y, x, y, 256);
            if (OffsideCare(p, m, f.composure, false)) return -1;
            return Blocked(d, 32, m, team, lane) ? -1 : d;
        }
        case Lane::kThrough: {
            const int d = Match_DirectionSector(f.x, f.y, m.x, m.y, 256);
            if (GameRandom() % 50 < f.composure && m.offsideMark != 0) return -1;
            const int goalLine = Match_AttackedGoalLine(team);
            const int16_t line = MatchLastDefenderY[team ^ 1];
            if (std::abs(goalLine - m.y) <= 480 || std::abs(line - m.y) >= 160) return -1;
            return d;
        }
        case Lane::kDirect:
            return Match_DirectionSector(f.x, f.y, m.x, m.y, 256);
        default:
            return 0;
    }
}

bool ActionAccepted(const Chooser& c, uint16_t action) {
    if (action <= c.maxAction) return true;
    return c.keeperDraw && action >= kActionKeeperReady;
}

int16_t Choose(const Chooser& c, int16_t figure, int mode) {
    if (!Match_IsPlayerFigure(figure)) return kNoPassReceiver;
    const MatchFigure& f = MatchFigures[figure];
    const int team = TeamOf(figure);
    const int reference =
        c.referenceIsFacing ? (f.facing & 255) : Match_GoalDirection(figure, 1, CurrentTeam);
    int best = 256;
    int16_t result = kNoPassReceiver;
    const int skill = c.lane == Lane::kDirect && !c.spaceTarget ? f.heading : f.vision;
    int range = c.rangeBase + c.rangePerSkill * skill;
    int minimum = c.minimum;
    if (c.keeperDraw && mode != 1) {  // the short pass away from mode 1
        range /= 2;
        minimum = 120;
    }
    const int16_t preferred = c.preferred ? PreferredReceiver(f, team) : -1;
    if (c.spaceTarget) {
        int x = 0, y = 0;
        if (RunTargetPoint(f, x, y)) {
            const int16_t n = MatchFindNearestPlayer(int16_t(x), int16_t(y), -1);
            const int along = std::abs(x - MatchCurX) + std::abs(y - MatchCurY);
            if (n != 0 && Match_ApproxDistance(x, y, MatchFigures[n].x, MatchFigures[n].y) < 320 &&
                along > 480 && along < 960 &&
                Match_FoldedDifference(reference, Match_DirectionSector(MatchCurX, MatchCurY, x, y, 256)) <
                    42) {
                result = kPassIntoSpace;
                best = 0;
            }
        }
    }
    for (int k = 1; k <= 10; ++k) {
        const int16_t m = BallRanking[team][k];
        if (!Match_IsPlayerFigure(m) || TeamOf(m) != team || m == figure) continue;
        const MatchFigure& mate = MatchFigures[m];
        if (IsOwnKeeper(m)) {
            if (!c.keeperDraw || mate.ballDistance > range) continue;
            if (GameRandom() % 10 != 0) continue;
        }
        if (mate.ballDistance > range || mate.ballDistance < minimum) continue;
        if (mate.off != 0 || !ActionAccepted(c, mate.action)) continue;
        const int d = LaneCheck(c.lane, figure, m);
        if (d < 0) continue;
        const int t = Match_FoldedDifference(d, f.facing & 255);
        const bool backPass = c.backPassFlag && mate.ballDistance < kBackPassReach && t > kBackPassTurn;
        if (c.turnLimit > 0 && t > c.turnLimit && !backPass) continue;
        int s = Match_FoldedDifference(d, reference);
        if (c.adjustScore && c.spaceTarget && f.tacticBytes[3] == 1 && GoalDistanceScratch < 1000) s *= 2;
        if (c.adjustScore && c.spaceTarget && c.halving && f.tacticBytes[0] == 3) s /= 2;
        if (c.lane == Lane::kDirect) {
            if (s - 32 > f.agility) continue;
        } else if (s - 32 > f.passing + 20 && !backPass) {
            continue;
        }
        const bool greedBound = c.greedBound > 0 && !(c.keeperDraw && mode == 1);
        if (greedBound && !(s < c.greedBound - f.greed / 4) && !backPass) continue;
        if (c.acceptExtra > 0 && s >= c.acceptExtra && !backPass) continue;
        if (m == preferred) {
            result = m;
            best = 0;
        } else if (s < best) {
            result = m;
            best = s;
        }
    }
    if (c.lane == Lane::kFar && result >= 0 && best > 80) return kNoPassReceiver;
    return result;
}

// reference, range base and per skill, minimum, actions, keeper, lane, turn,
// back flag, greed, space target, preferred, adjust, halving, safe bound.
constexpr Chooser kShort{true, 150, 8, 90, 4, true, Lane::kShort, 70, true, 72, true, true, true, true, 0};
constexpr Chooser kSafe{false, 150, 8, 120, 4, false, Lane::kShort, 70, true, 0, true, true, true, true, 32};
constexpr Chooser kLong{false, 400, 8, 240, 16, false, Lane::kLong, 70, false, 72, true, true, true, true, 0};
// Mode 1 of the long pass looks at no lane: every team-mate's pass
// direction is 0, and the acceptance is the family's Passing + 20.
constexpr Chooser kLongNoLane{false, 400,  8,    240,  16,   false, Lane::kNone, 70, false,
                              72,    true, true, true, true, 0};
constexpr Chooser kFar{false, 500, 8, 500, 16, false, Lane::kFar, 70, false, 64, true, true, true, true, 0};
constexpr Chooser kVeryLong{false, 600,  8,    600,  16,   false, Lane::kVeryLong, 70, false,
                            64,    true, true, true, true, 0};
constexpr Chooser kThrough{false, 600,  8,    120,  4,     false, Lane::kThrough, 70, true,
                           0,     true, true, true, false, 0};
constexpr Chooser kQuick{true, 250,   0,     90,    4,     false, Lane::kShort, 48, true,
                         0,    false, false, false, false, 0};
constexpr Chooser kHeaded{false, 150,   2,    90,    4,     false, Lane::kDirect, 0, false,
                          0,     false, true, false, false, 0};

}  // namespace

int16_t Match_ChooseShortPass(int16_t figure, int16_t mode) { return Choose(kShort, figure, mode); }
int16_t Match_ChooseSafePass(int16_t figure) { return Choose(kSafe, figure, 1); }
int16_t Match_ChooseLongPass(int16_t figure, int16_t mode) {
    return Choose(mode == 1 ? kLongNoLane : kLong, figure, mode);
}
int16_t Match_ChooseFarPass(int16_t figure) { return Choose(kFar, figure, 0); }
int16_t Match_ChooseVeryLongPass(int16_t figure) { return Choose(kVeryLong, figure, 0); }
int16_t Match_ChooseThroughPass(int16_t figure) { return Choose(kThrough, figure, 0); }
int16_t Match_ChooseQuickPass(int16_t figure) { return Choose(kQuick, figure, 0); }
int16_t Match_ChooseHeadedPass(int16_t figure) { return Choose(kHeaded, figure, 0); }

int16_t Match_ChooseCross(int16_t figure) {
    if (!Match_IsPlayerFigure(figure)) return kNoPassReceiver;
    MatchFigure& f = MatchFigures[figure];
    const int team = TeamOf(figure);
    const int reference = Match_GoalDirection(figure, 1, CurrentTeam);
    int depth = 480 - 2 * f.intelligence;
    if (f.tacticBytes[3] == 1) depth /= 2;
    if (f.tacticBytes[3] == 2) depth = 480;
    depth = std::max(depth, 320);
    if (Match_FoldedDifference(f.facing & 255, reference) > 76) return kNoPassReceiver;
    if (!(f.x >= 1434 - 352 || f.x <= 158 + 352)) return kNoPassReceiver;
    if (!(f.y >= kGoalLineHigh - depth || f.y <= kGoalLineLow + depth)) return kNoPassReceiver;
    const bool farEnd = CurrentTeam == AttackDirection;
    if (farEnd ? f.y <= kPitchHalfwayY : f.y >= kPitchHalfwayY) return kNoPassReceiver;
    // A look for a cross from a crossing place counts as a cross tried:
    // the statistics set the crosses that reached a team-mate against it.
    ++f.counts[kCountCrosses];
    ++f.moreCounts[kMoreCrossChances];
    int best = 256;
    int16_t result = kNoPassReceiver;
    int x = 0, y = 0;
    if (RunTargetPoint(f, x, y)) {
        const int along = std::abs(x - MatchCurX) + std::abs(y - MatchCurY);
        if (along > 384 && along < 960 &&
            Match_FoldedDifference(reference, Match_DirectionSector(MatchCurX, MatchCurY, x, y, 256)) < 42) {
            result = kPassIntoSpace;
            best = 0;
        }
    }
    const int16_t preferred = PreferredReceiver(f, team);
    const int range = 800 + 8 * f.vision;
    for (int k = 1; k <= 10; ++k) {
        const int16_t m = BallRanking[team][k];
        if (!Match_IsPlayerFigure(m) || TeamOf(m) != team || m == figure || IsOwnKeeper(m)) continue;
        const MatchFigure& mate = MatchFigures[m];
        if (mate.ballDistance < 300 || mate.ballDistance > range || mate.off != 0 ||
            mate.action >= kActionCross)
            continue;
        if (f.tacticBytes[3] == 1 &&
            std::abs(Match_AttackedGoalLine(team) - mate.y) > (80 - f.passing) + 288) {
            continue;
        }
        const int score = Match_FoldedDifference(reference, (mate.ballDirection + 128) & 255);
        if (score >= 42) continue;
        if (m == preferred) {
            result = m;
            best = 0;
        } else if (score < best) {
            result = m;
            best = score;
        }
    }
    return result;
}

int16_t Match_OpponentAhead(int16_t figure) {
    if (MatchPhase != kPhaseOpenPlay || !Match_IsPlayerFigure(figure)) return 0;
    const MatchFigure& f = MatchFigures[figure];
    Match_VectorFromDirection(f.facing & 255, 7, 256);
    const int qx = MatchCurX + MatchVecX;
    const int qy = MatchCurY - MatchVecNY;
    if (GameRandom() % 25 == 0) return 0;
    const int opponents = (TeamOf(figure) ^ 1) * kTeamFigures;
    for (int16_t q = int16_t(opponents); q < opponents + kTeamFigures; ++q) {
        const MatchFigure& o = MatchFigures[q];
        if (o.off != 0 || std::abs(qx - o.x) > 7 || std::abs(qy - o.y) > 7) continue;
        if (MatchPlayerCanAct(q) != 0) return int16_t(q + 1);
    }
    return 0;
}
