#include "management/trialmove.h"

#include "database/Access.h"
#include "database/ranges.h"
#include "management/squads.h"

void CheckPlayerClubChange(uint16_t player, int16_t club, int16_t weeks) {
    if (!IsPlayerNumber(player) || !IsClubNumber(club)) return;
    const int16_t parent = int16_t(GetPlayerClub(player));
    // The host pays, no loan terms, no cup may be played.
    SetPlayerField120Bits9(player, 2);
    SetPlayerFlag120Bit12(player, 0);
    SetPlayerFlag120Bit11(player, 0);
    SetPlayerCupFlag0(player, 0);
    SetPlayerCupFlag1(player, 0);
    SetPlayerCupFlag2(player, 0);
    SetPlayerCupFlag3(player, 0);
    SetPlayerCupFlag4(player, 0);
    SetPlayerCupFlag5(player, 0);
    SetPlayerLoanList(player, 0);
    SetPlayerLoanTrial(player, 1);
    SetPlayerLoanClub(player, parent);
    SetPlayerLoanClubFans(player, int16_t(GetPlayerFans(player)));
    SetPlayerFans(player, 48);
    SetPlayerClub(player, club);
    SetPlayerLoanPeriod(player, weeks);
    SetPlayerIntShirt(player, 0);
    SetPlayerFlag107(player, 0);
    SetPlayerFlag118(player, 0);
    SetPlayerShirt(player, 0);
    SetPlayerField116(player, int16_t(GetPlayerField92(player)));
    SetPlayerField92(player, NextFreeSquadNumber(club, player));
    RebuildClubRoster(club);
}
