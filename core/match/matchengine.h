// The engine's side of the match as the frame sees it: the shared state of
// the running match (ball, line-up, current team, ranking) and the engine's
// jobs that the tick calls.  The jobs here are the least the frame needs
// until the engine's own modules take them over: they keep the state sane
// and move nothing.
#pragma once
#include <cstdint>

#include "core/match/actions.h"
#include "core/match/matchfigure.h"

// ---------------------------------------------------------------------------
// Shared state.

struct BallStateRecord {
    int16_t x, y, z;        // integer position and height
    int32_t x16, y16, z16;  // 16.16 position
    int32_t vx, vy, vz;     // 16.16 velocity per tick
    uint16_t direction;     // travel direction 0..255, 256 when still
    int16_t holder;         // figure + 1 holding the ball in his hands, 0 none
    int16_t controller;     // figure + 1 holding it at a restart, 0 none
    int32_t swerve[3];      // swerve components added while swerveTime lasts
    uint16_t swerveTime;
    int32_t windX, windY;     // 16.16 per tick, added to a high free ball
    int16_t drag;             // thousandths of the horizontal velocity kept per tick
    int32_t gravity;          // 16.16 taken from the vertical velocity per tick
    float bounceKeep;         // share of the horizontal velocity kept at a bounce
    float bounceRestitution;  // share of the vertical velocity returned at a bounce
    int16_t probeX, probeY;   // the whole-unit point the collision test examines
    int16_t collisionCount;   // collision responses since the last clear
    uint8_t speed;            // |vx| + |vy| in whole units per tick
    int16_t predicted[3][2];  // x, y about 6.5, 22 and 87 ticks ahead
    int16_t kickGrace;        // ticks after a kick while spin survives the grass
    int16_t landingMarker;    // set while the landing-point marker is shown
    int16_t netCooldown;      // ticks before another net sound may play
    int16_t phaseCountdown;   // ticks counted down for the match phases
};
extern BallStateRecord BallState;
// The factor every kick's power is multiplied by.
extern float BallKickPower;

// Per team the figure index of each of the 16 slots; slot 0 the goalkeeper.
extern int16_t MatchLineUp[2][kTeamFigures];
// Per team its players by distance to the ball, nearest first.
extern int16_t BallRanking[2][kTeamFigures];
// Each team's designated player (figure), 255 none.
extern uint16_t DesignatedPlayer[2];
// The team and position of the figure being handled.
extern uint8_t CurrentTeam;
extern int16_t MatchCurX, MatchCurY;
extern int32_t MatchCurX16, MatchCurY16;
// The event the display shows this tick; 35 ordinary play.
extern uint8_t MatchEvent;
// The last and previous figure to touch the ball, -1 none.
extern int16_t LastToucher;
extern int16_t PreviousToucher;
// Each team's last-defender line (the y of its deepest outfield player on
// the pitch), read by the offside rule.
extern int16_t MatchLastDefenderY[2];
// Per team the figure of the captain, penalty, free-kick and corner taker.
extern int16_t CaptainFigure[2];
extern int16_t PenaltyTakerFigure[2];
extern int16_t FreeKickTakerFigure[2];
extern int16_t CornerTakerFigure[2];

// Each team's challenger for the ball (figure), kNoChallenger none yet.
extern int16_t TeamChallenger[2];
constexpr int16_t kNoChallenger = 255;
// The ball's speed over the ground in whole units per tick.
extern int16_t BallGroundSpeed;
// The first player figure with the ball under control, -1 none.
extern int16_t BallCarrierFigure;
// The strength of the last kick, and the x at which the ball last crossed a
// goal line; the match sounds read them.
extern int8_t KickStrength;
extern int16_t GoalLineCrossX;

constexpr uint16_t kNoDesignated = 255;
constexpr uint8_t kOrdinaryPlay = 35;

// Puts the shared state in its start form: line-up slot i of team t is
// figure 16t + i, nobody ranked or designated, the ball on the centre spot.
void MatchResetEngineState();

// ---------------------------------------------------------------------------
// The engine's jobs.

// Sets the figure's action and clears the fields of the running action.
void Match_SetPlayerAction(int16_t figure, uint16_t action);
void Match_UpdatePlayerGroup();
// Runs every player's action handler.
void Match_UpdatePlayers();
// The substitute for a player who must leave; negative when none.
int16_t Match_PickSetPieceTaker(int16_t team, int16_t leaving);
// The ball changes hands: the team's possession starts.
void Match_ChangePossession(int16_t team, int16_t figure);
// Figure + 1 of an opponent standing on the spot just ahead of a player
// running with the ball, 0 none.
int16_t Match_OpponentAhead(int16_t figure);
