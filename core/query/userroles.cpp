// The user's captain and set-piece takers, confirmed before his side goes
// out for a match.
#include "core/query/userroles.h"

#include <algorithm>
#include <iterator>

#include "core/base/random.h"
#include "core/club/mood.h"
#include "core/club/squads.h"
#include "core/club/teamroles.h"
#include "core/query/people.h"
#include "core/records/records.h"

namespace {

// Text of the stop when a role has no valid holder, by TeamRole.
constexpr int16_t kMissingRoleText[kTeamRoles] = {979, 983, 981, 980};

// After this many draws the first eligible slot is taken; a draw that
// keeps missing can then never hold the user up.
constexpr int kMaxDraws = 1024;

bool IsFilled(uint16_t entry) { return entry != 0 && IsValidPlayer(entry); }

bool InList(const SquadList& list, uint16_t player) {
    return std::find(std::begin(list.players), std::end(list.players), player) != std::end(list.players);
}

// A selected player who is none of the list's first four choices; 0 when
// the team has nobody else to offer.
uint16_t DrawReplacement(const uint16_t (&choices)[kRoleChoices]) {
    auto eligible = [&](uint16_t player) {
        return IsFilled(player) &&
               std::find(choices, choices + kRoleChoices - 1, player) == choices + kRoleChoices - 1;
    };
    const uint16_t* team = FirstTeamList.players;
    if (std::none_of(team, team + kSquadListSize, eligible)) return 0;
    for (int draw = 0; draw < kMaxDraws; ++draw) {
        const uint16_t candidate = team[GameRandom() % kSquadListSize];
        if (eligible(candidate)) return candidate;
    }
    return *std::find_if(team, team + kSquadListSize, eligible);
}

void RefreshList(uint16_t (&choices)[kRoleChoices]) {
    int i = 0;
    while (i < kRoleChoices) {
        const uint16_t player = choices[i];
        if (player == 0 || InList(FirstTeamList, player)) {
            ++i;
            continue;
        }
        // The later choices move up; the last one stays and is redrawn, and
        // entry i is looked at again since it now holds the next choice.
        std::copy(choices + i + 1, choices + kRoleChoices, choices + i);
        choices[kRoleChoices - 1] = DrawReplacement(choices);
    }
}

bool IsValidChoice(uint16_t player, int role, int16_t club, const SquadList& team,
                   uint16_t (*shirtOf)(uint16_t)) {
    if (player == 0 || !InList(team, player)) return false;
    const uint16_t shirt = shirtOf(player);
    const uint16_t lowest = role == kRoleCaptain ? 1 : 2;  // the keeper takes no set piece
    return shirt >= lowest && shirt <= 11 && GetPlayerClub(player) == uint16_t(club);
}

// Confirms the four choices; the club's lists are refreshed and its
// captain flags cleared first, whichever choices are checked.
int16_t CheckRoles(int16_t club, bool code120) {
    HVW_RefreshClubRoleLists(club);
    ClearClubCaptains(club);
    HVW_BuildSquadList(club);

    const SquadList& team = code120 ? ReserveList : FirstTeamList;
    auto shirtOf = code120 ? GetPlayerIntShirt : GetPlayerShirt;
    int16_t missing = -1;
    for (int role = 0; role < kTeamRoles; ++role) {
        const uint16_t choice = code120 ? Code120RoleChoices[kCode120Word[role]] : ClubRoleLists[role][0];
        if (!IsValidChoice(choice, role, club, team, shirtOf)) {
            if (missing == -1) missing = kMissingRoleText[role];
            continue;
        }
        if (role == kRoleCaptain) SetPlayerCaptain(choice, 1);
        MatchRoleHolders[role] = choice;
    }
    return missing;
}

}  // namespace

void HVW_RefreshClubRoleLists(int16_t club) {
    HVW_BuildSquadList(club);
    for (auto& list : ClubRoleLists) RefreshList(list);
}

int16_t HVW_CheckClubRoleChoices(int16_t club) { return CheckRoles(club, false); }

int16_t HVW_CheckCode120RoleChoices(int16_t club) { return CheckRoles(club, true); }
