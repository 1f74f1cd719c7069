// The small geometric routines the thinking, dribbling and deciding players
// share: the no-opponent-near test, the distance and aim direction to the
// goal a team attacks, and the one-unit step toward a point.
#pragma once
#include <cstdint>

#include "match/matchrules.h"

// The goal distance left by the last Match_GoalDistance or
// Match_GoalDirection (except mode 2): the match's one distance to goal.
inline int16_t& GoalDistanceScratch = DistanceToGoal;

// 1 when no opponent on the pitch is within his own reach of the ball
// (300 less his composure, as his role lets him use it), else 0.
int16_t Match_NoOpponentNear(int16_t figure);
// Sets GoalDistanceScratch to the figure's distance from the centre of the
// goal the team attacks.
void Match_GoalDistance(int16_t figure, int16_t team);
// The direction from the figure to the point he aims for on the goal line
// the team attacks: mode 0 lets a player short of the defence run up the
// wing or straight on; any other mode aims at the goal's centre.  Unless
// mode is 2 it also sets GoalDistanceScratch.
uint16_t Match_GoalDirection(int16_t figure, int16_t mode, int16_t team);
// Moves the figure one whole unit toward (x, y) on each axis where it is not
// there yet.
void Match_StepTowardX(int16_t figure, int16_t x, int16_t y);
