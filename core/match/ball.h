// The ball's flight: one step per tick of spin, wind, drag, gravity and
// bounce, a unit-by-unit walk of the path so that nothing solid is skipped,
// the direction and speed of travel and the positions the players read
// ahead.  The ball is BallState (core/match/matchengine.h) mirrored by figure 35.
#pragma once
#include <cstdint>

// The per-tick ball step; the match tick calls it once a tick.
void Ball_Update();
// One motion step with the path walk (called by Ball_Update).
void Ball_Integrate();
// Direction (256 when still) and speed from the velocity.
void Ball_UpdateDirectionSpeed();
// The three predicted positions; refreshed only in open play, a foul or an
// offside call (match phases 0..2).
void Ball_PredictPositions();
// Takes the ball dead: velocity and spin to 0, nothing else.
void Ball_Stop();
// Puts the ball, still and on the grass, on the centre spot.
void Ball_PlaceOnCentreSpot();

// Walks the probe from (fromX, fromY) toward (toX, toY) one unit at a time,
// running the test at every unit.  A diagonal step tests after its move along
// the major axis and again after its move along the minor one; a hit on the
// major move is recorded, the minor move still tested, and the walk ends with
// that step.  Returns whether a hit was recorded, the last recorded point in
// (hitX, hitY).
using BallProbeTest = bool (*)();
bool Ball_WalkPath(int16_t fromX, int16_t fromY, int16_t toX, int16_t toY, BallProbeTest test, int16_t& hitX,
                   int16_t& hitY);

// Tests the probe point against posts, nets, lines and walls; every
// response adds to BallState.collisionCount.
void Ball_Collide();
// The ball meets the 32 players.
void Ball_PlayerContacts();

// Ball step constants.
constexpr int32_t kBallRestThreshold = 4095;  // 16.16, per tick
constexpr int16_t kBallWindHeight = 30;
constexpr int32_t kBallDirectionDivisor = 4096;
constexpr int32_t kBallPredictDivisors[3] = {10000, 3000, 750};
constexpr int16_t kBallParkedSpot = 3038;  // off the pitch, for the landing marker
