#include "core/club/teamroles.h"

static_assert(sizeof TeamSelectionTables == sizeof ClubRoleLists);
static_assert(sizeof TeamSelectionWords >= 2 * (3 + kTeamRoles));

uint16_t MatchRoleHolders[kTeamRoles];
