// The officials' small action machine (the referee, figure 32, and the
// second official, 33), the animation stepping every action handler uses,
// and the referee's leaning.
#pragma once
#include <cstdint>

// Officials still walking to their places this tick.
extern uint8_t NotReadyCount;
// The referee's pending disciplinary call: 7 talk, 8 booking, 9 sending off.
extern uint16_t RefereeAction;
// The player the referee's call is about.
extern int16_t RefereeOffender;

// The frame count of a motion clip; replaceable so that the stepping can
// run without the clip archive.
extern uint32_t (*MatchClipFrameCount)(int32_t clip);

void MatchOfficialsTick();

void MatchStepPlayerAnim(int16_t figure, uint16_t targetHeading);
int16_t MatchTrySetPlayerAnim(int16_t figure, int16_t clip, int16_t step);
int16_t MatchSetPlayerAnim(int16_t figure, int16_t clip, int16_t step, uint16_t nextAction);
void MatchSetPlayerAnimKeepFrame(int16_t figure, int16_t clip, int16_t step, int16_t restartFrame);
void MatchSetPlayerAnimMirrored(int16_t figure, int16_t clip, int16_t step, int16_t restartFrame);
int16_t MatchAttackChance();
void MatchBallHolderUpdate();

// Ground marker the display draws under the ball, moved with the ball.
extern int32_t BallMarkerX, BallMarkerY;
