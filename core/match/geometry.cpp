#include "core/match/geometry.h"
#include "core/match/actions.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "core/match/matchclock.h"
#include "core/match/matchengine.h"
#include "core/match/matchfigure.h"
#include "core/match/matchstate.h"
#include "core/match/motion.h"
#include "core/match/motionclips.h"
#include "core/match/officials.h"
#include "core/match/phases.h"

int32_t MatchVecX, MatchVecNY;
int32_t MatchRootX, MatchRootY;

namespace {

constexpr int kChaseTickLimit = 20;
constexpr int kRecoverReach = 18;
constexpr int kHighBall = 200;
constexpr int kCloseToCarrier = 8;
constexpr int kContactTicksHeld = 5;
constexpr uint16_t kStoppagePhases = kPhaseTakeThrowIn;

// A product that may pass 32 bits, taken wide and truncated as the engine's
// 32-bit arithmetic keeps it.
int32_t ScaledStep(int64_t value, int64_t numerator, int64_t denominator) {
    return int32_t(value * numerator / denominator);
}

int32_t SpeedOfPace(const MatchFigure& f) { return int32_t(f.pace) + 500; }

// Rounded down, as std::floor would, for the engine's small step counts.
int64_t FloorOf(double value) {
    const int64_t whole = int64_t(value);
    return double(whole) > value ? whole - 1 : whole;
}

uint16_t ArcSector(int across, int ahead, int n) {
    const double steps = std::atan2(double(across), double(ahead)) * kInverseFullTurn * double(n);
    return uint16_t(FloorOf(steps + 0.5) & (n - 1));
}

// The tangents of the edges between the 256-step directions of the first
// eighth of a turn: edge k lies at k + 0.5 steps.  The ratio range 0..1 is
// cut into 4096 even buckets; the edges lie more than a bucket apart, so a
// bucket holds at most one of them: each bucket keeps the count of edges
// below its start, flagged when an edge lies inside the bucket or within
// the margin of it, and the edge inside it (32, whose tangent 2 lies above
// every ratio, when there is none).
constexpr int kRatioBuckets = 4096;
// Far wider than the single-precision ratio's error (half a unit in the
// last place, six parts in 10^8 of a ratio no greater than 1).
constexpr double kClearMargin = 1.0 / (1 << 20);
constexpr uint8_t kNearEdge = 0x80;
struct EighthEdges {
    double tangent[33];
    uint8_t below[kRatioBuckets + 1];  // or'ed with kNearEdge near an edge
    uint8_t inside[kRatioBuckets + 1];
    EighthEdges() {
        for (int k = 0; k < 32; ++k) tangent[k] = std::tan((k + 0.5) / (256.0 * kInverseFullTurn));
        tangent[32] = 2.0;
        for (int bucket = 0; bucket <= kRatioBuckets; ++bucket) {
            const double start = double(bucket) / kRatioBuckets, end = double(bucket + 1) / kRatioBuckets;
            uint8_t count = 0;
            inside[bucket] = 32;
            bool clear = true;
            for (int k = 0; k < 32; ++k) {
                if (tangent[k] < start) ++count;
                if (tangent[k] >= start && tangent[k] < end) inside[bucket] = uint8_t(k);
                if (tangent[k] >= start - kClearMargin && tangent[k] < end + kClearMargin) clear = false;
            }
            below[bucket] = uint8_t(count | (clear ? 0 : kNearEdge));
        }
    }
};
// Made on first use, so that no other start-up code can find it unmade.
const EighthEdges& Edges() {
    static const EighthEdges edges;
    return edges;
}

// The edges below the exact ratio.  The bucket's scale is a power of two,
// so the ratio lies exactly within its bucket: the edges counted below it
// are below the ratio, and only the one inside needs comparing.
int StepsBelowExactRatio(const EighthEdges& edges, int minor, int major) {
    const double ratio = double(minor) / double(major);
    const int bucket = int(ratio * kRatioBuckets);
    const int below = edges.below[bucket] & ~kNearEdge;
    return below + (edges.tangent[edges.inside[bucket]] < ratio ? 1 : 0);
}

// Steps (0..32) from the nearer axis of a vector whose shorter side is
// `minor` and longer side `major` (0 < minor <= major <= 4096): the edges
// below the ratio.  The single-precision ratio (both sides are exact in
// single precision, and the division rounds to within the margin) finds
// the bucket; when no edge lies near that bucket, none lies between the
// single-precision ratio and the exact one, and the count below the bucket
// is the answer.  Near an edge the exact ratio decides.
// Near an edge, kept out of line so that the quick path stays small enough
// to sit in its callers.
[[gnu::noinline]] int StepsOffAxisNearEdge(int minor, int major) {
    return StepsBelowExactRatio(Edges(), minor, major);
}

inline int StepsOffAxis(int minor, int major) {
    // A ratio no greater than 1 (a correctly rounded quotient of sides
    // minor <= major cannot pass it), scaled by a power of two exactly.
    const int bucket = int(float(minor) / float(major) * kRatioBuckets);
    const uint8_t below = Edges().below[bucket];
    if ((below & kNearEdge) == 0) return below;
    return StepsOffAxisNearEdge(minor, major);
}

// Within this reach the eighth-turn edges give exactly the direction the
// arc tangent gives (checked once over every vector of the square, and
// over a grid of it by the geometry tests); beyond it the arc tangent is
// taken.
constexpr int kEdgeReach = 4096;

uint16_t Sector(int x1, int y1, int x2, int y2, int n) {
    const int across = x2 - x1, ahead = y1 - y2;
    // Straight along an axis (or the same point) the direction is a whole
    // number of quarter turns: no need to take the arc tangent.  (With
    // fewer than four sectors a quarter turn falls on a rounding edge.)
    if (n >= 4 && across == 0) return uint16_t(ahead < 0 ? n / 2 : 0);
    if (n >= 4 && ahead == 0) return uint16_t(across > 0 ? n / 4 : n - n / 4);
    const int a = std::abs(across), b = std::abs(ahead);
    if (n != 256 || a > kEdgeReach || b > kEdgeReach) return ArcSector(across, ahead, n);
    // The steps from straight ahead within the quarter the vector lies in,
    // then turned into that quarter: there are no ties to round, as no
    // edge's tangent is a ratio of whole numbers.
    const int steps = a <= b ? StepsOffAxis(a, b) : 64 - StepsOffAxis(b, a);
    int direction = 0;
    if (across > 0) {
        direction = ahead > 0 ? steps : 128 - steps;
    } else {
        direction = ahead > 0 ? -steps : steps - 128;
    }
    return uint16_t(direction & 255);
}

bool IsGoalkeeper(int16_t figure) { return MatchLineUp[figure / kTeamFigures][0] == figure; }

}  // namespace

