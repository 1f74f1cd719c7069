// The players' action handlers, one per action code, grouped by family.
// Families not yet built run the least form: the player stands, turning
// toward the ball.  The kick-off's walk to the centre and first pass are
// carried by a least form that starts open play.
#pragma once
#include <cstdint>

// Ticks the kick-off partner has spent in his action.
extern int16_t KickOffTicks;
// Ticks the kick-off taker has waited at his place.
extern int16_t KickOffWaitCount;

// Actions whose handler does nothing at all.
void Match_ActNothing(int16_t figure);
// The least form of an action not built yet: stand turning to the ball.
void Match_ActStandTurningToBall(int16_t figure);
// Walk to the kick-off place beside the centre spot; there, after a short
// wait, the kick-off whistle phase begins.
void Match_ActKickOffWalk(int16_t figure);
// The kick-off partner: to his place, and after the whistle to the ball,
// which starts open play with his team in possession.
void Match_ActKickOffPartner(int16_t figure);
// The penalty: in the shoot-out the taker walks to the ball and the kick
// is decided there (three in four go in) until the kick and the ball's
// flight are built; elsewhere the taker stands.
void Match_ActPenaltyKick(int16_t figure);
