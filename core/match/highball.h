// The ball in the air: where a player can meet a flying ball (the flight
// run forward tick by tick with the ball's own forces, nothing drawn at
// random) and where a long ball comes down for the kicker's team-mates.
#pragma once
#include <cstdint>

// What the last prediction found.  bestDistance is kNoMeetingPoint when
// no point was found; height is then 0.
struct BallPredictionResult {
    int16_t bestDistance;
    int16_t x, y;
    int16_t height;
    int16_t ticks;
};
extern BallPredictionResult BallPrediction;
constexpr int16_t kNoMeetingPoint = 10000;

// The landing point of the last long ball, (0, 0) when none.
extern int16_t BallLandingX, BallLandingY;

// Runs the flight lookAhead ticks forward and keeps the point nearest to
// (targetX, targetY) at which the figure can meet the ball.  Mode 0 stops
// at the first bounce or once the ball stops coming nearer; mode 1 looks
// for where the ball crosses the current player's line.
void Ball_PredictLanding(int16_t lookAhead, int16_t targetX, int16_t targetY, int16_t figure, int16_t mode);

// After a long ball: finds where it comes down to head height (within
// 1000 ticks) and sends the current team's free players within the radius
// toward it.
void MatchCallToLanding(int16_t radius);

// The match's reaction level (0..): from 5 a player also goes for balls
// below head height, and his tolerance for the meeting point tightens.
extern uint8_t HighBallReactionLevel;
// The point a chest lay-off goes to (the team-mate's position).
extern int16_t LayOffX, LayOffY;

// A ball coming at the player in the air: may send him to the meeting
// point in a header, volley, chest control, jump or dive, or just to run
// there (his target and aim become the point; his variant the ticks to it).
void Match_ReactToHighBall(int16_t figure);
