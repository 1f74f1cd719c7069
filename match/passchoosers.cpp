#include "match/passing.h"

// Least forms until the pass choosers are built: nobody is found to pass
// to, so the carrier keeps the ball.
int16_t Match_ChooseShortPass(int16_t, int16_t) { return kNoPassReceiver; }
int16_t Match_ChooseSafePass(int16_t) { return kNoPassReceiver; }
int16_t Match_ChooseLongPass(int16_t, int16_t) { return kNoPassReceiver; }
int16_t Match_ChooseFarPass(int16_t) { return kNoPassReceiver; }
int16_t Match_ChooseVeryLongPass(int16_t) { return kNoPassReceiver; }
int16_t Match_ChooseThroughPass(int16_t) { return kNoPassReceiver; }
int16_t Match_ChooseCross(int16_t) { return kNoPassReceiver; }
