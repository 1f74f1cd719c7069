// The goalkeeper: his ready stance and positioning, the save choice, the
// dives and standing saves with the contact test of his hands, the ball
// held and distributed, the goal kick, and the play at an attacker's feet.
#pragma once
#include <cstdint>

// ---------------------------------------------------------------------------
// Positioning and the save choice.

// The direction of the keeper's dive or lunge.
extern int16_t KeeperDiveDirection;
// Where the keeper expects to meet the ball.
extern int16_t KeeperSavePointX, KeeperSavePointY;
// The save choice's prediction: the nearest distance between the predicted
// ball and the keeper (10000 none), the ticks until then, the ball's height
// there and the point.
struct KeeperMeetPrediction {
    int16_t distance, ticks, height, x, y;
};
extern KeeperMeetPrediction BallMeetPrediction;
// Raised when a defensive wall is lined up and by the wall players as they
// stand, lowered while the keeper runs to his post: while it is non-zero at
// a free kick at goal the keeper guards a post.
extern int32_t KeeperPostTicks;

// Action 152: the keeper's ready stance.
void Match_ActKeeperReady(int16_t figure);
// The save the keeper should make now, or 152 for none; with a save his aim
// point and the save point are set.
uint16_t Match_KeeperChooseSave(int16_t figure);
// Where the keeper in his stance stands: in play a point between the ball
// and the centre of his goal, otherwise his fixed stance (then also his
// target).  Reads the current position.
void Match_KeeperStanceTarget(int16_t figure, int& tx, int& ty);
// One tick of the keeper's shuffle toward (x, y) facing the ball.
void Match_RunToPoint(int16_t figure, int16_t x, int16_t y);
// Sends the keeper down on the ball at an attacker's feet.
void Match_StartAction175(int16_t figure);
// The side of the keeper's body the point lies on: 0 or 1.
uint16_t Match_KeeperSideOf(int16_t figure, int16_t x);

// ---------------------------------------------------------------------------
// The shot the keeper faces and his saves.

// Ticks a penalty or a shot from a set piece is still on its way (50, 350
// in the shoot-out; the keeper guesses his side meanwhile), the ticks a high
// catch still follows it (350), and the ticks after a tip over the bar:
// three of the match's countdowns, which the tick lowers; the set-piece
// kicks start the first two, and a goal the first (kGoalShotTicks).
extern int16_t ShotTimer;
extern int16_t ShotHoldTimer;
extern int16_t KeeperTipTimer;
constexpr int16_t kGoalShotTicks = 100;
// Shots of each team saved by the other team's keeper.
extern int16_t TeamSavedShotCount[2];
// 0 middle, 1 low, 2 high: the dive being made.
extern int16_t KeeperDiveType;
// The last random percentage a parry, punch or deflection drew.
extern int16_t SaveSpreadPercent;
constexpr int16_t kTipTicks = 25;

// A shot at goal has been struck by the figure: until it is saved, touched
// or over, he is the shooter a save is credited against.
void Match_NoteShotOnGoal(int16_t figure);

// The dives (156, 157, 160, 166, 171, 182, 195..200) and their holding twins
// (159, 167, 183, 201..203).
void Match_ActKeeperDive(int16_t figure);
void Match_ActKeeperHoldingDive(int16_t figure);
// The contact test of a diving keeper's hands.
void Match_KeeperParry(int16_t figure, int parryOnly);
// A fingertip deflection.
void Match_DeflectBall(int16_t figure);
// The standing saves 170, 173, 155, 164, 165.
void Match_ActKeeperCatchLow(int16_t figure);
void Match_ActKeeperCatchMiddle(int16_t figure);
void Match_ActKeeperCatchHigh(int16_t figure);
void Match_ActKeeperJumpPunch(int16_t figure);
void Match_ActKeeperTipOver(int16_t figure);
// 180, 179, 158: a catch carried on with the ball held; 150 the end of a
// holding dive.
void Match_ActKeeperHoldCatch(int16_t figure);
void Match_ActKeeperTakeBall(int16_t figure);
// The keeper secures the ball.
void Match_KeeperTakesBall(int16_t figure);

// ---------------------------------------------------------------------------
// The ball in the keeper's hands.

// Power of the release being prepared, 0..100; -1 after a release.
extern int32_t KeeperKickPower;
// The team-mate a throw is meant for (-1 none) and the point he meets it.
extern int16_t KeeperThrowTarget;
extern int16_t KeeperThrowPointX, KeeperThrowPointY;

// The keeper's set-piece kinds: backing off for a goal kick, preparing a
// release.
constexpr int16_t kKeeperKindBackOff = 12;
constexpr int16_t kKeeperKindRelease = 13;
// A set piece leaves the keeper's release state as it wants it: the
// target point, the set-piece kind (12 backing off, 13 releasing; a kind
// other than the one an action expects resets the preparation), the power
// and the choice made.  The penalty placing does this, so that the keeper's
// next release starts its choice afresh.
void Match_SetKeeperSetPiece(int16_t x, int16_t y, int16_t kind, int32_t power, int16_t choice);

void Match_ActKeeperHoldBall(int16_t figure);        // 154
void Match_ActKeeperHoldGesture(int16_t figure);     // 151, 174, 190, 191
void Match_ActKeeperPenaltyGesture(int16_t figure);  // 205
void Match_ActKeeperDistribute(int16_t figure);      // 153
void Match_ActKeeperThrow(int16_t figure);           // 189
void Match_ActKeeperDropKick(int16_t figure);        // 161
void Match_ActKeeperFetchGoalKick(int16_t figure);   // 187
void Match_ActKeeperAimGoalKick(int16_t figure);     // 186
void Match_ActKeeperBackOff(int16_t figure);         // 188
void Match_ActKeeperGoalKick(int16_t figure);        // 162
void Match_ActKeeperReturnBall(int16_t figure);      // 204

// ---------------------------------------------------------------------------
// At the feet.

void Match_ActKeeperSmother(int16_t figure);      // 175
void Match_ActKeeperGatherFeet(int16_t figure);   // 181
void Match_ActKeeperClear(int16_t figure);        // 163
void Match_ActKeeperBlock(int16_t figure);        // 184, 185
void Match_ActKeeperGestureMate(int16_t figure);  // 177

// Puts the keepers' shared records in their start form (match start).
void Match_ResetKeeperState();