uint16_t Match_DirectionTo(int x1, int y1, int x2, int y2) { return Sector(x1, y1, x2, y2, 256); }

uint16_t Match_DirectionSector(int x1, int y1, int x2, int y2, int n) { return Sector(x1, y1, x2, y2, n); }

uint16_t Match_ArcDirectionSector(int x1, int y1, int x2, int y2, int n) {
    const int across = x2 - x1, ahead = y1 - y2;
    if (across == 0 && ahead == 0) return 0;
    return ArcSector(across, ahead, n);
}

namespace {

// The sine and cosine of each of the 256 directions, worked out as the
// vector of a direction works them out, once.
struct DirectionTable {
    double sine[256], cosine[256];
    DirectionTable() {
        for (int d = 0; d < 256; ++d) {
            const double theta = double(d) * kFullTurn / 256.0;
            sine[d] = std::sin(theta);
            cosine[d] = std::cos(theta);
        }
    }
};
const DirectionTable& Directions() {
    static const DirectionTable table;
    return table;
}

}  // namespace

void Match_VectorFromDirection(int d, int length, int n) {
    double sine = 0.0, cosine = 0.0;
    if (n == 256 && d >= 0 && d < 256) {
        sine = Directions().sine[d];
        cosine = Directions().cosine[d];
    } else {
        const double theta = double(d) * kFullTurn / double(n);
        sine = std::sin(theta);
        cosine = std::cos(theta);
    }
    MatchVecNY = int32_t(std::trunc(double(length) * cosine));
    MatchVecX = int32_t(std::trunc(double(length) * sine));
}

