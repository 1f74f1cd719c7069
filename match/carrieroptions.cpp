// Least forms until the carrier's options and the pass starters are built:
// no pass target is ever found, so no pass starts; nobody is there for a
// lay-off; the keeper stays.  The carry is the dribble's (match/dribble.cpp).
#include "match/carrieroptions.h"

#include "match/matchfigure.h"

int16_t Match_FindPassTarget(int16_t, int16_t) { return kNoPassTarget; }

void Match_StartPass(int16_t) {}

int16_t Match_FindLayOffMate() { return -1; }

void Match_StartKeeperRush(int16_t) {}
