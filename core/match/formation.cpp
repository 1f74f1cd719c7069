#include "core/match/formation.h"
#include "core/match/actions.h"

#include <algorithm>

#include "core/match/actionmachine.h"
#include "core/match/ballcollide.h"
#include "core/match/geometry.h"
#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchphases.h"
#include "core/match/matchstate.h"
#include "core/match/phases.h"

FormationTableData FormationTable[2];
FormationTableData FormationScratch;
FormationZoneState FormationZone[2];
FormationZoneState FormationZoneUsed[2];
uint16_t FormationPossession;
uint16_t FormationPossessionCount;
uint16_t FormationTargetCount;
uint16_t FormationHold;

namespace {

constexpr int kAcrossBandWidth = 256;
constexpr int kAlongBandWidth = 320;
constexpr uint16_t kPossessionDelay = 5;
constexpr uint16_t kOpenPlayPlacementEvery = 15;
constexpr int kMediumPrediction = 1;  // of the short, medium and long predictions
constexpr uint16_t kFreeRole = 4;
constexpr int kGridStepX = 63;
constexpr int kGridStepY = 95;
constexpr int kGrid = 20;
constexpr int kMateScoreNeeded = 50;
constexpr int kFullWeight = 100;

struct BandPair {
    uint16_t band;
    uint16_t second;
    uint16_t weight;
};

// The two bands whose centres bracket value, the higher first, with the
// share (percent) of the way from the lower centre to the higher.
BandPair Bracket(int value, const int16_t* edges, int count, int width) {
    const int half = width / 2;
    if (value <= edges[0] + half) return {0, 0, kFullWeight};
    const int last = count - 1;
    if (value > edges[last] + half) return {uint16_t(last), uint16_t(last), kFullWeight};
    int lower = 0;
    while (value > edges[lower + 1] + half) ++lower;
    const int weight = (value - (edges[lower] + half)) * 100 / width;
    return {uint16_t(lower + 1), uint16_t(lower), uint16_t(weight)};
}

void SetFixedShape(int team, uint16_t situation) {
    FormationZone[team] = {situation, situation, kFullWeight, kFullWeight};
}

// The team that restarts from its goal: at a goal kick the team awarded it;
// while a keeper holds the ball (phases 12 and 13) the team whose keeper it
// is, the one defending the end where the ball lies, as the keeper-holds
// phase names it.  No goal kick names that team, so the side of the last
// restart would otherwise take the shape of a keeper it does not have.
int GoalKickShapeTeam() {
    if (MatchPhase == kPhaseKeeperHolds || MatchPhase == kPhaseKeeperReleases) {
        return BallState.y > kDefaultPitch.centreY ? (AttackDirection & 1) ^ 1 : AttackDirection & 1;
    }
    return RestartTeam & 1;
}

bool FixedShapes() {
    const uint16_t phase = MatchPhase;
    if (phase == kPhaseTakeCorner || (phase == kPhasePenalty && Period != 4)) {
        const int holder = BallTeam & 1;
        SetFixedShape(holder, kSituationSetPiece);
        SetFixedShape(holder ^ 1, 36);
        return true;
    }
    switch (phase) {
        case 9:
        case 10:
        case 11:
        case 25:
        case 27:
        case 28:
        case 29:
            SetFixedShape(KickOffTeam & 1, kSituationKickOff);
            SetFixedShape((KickOffTeam & 1) ^ 1, kVariantB + kSituationKickOff);
            return true;
        case 4:
        case 7:
        case 12:
        case 13: {
            const int restarting = GoalKickShapeTeam();
            SetFixedShape(restarting, kSituationGoalKick);
            SetFixedShape(restarting ^ 1, kVariantB + kSituationGoalKick);
            return true;
        }
        default:
            return false;
    }
}

void ZonesFromBall() {
    // The ball update's medium prediction, which keeps its last open-play
    // value through the restarts.
    const int px = BallState.predicted[kMediumPrediction][0];
    const int py = BallState.predicted[kMediumPrediction][1];
    const int upfield = AttackDirection & 1;
    const BandPair acrossU = Bracket(px, kDefaultPitch.zoneLineX, 5, kAcrossBandWidth);
    const BandPair alongU = Bracket(py, kDefaultPitch.zoneLineY, 6, kAlongBandWidth);
    const BandPair acrossO{uint16_t(4 - acrossU.second), uint16_t(4 - acrossU.band), acrossU.weight};
    const BandPair alongO{uint16_t(5 - alongU.second), uint16_t(5 - alongU.band), alongU.weight};
    for (int team = 0; team < 2; ++team) {
        const bool isUpfield = team == upfield;
        const BandPair& across = isUpfield ? acrossU : acrossO;
        const BandPair& along = isUpfield ? alongU : alongO;
        FormationZoneState state{uint16_t(along.band * 5 + across.band),
                                 uint16_t(along.second * 5 + across.second), across.weight, along.weight};
        const bool withoutBall = team == 1 - int(FormationPossession);
        const bool keepsShape = MatchPhase == kPhaseOpenPlay && (isUpfield ? py > kDefaultPitch.zoneLineY[4]
                                                                           : py < kDefaultPitch.zoneLineY[1]);
        if (withoutBall && !keepsShape) {
            state.zone = uint16_t(state.zone + kVariantB);
            state.secondBand = uint16_t(state.secondBand + kVariantB);
        }
        FormationZone[team] = state;
    }
}

bool Placeable(int16_t figure, int slot) {
    if (slot > kFormationPlayers) return false;  // bench places have no formation point
    if (figure < 0 || figure >= kPlayerFigures) return false;
    const MatchFigure& f = MatchFigures[figure];
    if (f.off != 0) return false;
    if (MatchActionFlagTable[f.action].freeToReact == 0) return false;
    if (f.action == kActionRunToTarget || f.offsideWord != 0) return false;
    if (figure == KickOffTaker && MatchPhase != kPhaseOpenPlay) return false;
    if (figure == KickOffPartner &&
        (MatchPhase == kPhaseKickOffPositions || MatchPhase == kPhaseKickOffWhistle))
        return false;
    return true;
}

void PlaceFigure(int team, int slot, int16_t figure) {
    MatchFigure& f = MatchFigures[figure];
    f.counts[kCountPlacedByFormation] = 1;
    const FormationPoint point = FormationTable[team][FormationZone[team].zone][slot - 1];
    const int a = point.across;
    const int b = point.along;
    const bool throwIn = MatchPhase == kPhaseTakeThrowIn;
    if (team == (AttackDirection & 1)) {
        int x = kDefaultPitch.left + a;
        if (throwIn)
            x = ThrowInX >= kDefaultPitch.centreX ? x + (kDefaultPitch.right - x) * 15 / 100
                                                  : kDefaultPitch.left + a * 85 / 100;
        f.targetX = int16_t(x);
        f.targetY = int16_t(kDefaultPitch.top + b);
    } else {
        int x = kDefaultPitch.right - a;
        if (throwIn)
            x = ThrowInX <= kDefaultPitch.centreX ? x - (x - kDefaultPitch.left) * 15 / 100
                                                  : kDefaultPitch.right - a * 85 / 100;
        f.targetX = int16_t(x);
        f.targetY = int16_t(kDefaultPitch.bottom - b);
    }
    f.formationX = f.targetX;
    f.formationY = f.targetY;
    if (team == (BallTeam & 1) && f.tacticBytes[0] == kFreeRole && MatchPhase == kPhaseOpenPlay) {
        Match_SeekOpenSpace(int16_t(team), figure);
    }
}

struct Box {
    int minX = kDefaultPitch.right, maxX = kDefaultPitch.left;
    int minY = kDefaultPitch.bottom, maxY = kDefaultPitch.top;
    bool Holds(int x, int y) const { return x >= minX && x <= maxX && y >= minY && y <= maxY; }
};

// The nearest target of a team's outfield players on the pitch.
int NearestTarget(int team, int16_t excluded, int x, int y) {
    int best = 32767;
    for (int slot = 1; slot <= kFormationPlayers; ++slot) {
        const int16_t figure = MatchLineUp[team][slot];
        if (figure == excluded || figure < 0 || figure >= kPlayerFigures) continue;
        const MatchFigure& f = MatchFigures[figure];
        if (f.off != 0) continue;
        best = std::min<int>(best, Match_ApproxDistance(x, y, f.targetX, f.targetY));
    }
    return best;
}

}  // namespace

