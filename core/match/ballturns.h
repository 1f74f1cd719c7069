// Short actions of the player with the ball or just after knocking it on:
// the turns with the ball onto a wanted direction (7 to 13), the runs after
// a knocked ball (15, 16), the turn toward goal (6), the turns on the spot
// (112, 113), the turn away from pressure with a kick clear (111) and the
// knock past the nearest opponent (40).
#pragma once
#include <cstdint>

// Ticks of the running turn-away-and-kick (action 111).
extern uint16_t TurnAwayTicks;

// Actions 7 to 13: a turn with the ball and a touch along TurnTarget.
void Match_ActTurnWithBall(int16_t figure);
void Match_ActRunAfterBall(int16_t figure);     // 15
void Match_ActSprintAfterBall(int16_t figure);  // 16
void Match_ActTurnToGoal(int16_t figure);       // 6
void Match_ActTurnOnSpot(int16_t figure);       // 112, 113
void Match_ActTurnAwayAndKick(int16_t figure);  // 111
void Match_ActKnockPast(int16_t figure);        // 40
