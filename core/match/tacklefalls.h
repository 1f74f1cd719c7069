// The tackles on the player on the ball and his side of them: the sliding
// tackle (56), which may reach his body instead of the ball and be a foul
// with a card, the standing tackle (32), and the carrier's hurdle over a
// tackle (37), his fall forward with the injury that may follow (33) and
// his sliding fall (73).
#pragma once
#include <cstdint>

// One pitch mark per move: the sliding tackle's and the sliding fall's.
extern uint16_t TackleSlideMarkFlag;
extern uint16_t FallMarkFlag;

// Injury states of a figure brought down.
constexpr uint8_t kInjuryNone = 0;
constexpr uint8_t kInjuryHurt = 1;
constexpr uint8_t kInjuryLying = 2;
constexpr uint8_t kInjuryGettingUp = 3;

// Clears the marks and the camera focus (at the start of a match).
void Match_ResetTackleFalls();

void Match_ActSlideTackle(int16_t figure);  // 56
void Match_ActBlockTackle(int16_t figure);  // 32
void Match_ActHurdle(int16_t figure);       // 37
void Match_ActFallForward(int16_t figure);  // 33
void Match_ActSlidingFall(int16_t figure);  // 73
