// The user's captain and set-piece takers chosen as the team screens would
// before his match: every role goes to the first player of the side's list
// who wears a shirt of 2 to 11.
#pragma once
#include <cstdint>

#include "core/club/squads.h"
#include "core/club/teamroles.h"
#include "core/query/people.h"
#include "core/records/records.h"
#include "core/season/fixtures.h"

namespace testenv {

// code120: the reserve-league side (its list and reserve shirts).  Returns
// the player chosen, 0 when the side has nobody to choose.
inline uint16_t ChooseSideRoles(int16_t club, bool code120) {
    HVW_BuildSquadList(club);
    const SquadList& list = code120 ? ReserveList : FirstTeamList;
    for (uint16_t player : list.players) {
        if (player == 0 || player >= PlayerCount || GetPlayerClub(player) != uint16_t(club)) continue;
        const uint16_t shirt = code120 ? GetPlayerIntShirt(player) : GetPlayerShirt(player);
        if (shirt < 2 || shirt > 11) continue;
        for (int role = 0; role < kTeamRoles; ++role) {
            if (code120) {
                Code120RoleChoices[kCode120Word[role]] = player;
            } else {
                ClubRoleLists[role][0] = player;
            }
        }
        return player;
    }
    return 0;
}

// The side that plays today without the players the club has out on loan
// (the pick can name one, and the match sheet would refuse him against his
// loan club), as a manager reading the players' availability would leave
// them out.
inline void LeaveOutLoanedPlayers(int16_t club, bool reserveSide) {
    HVW_BuildSquadList(club);
    const SquadList& list = reserveSide ? ReserveList : FirstTeamList;
    for (uint16_t player : list.players) {
        if (player == 0 || player >= PlayerCount || GetPlayerClub(player) != uint16_t(club)) continue;
        if (GetPlayerLoanClub(player) == uint16_t(club)) continue;
        if (reserveSide) {
            SetPlayerIntShirt(player, 0);
        } else {
            SetPlayerShirt(player, 0);
        }
    }
}

// Both sides of the club named and their roles chosen, as a manager who
// reads the day's fixture would.  The side that plays today is picked last
// so that its picks stand: a first-team pick that finds no fit player of
// its own for a shirt borrows one from the reserve list, which can leave
// the reserve side short of the sixteen its match sheet needs.  Players
// banned or cup-tied for the competition stay out of the first team.
inline void PickSidesForFixture(int16_t club, int16_t fixtureType) {
    const bool reserveDay = fixtureType == kCompReserveLeague;
    const int16_t firstTeamType = reserveDay ? int16_t(kCompLeague) : fixtureType;
    auto pickFirstTeam = [club, firstTeamType] {
        CurrentClubManager = FindClubManager(club);
        BuildClubSquadList(club);
        SelectClubTeamByFormation(club, 5, 0, firstTeamType);
    };
    pickFirstTeam();
    SelectReserveTeamByFormation(club, 5, 0, kCompReserveLeague);
    if (!reserveDay) pickFirstTeam();
    LeaveOutLoanedPlayers(club, reserveDay);
    ChooseSideRoles(club, false);
    ChooseSideRoles(club, true);
}

}  // namespace testenv
