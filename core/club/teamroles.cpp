#include "core/club/teamroles.h"

uint16_t ClubRoleLists[kTeamRoles][kRoleChoices];
uint16_t Code120RoleChoices[kTeamRoles];

uint16_t MatchRoleHolders[kTeamRoles];
