// Least forms until the carrier's options and the pass starters are built:
// no pass target is ever found, so no pass starts; a carry sends the player
// toward the point; nobody is there for a lay-off; the keeper stays.
#include "match/carrieroptions.h"

#include "match/matchfigure.h"

int16_t Match_FindPassTarget(int16_t, int16_t) { return kNoPassTarget; }

void Match_StartPass(int16_t) {}

void Match_CarryBall(int16_t figure, int16_t, int16_t x, int16_t y) {
    if (figure < 0 || figure >= kPlayerFigures) return;
    MatchFigures[figure].targetX = x;
    MatchFigures[figure].targetY = y;
}

int16_t Match_FindLayOffMate() { return -1; }

void Match_StartKeeperRush(int16_t) {}
