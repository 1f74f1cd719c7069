// The ball meeting the players: rebounds, drops off the chest, stops at the
// feet, who takes it, possession, offside marks; and the routines the
// action handlers call to keep the ball at a player's feet.
#pragma once
#include <cstdint>

// Ticks after a rebound during which nobody can touch the ball.
extern int16_t BallDeflectionCooldown;
// The kicker, who cannot touch his own moving ball, is the kicking code's
// last kicker (LastKicker, strikes.h).
// The receiver of a pass, who takes even a fast ball as a slow one (-1 none);
// the pass records set it at the strike.
extern int16_t BallFavouredPlayer;
// The team of the last touch.
extern uint8_t BallTouchTeam;
// Each team's last player to touch the ball.
extern int16_t TeamLastToucher[2];
// The pass marker and the ticks before it is reset to -1.
extern int8_t PassMarker;
extern int16_t PassMarkerCountdown;

// Clears the contact state (and the stoppage marks of the collisions) for a
// new period; the teams' last touchers become their goalkeepers, so that
// they always name a player.
void Ball_ResetContacts();
// Stills the ball and puts it 12 units ahead of the player.
void Ball_PlaceAtFeet(int16_t player);
// Stills the ball and keeps it at the running player's feet.
void Ball_KeepAtFeet(int16_t player);

// The height up to which a player can touch the ball, and the reach on each
// axis.
constexpr int16_t kBallTouchHeight = 110;
constexpr int16_t kBallTouchReach = 9;
