// Whom to pass to and how the pass starts: the choosers look at the
// team-mates in a band of distances and return a receiver (a figure), -2
// for a pass into the space in front of the passer's run target, or -3
// for none; the starters turn that choice into the passer's striking
// action and leave the pass target and receiver for it.
#pragma once
#include <cstdint>

constexpr int16_t kNoPassReceiver = -3;
constexpr int16_t kPassIntoSpace = -2;
constexpr int16_t kPassToPoint = -1;

// The space target of the last chooser that found one.
extern int16_t SpaceTargetX, SpaceTargetY;

int16_t Match_ChooseShortPass(int16_t figure, int16_t mode);
int16_t Match_ChooseSafePass(int16_t figure);
int16_t Match_ChooseLongPass(int16_t figure, int16_t mode);
int16_t Match_ChooseFarPass(int16_t figure);
int16_t Match_ChooseVeryLongPass(int16_t figure);
int16_t Match_ChooseThroughPass(int16_t figure);
int16_t Match_ChooseCross(int16_t figure);
int16_t Match_ChooseQuickPass(int16_t figure);
int16_t Match_ChooseHeadedPass(int16_t figure);

void Match_StartShortPass(int16_t figure, int16_t receiver, int16_t x, int16_t y);
// The short pass of a carrier who may be standing: standing (Gait 0), he
// plays a forward pass or a back-heel standing, and a pass to the side as
// the short-pass starter does.
void Match_StartStandingPass(int16_t figure, int16_t receiver, int16_t x, int16_t y);
void Match_StartLongPass(int16_t figure, int16_t receiver);
void Match_StartFarPass(int16_t figure, int16_t receiver);
void Match_StartVeryLongPass(int16_t figure, int16_t receiver);
void Match_StartThroughPass(int16_t figure, int16_t receiver);
// 0 when the cross was started (the caller stops), 1 when it declined.
int16_t Match_StartCross(int16_t figure, int16_t receiver, int16_t x, int16_t y, int16_t mode);
