#include "season/teamselection.h"

#include "database/Access.h"
#include "database/ranges.h"
#include "management/playervalue.h"
#include "management/squads.h"
#include "season/calendar.h"
#include "season/clubfixtures.h"
#include "season/fixtures.h"

namespace {

// Counts the first-team players of the position whose position group is
// the given one (0: positions 0-4, 1: 5-8, 2: 9-12).
int16_t CountInGroup(int16_t position, int group) {
    int16_t count = 0;
    for (int i = 0; i < FirstTeamList.count; ++i) {
        uint16_t player = FirstTeamList.players[i];
        if (!IsValidPlayer(player)) continue;
        int p = GetPlayerPosition(player);
        int g = p <= 4 ? 0 : p <= 8 ? 1 : p <= 12 ? 2 : -1;
        if (g == group && p == position) ++count;
    }
    return count;
}

}  // namespace

int16_t PickPlayersForPosition1(int16_t position) { return CountInGroup(position, 0); }
int16_t PickPlayersForPosition2(int16_t position) { return CountInGroup(position, 1); }
int16_t PickPlayersForPosition3(int16_t position) { return CountInGroup(position, 2); }

int16_t GetSquadEntry(int16_t index) {
    if (index < 0 || index >= kSquadListSize) return 0;
    return int16_t(FirstTeamList.players[index]);
}

void InstallHumanManagers(uint16_t a, uint16_t b) {
    (void)a, (void)b;
    for (int16_t club = 0; club < kClubCount; ++club) {
        uint16_t manager = GetClubControl(club);
        if (manager == 0 || !IsValidPlayer(manager)) continue;
        SetPlayerClub(manager, club);
        SetPlayerHalvorn(manager, 1);
    }
}

namespace {

// Not already in the side, at the club, free to play this competition.
bool IsSlotCandidate(uint16_t player, int16_t club, int16_t competitionType) {
    const uint16_t shirt = competitionType == 120 ? GetPlayerIntShirt(player) : GetPlayerShirt(player);
    if (shirt != 0 || GetPlayerIntDuty(player) != 0 || GetPlayerClub(player) != uint16_t(club)) return false;
    // Never against his owning club without leave, never unfit once the season is on.
    const int16_t opponent = FindNextFixtureOfClub(club);
    if (GetPlayerLoanClub(player) != GetPlayerClub(player) && GetPlayerFlag120Bit12(player) == 0 &&
        opponent >= 0 && GetPlayerLoanClub(player) == uint16_t(opponent)) {
        return false;
    }
    const int nation = GetClubNation(club) < 9 ? GetClubNation(club) : 0;
    if (SeasonCalendar.currentDay >= SeasonCalendar.leagueStartDay[nation] && GetPlayerFitness(player) < 48) {
        return false;
    }
    const bool european = competitionType >= kCompFirstEuropeanCup && competitionType <= kCompLastCup;
    if (european ? GetPlayerEuroBan(player) != 0 : IsPlayerSuspended(player) != 0) return false;
    if (competitionType >= kCompFirstNationalCup && competitionType <= kCompLastCup) {
        const int block = (competitionType - kCompFirstNationalCup) / 16;
        const int slot = block < 5 ? block : 6;
        const int nation = GetClubNation(club);
        if (GetPlayerLoanClub(player) != GetPlayerClub(player)) return false;
        if (slot < 4 && nation >= 9) return GetPlayerIT(player) == 0;
        const uint16_t registered = GetPlayerCup(player, int16_t(slot), int16_t(slot < 4 ? nation : 0));
        if (registered != uint16_t(club) && registered != kNoClub) return false;
    }
    return GetPlayerIT(player) == 0;
}

uint16_t BestOfList(const SquadList& list, int16_t club, int16_t position, int16_t competitionType) {
    uint16_t best = 0;
    int16_t bestRating = 0;
    const int count = list.count < kSquadListSize ? list.count : kSquadListSize;
    for (int i = 0; i < count; ++i) {
        const uint16_t p = list.players[i];
        if (!IsPlayerNumber(p) || !IsSlotCandidate(p, club, competitionType)) continue;
        if ((position == 0) != (GetPlayerPosition2(p) == 0)) continue;
        const int16_t rating = RatePlayerAbility(p, position);
        if (best == 0 || rating > bestRating) {
            best = p;
            bestRating = rating;
        }
    }
    return best;
}

}  // namespace

uint16_t PickReserveForSlot(int16_t club, int16_t position, int16_t competitionType, int16_t) {
    return BestOfList(ReserveList, club, position, competitionType);
}

uint16_t PickSideForCompetition(int16_t club, int16_t position, int16_t competitionType, int16_t) {
    const uint16_t youth = BestOfList(YouthList, club, position, competitionType);
    return youth != 0 ? youth : BestOfList(ReserveList, club, position, competitionType);
}
