// The four team roles of the user's side: captain, corner taker, free-kick
// taker and penalty taker.  The choices are saved with the game as the
// team-selection tables and words; the holders of the coming match are not.
#pragma once
#include <cstdint>

#include "core/club/squads.h"

enum TeamRole : int {
    kRoleCaptain = 0,
    kRoleCornerTaker = 1,
    kRoleFreeKickTaker = 2,
    kRolePenaltyTaker = 3,
};
constexpr int kTeamRoles = 4;
constexpr int kRoleChoices = 5;

// Per role five player numbers, first choice first; 0 an empty entry.
extern uint16_t ClubRoleLists[kTeamRoles][kRoleChoices];

// One player per role for the club's code-120 matches (0 = no choice),
// kept in the order captain, free-kick taker, corner taker, penalty taker.
extern uint16_t Code120RoleChoices[kTeamRoles];
// Word of Code120RoleChoices that holds a role.
constexpr int kCode120Word[kTeamRoles] = {0, 2, 1, 3};

// The player holding each role in the coming match, by TeamRole; 0 none.
extern uint16_t MatchRoleHolders[kTeamRoles];
