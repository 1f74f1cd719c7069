#include "season/matchsetup.h"

#include <cstdio>
#include <cstring>

#include "database/Access.h"
#include "database/disk.h"
#include "database/ranges.h"
#include "management/board.h"
#include "management/squads.h"
#include "match/matchsetup.h"
#include "support/bytes.h"

#define DIV \
    { 3, 5, 0 }
#define NONE \
    { 0, 0, 0 }

// Country 0 has five divisions, 1-3 four, 4 five, 5, 7 and 8 two, 6 three.
const uint8_t DivisionMatchRules[kCountryCount][kDivisionCount][3] = {
    {DIV, DIV, DIV, DIV, DIV, NONE},   {DIV, DIV, DIV, DIV, NONE, NONE},   {DIV, DIV, DIV, DIV, NONE, NONE},
    {DIV, DIV, DIV, DIV, NONE, NONE},  {DIV, DIV, DIV, DIV, DIV, NONE},    {DIV, DIV, NONE, NONE, NONE, NONE},
    {DIV, DIV, DIV, NONE, NONE, NONE}, {DIV, DIV, NONE, NONE, NONE, NONE}, {DIV, DIV, NONE, NONE, NONE, NONE},
};
#undef DIV
#undef NONE

const int32_t BroadcastMoney[kCountryCount][kDivisionCount] = {
    {10000000, 4000000, 1000000, 500000, 200000, 100000},
    {10000000, 4000000, 1000000, 500000, 200000, 100000},
    {10000000, 4000000, 1000000, 1000000, 200000, 100000},
    {10000000, 4000000, 1000000, 1000000, 1000000, 1000000},
    {10000000, 4000000, 1000000, 500000, 200000, 100000},
    {10000000, 4000000, 1000000, 500000, 200000, 100000},
    {10000000, 4000000, 1000000, 500000, 500000, 100000},
    {10000000, 4000000, 1000000, 500000, 200000, 100000},
    {10000000, 4000000, 1000000, 500000, 200000, 100000},
};

const int16_t TicketPrice[kCountryCount][kDivisionCount] = {
    {30, 8, 4, 3, 2, 2},  {30, 8, 4, 3, 4, 4},  {30, 8, 4, 4, 2, 2},
    {30, 10, 4, 4, 4, 4}, {30, 10, 8, 6, 4, 4}, {30, 10, 4, 4, 4, 4},
    {30, 10, 8, 6, 6, 4}, {30, 10, 4, 4, 4, 4}, {30, 10, 4, 4, 4, 4},
};

const int16_t CountryInPlay[kCountryCount] = {1, 1, 1, 1, 1, 1, 1, 1, 1};

// Until the match set-up block is built, the saved team holds what the
// team block says of the user's club: its name, its number and its first
// sixteen players with their names, record numbers, positions and shirts.
void AutoSelectTeamForSave() {
    using namespace gameinfo;
    constexpr int kSquadPlayers = 16;
    std::memset(SavedTeamInfo, 0, sizeof SavedTeamInfo);
    const int16_t club = GetUserClub();
    if (!IsClubNumber(club)) return;
    std::memcpy(SavedTeamInfo + kTeamName, ClubNameRecords[club].text[0], kClubNameLength);
    recbits::StoreU16(SavedTeamInfo + kTeamClub, uint16_t(club));
    SavedTeamInfo[kHumanManaged] = 0;
    BuildClubSquadList(club);
    for (int i = 0; i < kSquadPlayers && i < FirstTeamList.count; ++i) {
        const uint16_t player = FirstTeamList.players[i];
        if (!IsValidPlayer(player)) continue;
        uint8_t* entry = SavedTeamInfo + kTeamPlayers + kPlayerInfoSize * i;
        std::snprintf(reinterpret_cast<char*>(entry + kPlayerInfoName), kPlayerNameLength, "%.15s",
                      GetPlayerSurname(player));
        recbits::StoreU16(entry + kPlayerInfoNumber, player);
        entry[kPlayerInfoType] = uint8_t(GetPlayerPosition2(player));
        recbits::StoreU16(entry + kPlayerShirt, uint16_t(i + 1));
    }
}
