// Striking the ball away from a player: the passes, crosses and shots, the
// passes to the side and behind, the strikes on the move, the first-time
// knocks, and the receiver's run onto a pass.  The records of the last
// strike are shared with the possession code, which completes or cuts out
// the pass when the ball is next taken.
#pragma once
#include <cstdint>

#include "core/match/matchfigure.h"

// The last figure to strike the ball (kNoKicker none), the last passer, striker,
// shooter and crosser, and the receiver of the last cross (bytes, 255 none).
extern int16_t LastKicker;
// Headers, throws and corners clear it: to nobody, since figure 0 is a
// player whom a kicker of 0 would keep from meeting every moving ball.
constexpr int16_t kNoKicker = -1;
extern uint8_t LastPasser, LastStriker, LastShooter, LastCrosser, CrossReceiver;
// The last strike that may score: who struck it (-1 none), how (with the
// foot, headed or volleyed) and where the ball was.  A goal the striker
// scores straight from it counts as his header, volley or long-shot goal;
// any other touch of the ball in open play clears it.
constexpr uint8_t kShotFooted = 0;
constexpr uint8_t kShotHeaded = 1;
constexpr uint8_t kShotVolleyed = 2;
struct ScoringStrike {
    int16_t figure;
    uint8_t kind;
    int16_t x, y;
};
extern ScoringStrike LastScoringStrike;
void Match_NoteScoringStrike(int16_t figure, uint8_t kind);
void Match_ClearScoringStrike();
// 1 after a pass of kind 1, 3 or 4, 0 after the other passes.
extern uint16_t LongPassFlag;
// Per team the crosses and the shots; the last shot's origin and minute.
extern uint16_t TeamCrossCount[2];
extern uint16_t TeamShotCount[2];
extern int16_t ShotOriginX, ShotOriginY, ShotOriginMinute;
// Ticks a receiver has been running onto a pass (all receivers together).
extern uint8_t ReceiveCount;

// The ball's velocity toward (x, y) for a pass of the kind over distance d,
// the lift per unit of distance by kind and the lift base of kind 2; false
// for a kind outside 0..4 (the velocity is left as it is).
bool MatchPassFlight(int kind, int d, const int32_t (&liftPerUnit)[5], int32_t kindTwoBase, int16_t x,
                     int16_t y);
// The pass records at a strike by the passer to the receiver (negative none).
void MatchRecordPass(int16_t passer, int16_t receiver, int kind);
// True when the receiver is the passer's own keeper.
bool MatchPassToOwnKeeper(int16_t passer, int16_t receiver);
// Blurs the chosen pass target by the passer's passing before a strike on
// the move or to the side: the error grows with the distance d over the
// x and y scales, and a pass back to the own keeper stays tight.
void MatchBlurPassTarget(int16_t passer, int d, int xScale, int yScale);

// Actions 29, 34, 18, 75 and 52: pass, back-heel, the crosses, the shot.
void Match_ActPass(int16_t figure);
void Match_ActBackHeel(int16_t figure);
void Match_ActCross(int16_t figure);
void Match_ActShot(int16_t figure);
// Actions 123 to 128: passes to the side and behind.
void Match_ActSidePass(int16_t figure);
// Actions 66, 110, 77, 109, 78, 81: strikes on the move.
void Match_ActMovingStrike(int16_t figure);
// Actions 140 to 143: first-time knocks.
void Match_ActFirstTimeKnock(int16_t figure);
// Action 17: run onto a pass.
void Match_ActReceivePass(int16_t figure);
// Actions 46, 47, 48, 50, 51, 79 and 49: headers and controls of a ball in the air.
void Match_ActAirBall(int16_t figure);
// One slide-mark flag per first-time knock (140..143).
extern uint8_t KnockMarkFlag[4];

// Puts the records of the last strikes, the open-play markers and the
// chosen pass back to their start form (at the start of a match).
void Match_ResetOpenPlayState();

constexpr int16_t kLooseBallTicks = 300;
constexpr int16_t kStrikeLockout = 16;
