// The carrier's pass-target search is the short-pass chooser, and the pass
// it found starts with the short-pass starter (standing, he plays it with
// the standing strikes); a lay-off goes to the
// team-mate the quick-pass chooser finds.  The carry is the dribble's
// (core/match/dribble.cpp).
#include "core/match/carrieroptions.h"

#include "core/match/matchfigure.h"
#include "core/match/passing.h"

namespace {

// The receiver the last search found for a passer, kept for the start.
int16_t foundReceiver = kNoPassTarget;
int16_t foundFor = -1;

}  // namespace

int16_t Match_FindPassTarget(int16_t figure, int16_t mode) {
    if (figure < 0 || figure >= kPlayerFigures) return kNoPassTarget;
    foundFor = figure;
    foundReceiver = Match_ChooseShortPass(figure, mode);
    return foundReceiver;
}

void Match_StartPass(int16_t figure) {
    if (figure != foundFor || foundReceiver == kNoPassTarget) return;
    int16_t x = 0, y = 0;
    if (foundReceiver >= 0 && foundReceiver < kPlayerFigures) {
        x = MatchFigures[foundReceiver].x;
        y = MatchFigures[foundReceiver].y;
    }
    // The carrier's pass may come before he has moved off with the ball.
    Match_StartStandingPass(figure, foundReceiver, x, y);
    foundReceiver = kNoPassTarget;
    foundFor = -1;
}

int16_t Match_FindLayOffMate(int16_t figure) {
    if (figure < 0 || figure >= kPlayerFigures) return kNoPassTarget;
    return Match_ChooseQuickPass(figure);
}