int16_t Formation_ColumnOfX(int value) { return int16_t(std::clamp(value / 83, 0, 17)); }

int16_t Formation_RowOfY(int value) { return int16_t(std::clamp(value / 66, 0, 14)); }

void Formation_ScaleTable(int variant) {
    const int first = variant == 0 ? 0 : kVariantB;
    for (int situation = first; situation < first + kSituationsPerVariant; ++situation) {
        for (FormationPoint& point : FormationScratch[situation]) {
            point.across = int16_t(point.across * kFormationScale / 100);
            point.along = int16_t(point.along * kFormationScale / 100);
        }
    }
}

void Formation_ResetZones() {
    for (int team = 0; team < 2; ++team) {
        FormationZone[team] = {};
        FormationZoneUsed[team] = {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
    }
}

void Match_ChooseFormationZone() {
    if (MatchPhase != kPhaseOpenPlay) FormationPossessionCount = kPossessionDelay;
    if ((BallTeam & 1) != FormationPossession) {
        ++FormationPossessionCount;
        if (FormationPossessionCount > kPossessionDelay) {
            FormationPossessionCount = 0;
            FormationPossession = BallTeam & 1;
        }
    }
    if (FormationHold != 0 || MatchPhase == kPhaseFreeKickAtGoal || MatchPhase == kPhaseFreeKickSecond)
        return;
    if (FixedShapes()) return;
    ZonesFromBall();
}

void Match_SetFormationTargets() {
    if (FormationZone[0] == FormationZoneUsed[0] && FormationZone[1] == FormationZoneUsed[1]) return;
    FormationTargetCount = uint16_t((FormationTargetCount + 1) % kOpenPlayPlacementEvery);
    if (MatchPhase == kPhaseOpenPlay && FormationTargetCount != 0) return;
    if (MatchPhase == kPhaseKickOffSetUp && LineUpPending != 0) return;
    for (int team = 0; team < 2; ++team) {
        if (FormationZone[team].zone >= kFormationSituations) continue;
        for (int slot = 1; slot < kTeamFigures; ++slot) {
            const int16_t figure = MatchLineUp[team][slot];
            if (Placeable(figure, slot)) PlaceFigure(team, slot, figure);
        }
    }
    FormationZoneUsed[0] = FormationZone[0];
    FormationZoneUsed[1] = FormationZone[1];
}

void Match_SeekOpenSpace(int16_t team, int16_t figure) {
    if (team < 0 || team > 1 || figure < 0 || figure >= kPlayerFigures) return;
    const int opponents = team ^ 1;
    Box box;
    for (int slot = 1; slot <= kFormationPlayers; ++slot) {
        const int16_t o = MatchLineUp[opponents][slot];
        if (o < 0 || o >= kPlayerFigures || MatchFigures[o].off != 0) continue;
        const MatchFigure& of = MatchFigures[o];
        box.minX = std::min<int>(box.minX, of.x);
        box.maxX = std::max<int>(box.maxX, of.x);
        box.minY = std::min<int>(box.minY, of.y);
        box.maxY = std::max<int>(box.maxY, of.y);
    }
    MatchFigure& f = MatchFigures[figure];
    const int deepestY = team == (AttackDirection & 1) ? box.maxY : box.minY;
    int bestScore = 0, bestX = 0, bestY = 0;
    for (int i = 0; i < kGrid; ++i) {
        for (int j = 0; j < kGrid; ++j) {
            const int gx = i * kGridStepX;
            const int gy = j * kGridStepY;
            if (!box.Holds(gx, gy)) continue;
            int rx = kDefaultPitch.centreX, ry = kDefaultPitch.centreY;
            if (f.position == 9) {
                rx = BallState.x < kDefaultPitch.centreX ? kDefaultPitch.right - 100
                                                         : kDefaultPitch.left + 100;
                ry = deepestY;
            } else if (f.position == 8) {
                rx = kDefaultPitch.centreX + (gx - kDefaultPitch.centreX) / 2;
                ry = deepestY;
            }
            const int dR = Match_ApproxDistance(gx, gy, rx, ry) / 10;
            const int16_t score = int16_t(NearestTarget(opponents, figure, gx, gy) * 10 / (dR + 1));
            const int16_t mateScore = int16_t(NearestTarget(team, figure, gx, gy) * 10 / (dR + 1));
            if (mateScore > kMateScoreNeeded && score > bestScore) {
                bestScore = score;
                bestX = gx;
                bestY = gy;
            }
        }
    }
    if (bestScore <= 0) return;
    f.targetX = f.formationX = int16_t(bestX);
    f.targetY = f.formationY = int16_t(bestY);
}