int32_t Match_BallInReach(int x1, int y1, int x2, int y2, int limit, int heightLimit) {
    const int32_t distance = Match_ApproxDistance(x1, y1, x2, y2);
    if (distance > limit || BallState.z >= heightLimit) return distance + 1;
    return 0;
}

int32_t Match_BallInReach5(int x1, int y1, int x2, int y2, int heightLimit) {
    return Match_BallInReach(x1, y1, x2, y2, 5, heightLimit);
}

void Match_TurnPlayerTowards(int16_t figure, int direction, int mode) {
    if (figure < 0 || figure >= kMatchFigureCount) return;
    MatchFigure& f = MatchFigures[figure];
    int step = f.agility / 30 + 3;
    if (BallGroundSpeed < 3) step *= 3;
    if (mode == 1) step = 2;
    if (mode == 2) step = 16;
    const int facing = f.facing;
    if (facing == direction) return;
    const int apart = std::abs(facing - direction);
    if (apart > 256 - step || apart < step || f.frame == -1) {
        f.facing = uint16_t(direction);
        return;
    }
    int turned = facing;
    if (direction > facing) {
        turned += direction - facing < 128 ? step : -step;
    } else {
        turned += facing - direction > 128 ? step : -step;
    }
    f.facing = uint16_t(turned & 0xFF);
}

void Match_StepForward(int16_t figure, int length, int direction) {
    const double theta = double(direction) * kFullTurn / 256.0;
    MatchVecX = int32_t(std::trunc(double(length) * std::sin(theta)));
    MatchVecNY = int32_t(std::trunc(double(length) * std::cos(theta)));
    const int32_t speed = SpeedOfPace(MatchFigures[figure]);
    MatchCurX16 += ScaledStep(int64_t(MatchVecX) * 1000, speed, 600);
    MatchCurY16 -= ScaledStep(int64_t(MatchVecNY) * 1000, speed, 600);
}

namespace {

// The single-precision turn of a clip's root step by the figure's facing,
// for each of the 256 facings.
struct RootTurnTable {
    float sine[256], cosine[256];
    RootTurnTable() {
        for (int turned = 0; turned < 256; ++turned) {
            const float theta = float(turned) * kHalfTurnSingle / 128.0f;
            cosine[turned] = std::cos(theta);
            sine[turned] = std::sin(theta);
        }
    }
};
const RootTurnTable& RootTurns() {
    static const RootTurnTable table;
    return table;
}

}  // namespace

void Match_AnimRootDelta(int16_t figure, int facing) {
    MatchRootX = MatchRootY = 0;
    if (figure < 0 || figure >= kMatchFigureCount) return;
    const MatchFigure& f = MatchFigures[figure];
    if (f.anim < 0) return;
    // A clip that is not in the table, or too short to have a step, does
    // not move the figure.
    const int32_t frames = int32_t(Motion_GetFrameCount(f.anim));
    if (frames < 2) return;
    int32_t first = f.shownFrame < 0 ? 0 : f.shownFrame;
    if (first > frames - 1) first = frames - 1;
    if (first + 1 >= frames) first = frames - 2;
    float dx, dz;
    if (!Motion_GetRootStep(f.anim, first, &dx, &dz)) return;
    const int turned = (facing + 1) & 255;
    const RootTurnTable& turns = RootTurns();
    const float c = turns.cosine[turned];
    const float s = turns.sine[turned];
    // The conversion truncates toward zero.
    MatchRootX = int32_t(1000.0f * (dx * c - dz * s));
    MatchRootY = int32_t(1000.0f * (dx * s + dz * c));
}

