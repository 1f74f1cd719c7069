// Query layer: the user's captain and set-piece takers, confirmed before his
// side goes out for a match.
#pragma once
#include <cstdint>

// Removes from the user's four role lists every player who has left the
// club's selected team, moving the later choices up and drawing a new last
// choice from the team.
void HVW_RefreshClubRoleLists(int16_t club);

// Checks the first choice of each role (the code-120 choices for the
// second) against the selected team (the national squad), gives the
// captain his flag and publishes the holders in MatchRoleHolders.  -1 when
// every role has a valid holder, else the text id of the first role that
// has none: captain 979, corner taker 983, free-kick taker 981, penalty
// taker 980.
int16_t HVW_CheckClubRoleChoices(int16_t club);
int16_t HVW_CheckCode120RoleChoices(int16_t club);
