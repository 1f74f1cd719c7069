#include "match/passing.h"

#include "match/matchfigure.h"
#include "match/shotchoice.h"

int16_t SpaceTargetX, SpaceTargetY;

namespace {

// Least forms until the pass starters are built: the target and receiver
// are recorded and the passer keeps the ball.
void Record(int16_t receiver) {
    MatchPassReceiver = receiver;
    if (receiver == kPassIntoSpace) {
        MatchPassTargetX = SpaceTargetX;
        MatchPassTargetY = SpaceTargetY;
    } else if (receiver >= 0 && receiver < kPlayerFigures) {
        MatchPassTargetX = MatchFigures[receiver].x;
        MatchPassTargetY = MatchFigures[receiver].y;
    }
}

}  // namespace

void Match_StartShortPass(int16_t, int16_t receiver, int16_t x, int16_t y) {
    Record(receiver);
    if (receiver >= 0) {
        MatchPassTargetX = x;
        MatchPassTargetY = y;
    }
}
void Match_StartLongPass(int16_t, int16_t receiver) { Record(receiver); }
void Match_StartFarPass(int16_t, int16_t receiver) { Record(receiver); }
void Match_StartVeryLongPass(int16_t, int16_t receiver) { Record(receiver); }
void Match_StartThroughPass(int16_t, int16_t receiver) { Record(receiver); }
int16_t Match_StartCross(int16_t, int16_t receiver, int16_t, int16_t, int16_t) {
    Record(receiver);
    return 1;
}