int32_t Match_ApplyAnimMotion(int16_t figure, int, int) {
    if (figure < 0 || figure >= kMatchFigureCount) return 0;
    const MatchFigure& f = MatchFigures[figure];
    Match_AnimRootDelta(figure, f.facing);
    const int32_t speed = SpeedOfPace(f);
    const int32_t stepX = ScaledStep(-int64_t(MatchRootX) * 1600, speed, 600);
    const int32_t stepY = ScaledStep(-int64_t(MatchRootY) * 1600, speed, 600);
    MatchCurX16 += stepX;
    MatchCurY16 += stepY;
    return stepY;
}

int32_t Match_ApplyAnimMotionRet(int16_t figure, int, int) { return Match_ApplyAnimMotion(figure); }

int16_t MatchChasePointX, MatchChasePointY;

void Match_ChaseTarget(int16_t figure, int x, int y, int urgent) {
    if (figure < 0 || figure >= kPlayerFigures) return;
    MatchChasePointX = int16_t(x);
    MatchChasePointY = int16_t(y);
    MatchFigure& f = MatchFigures[figure];
    // Under a high ball close by, a field player gives up the run and waits
    // for it; the goalkeeper holds still.
    const auto giveUpForHighBall = [&] {
        if (IsGoalkeeper(figure)) return;
        Match_SetPlayerAction(figure, kActionStandOff);
    };
    if (f.rankDistance <= kRecoverReach && BallState.z > kHighBall) {
        giveUpForHighBall();
        return;
    }
    const uint16_t d = Match_DirectionSector(MatchCurX, MatchCurY, x, y, 256);
    const int apart = std::abs(int(f.facing) - int(d));
    if (apart > 248 || apart < 8 || f.frame == -1) {
        f.facing = d;
    } else {
        Match_TurnPlayerTowards(figure, d, 2);
    }

    int16_t clip = kClipRun;
    const int team = figure / kTeamFigures;
    const int other = team ^ 1;
    if (MatchPhase >= kStoppagePhases) {
        clip = f.action == kActionWall ? kClipRun : kClipWalk;
    } else if (BallTeam != CurrentTeam && TeamChallenger[other] != kNoChallenger &&
               TeamChallenger[other] >= 0 && TeamChallenger[other] < kPlayerFigures) {
        const MatchFigure& challenger = MatchFigures[TeamChallenger[other]];
        const int d1 = Match_ApproxDistance(MatchCurX, MatchCurY, x, y);
        const int d2 = Match_ApproxDistance(challenger.x, challenger.y, x, y);
        if (d1 < kCloseToCarrier && (challenger.hasBall != 0 || challenger.touchLockout != 0)) {
            ++f.contactTicks;
            if (f.contactTicks <= kContactTicksHeld) return;
            giveUpForHighBall();
            return;
        }
        f.contactTicks = 0;
        const int tackling = f.tackling > 0 ? f.tackling : 1;
        clip = d2 < d1 && d1 > 5000 / tackling ? kClipSprint : kClipRun;
    }
    if (f.action == kActionWalkOff) f.facing = d;
    if (urgent != 0) clip = kClipDash;

    if (Match_OpponentAhead(figure) != 0 && MatchPhase == kPhaseOpenPlay) {
        ++f.chaseTicks;
    } else {
        Match_ApplyAnimMotionRet(figure);
        f.chaseTicks = 0;
    }
    if (f.chaseTicks < kChaseTickLimit) {
        ++MatchCurX;
        MatchSetPlayerAnimKeepFrame(figure, clip, 1, 0);
    } else {
        f.chaseTicks = kChaseTickLimit;
        MatchStepPlayerAnim(figure, f.facing);
    }
}

void Match_Nop() {}
