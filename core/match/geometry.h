// The engine's geometry: directions (0..255 a full turn, 0 toward smaller
// y, 64 toward larger x), the octagonal distance, reach tests against the
// ball, turning a player, steps along a direction and the root motion of
// the clip a player is playing.  Every conversion to whole units truncates
// toward zero.
#pragma once
#include <cstdint>
#include <cstdlib>

// The engine's own angle constants, not pi itself: the full turn lies just
// above 2 pi (in the twelfth digit) and the half turn of the root motion
// stops at 3.141592.  Every position the engine computes, and so every
// result, depends on these exact values.
constexpr double kFullTurn = 6.2831853071854;
constexpr double kInverseFullTurn = 0.15915494309174807;
constexpr float kHalfTurnSingle = 3.141592f;
constexpr uint16_t kNoDirection = 256;

// The vector of the last Match_VectorFromDirection or Match_StepForward:
// moving along the direction adds MatchVecX to x and subtracts MatchVecNY
// from y.
extern int32_t MatchVecX, MatchVecNY;
// The root-motion delta of the last Match_AnimRootDelta, in thousandths of
// a pitch unit.
extern int32_t MatchRootX, MatchRootY;

uint16_t Match_DirectionTo(int x1, int y1, int x2, int y2);
// The direction in n sectors a turn (n a power of two).
uint16_t Match_DirectionSector(int x1, int y1, int x2, int y2, int n);
// The same direction taken through the arc tangent every time: the
// reference the quicker sector is held to.
uint16_t Match_ArcDirectionSector(int x1, int y1, int x2, int y2, int n);
void Match_VectorFromDirection(int d, int length, int n);
// Inline: the tick measures hundreds of distances.
inline int16_t Match_ApproxDistance(int x1, int y1, int x2, int y2) {
    const int a = std::abs(int16_t(x1 - x2));
    const int b = std::abs(int16_t(y1 - y2));
    return int16_t(b < a ? a + b / 2 : b + a / 2);
}
// 0 when the points lie within limit of each other and the ball is below
// heightLimit; otherwise the distance + 1.
int32_t Match_BallInReach(int x1, int y1, int x2, int y2, int limit, int heightLimit);
int32_t Match_BallInReach5(int x1, int y1, int x2, int y2, int heightLimit);
// One turning step of the figure's Facing toward the direction; mode 1
// turns by 2, mode 2 by 16, any other mode by the figure's agility.
void Match_TurnPlayerTowards(int16_t figure, int direction, int mode);
// Moves the current figure along the direction at speed length (in 1/65.536
// of a unit per tick for a player of the fastest pace).
void Match_StepForward(int16_t figure, int length, int direction);
void Match_AnimRootDelta(int16_t figure, int facing);
// Moves the current figure by its clip's root motion; returns the y step.
// The clip's own root motion sets the pace: the speed and mode that some
// actions pass are not read.
int32_t Match_ApplyAnimMotion(int16_t figure, int speed = 0, int mode = 0);
int32_t Match_ApplyAnimMotionRet(int16_t figure, int speed = 0, int mode = 0);
// One tick of running toward (x, y); urgent forces the fastest clip.
void Match_ChaseTarget(int16_t figure, int x, int y, int urgent);
// The point of the last chase.
extern int16_t MatchChasePointX, MatchChasePointY;
void Match_Nop();
