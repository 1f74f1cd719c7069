// Collisions of the ball with posts, nets, lines, flags and walls.
#include "match/ball.h"
#include "match/matchengine.h"

// Least form until the goal frames, lines and walls are built: nothing
// solid stands on the pitch, so the probe never hits.
void Ball_Collide() {}
