// Small routines shared by the restart actions: where the working figure
// stands, the ball put on a spot, the marker figure, the fetch of a dead
// ball (the run to it and the pick-up) and facing a point.
#pragma once
#include <cstdint>

#include "core/match/matchfigure.h"

namespace setpiece {

inline int TeamOf(int16_t figure) { return figure / kTeamFigures; }
inline bool IsPlayer(int figure) { return figure >= 0 && figure < kPlayerFigures; }

// The marker figure (the display's restart target).
MatchFigure& Marker();
// Whether the working position lies within 5 of the point, the ball lower
// than the height limit.
bool AtPoint(int x, int y, int heightLimit);
// Whether the ball is within 24 of the working position and lower than
// 1000.
bool BallWithinReach();
// The working position and the ball put exactly on a point.
void PutCurrentAt(int x, int y);
void PutBallAt(int x, int y);
// Turns the figure to face a point from the working position at once.
void FacePoint(int16_t figure, int x, int y);
// Keeps the ball at least one unit inside the touchlines and goal lines.
void KeepBallInsideLines();
// The team's goals with the first-leg goals, against the other team's.
bool TeamBehind(int team, bool withFirstLeg);
// The middle of the goal line the team attacks.
int AttackedGoalY(int team);
int DefendedGoalY(int team);

// The run to a dead ball and its pick-up, stages 0 and 1 of the fetches (the
// figure's HasKicked).  Returns true once the pick-up clip is over (stage 2
// reached); the caller goes on from there.
enum class FetchHold { AtFeet, InHands };
bool FetchTheBall(int16_t figure, FetchHold hold);

}  // namespace setpiece
