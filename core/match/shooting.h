// The shots and strikes of a player on the ball at the match's aim point:
// the blurred strikes and long drives, the shots that turn onto the aim,
// and the dummies that take the ball round the goalkeeper.
#pragma once
#include <cstdint>

// Actions 129 to 132: a shot, or from beyond 35 yards a long strike,
// blurred by the skill and the turn the striker must make.
void Match_ActAimedStrike(int16_t figure);
// Actions 97, 98, 106 and 107: unblurred shots that turn every tick.
void Match_ActTurningShot(int16_t figure);
// Actions 133, 134, 138 and 139: the dummy that sends the keeper down and
// pushes the ball past him.
void Match_ActRoundTheKeeper(int16_t figure);

// Counts a shot by the figure: his and his team's shot counters, the last
// shot's origin and minute, the last shooter, and the shot the keeper now
// faces (the shooter and the shot timers).
void MatchCountShot(int16_t figure);
