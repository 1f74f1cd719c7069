// The ball meeting the players.
#include "match/ball.h"
#include "match/matchengine.h"

// Least form until the players' contacts are built: only the kick grace,
// which the flight reads, counts down here.
void Ball_PlayerContacts() {
    if (BallState.kickGrace > 0) --BallState.kickGrace;
}
