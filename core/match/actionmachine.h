// The player action machine: each player figure runs one action
// (MatchActionCode 0..205) whose handler the dispatcher calls once a tick,
// with three flags per action that say whether the head follows the ball,
// whether the player is free to react and whether a high ball may take him
// out of it.  Match_SetPlayerAction, Match_UpdatePlayers and
// Match_UpdatePlayerGroup are declared with the engine's jobs
// (core/match/matchengine.h).
#pragma once
#include <array>
#include <cstdint>

#include "core/match/actions.h"
#include "core/match/matchengine.h"

struct MatchActionFlags {
    uint8_t headFollowsBall;   // 1: the group update turns the head toward the ball
    uint8_t freeToReact;       // 0 busy, 1 free, 2 free until he has kicked the ball
    uint8_t highBallReaction;  // 1: the high-ball reaction may take him out of it
};

using MatchActionHandler = void (*)(int16_t figure);

extern const MatchActionFlags MatchActionFlagTable[kMatchActionCount];
extern const std::array<MatchActionHandler, kMatchActionCount> MatchActionTable;

// Whether a player in the action may take a new task: 0 never, 1 yes,
// 2 only until he has kicked the ball in it.  Actions outside the table: 0.
// Inline: asked for every player several times a tick.
inline int MatchActionReactFlag(uint16_t action) {
    return action < kMatchActionCount ? MatchActionFlagTable[action].freeToReact : 0;
}

// Players that ran toward their target this tick.
extern uint8_t RunningCount;

// The handler of an action code; a code outside 0..205 ends the program.
MatchActionHandler MatchActionHandlerOf(uint16_t action);
