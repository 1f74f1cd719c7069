// The query layer's forwarders into the season, club-management, history
// and menu code.
#include "core/query/forwarders.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "core/base/corehooks.h"
#include "core/base/random.h"
#include "core/club/bids.h"
#include "core/club/board.h"
#include "core/club/contracts.h"
#include "core/club/mood.h"
#include "core/club/playervalue.h"
#include "core/club/squads.h"
#include "core/club/squadupkeep.h"
#include "core/club/stadium.h"
#include "core/club/transferprices.h"
#include "core/club/transfers.h"
#include "core/query/people.h"
#include "core/records/frontstate.h"
#include "core/records/history.h"
#include "core/records/honours.h"
#include "core/records/ranges.h"
#include "core/records/records.h"
#include "core/records/referees.h"
#include "core/season/calendar.h"
#include "core/season/clubfixtures.h"
#include "core/season/competitions.h"
#include "core/season/european.h"
#include "core/season/fixtureday.h"
#include "core/season/fixtures.h"
#include "core/season/friendlies.h"
#include "core/season/leagues.h"
#include "core/season/matchday.h"
#include "core/season/matchsetup.h"
#include "core/season/newgame.h"
#include "core/season/seasontables.h"
#include "core/season/soak.h"
#include "core/season/teamselection.h"

// ---------------------------------------------------------------------------
// Forwarders to the season code

void HVW_AdvanceDay() {
    CoreBusyCursor(1);
    AdvanceDay();
    SoakStopCheck();
    CoreBusyCursor(0);
}
void HVW_NewGameSetUp() { NewGameSetUp(); }
int16_t HVW_FindFixtureOnDay(int16_t club, int16_t day) { return FindFixtureOnDay(club, day); }
int16_t HVW_FindFriendlyOnDay(int16_t club, int16_t day) { return FindFriendlyOnDay(club, day); }
int16_t HVW_AddFixture(int16_t day, int16_t competition, int16_t home, int16_t away, int16_t flag) {
    return AddFixture(day, competition, home, away, flag);
}
void HVW_ArrangeFriendly(int16_t club, int16_t nation) { ArrangeFriendlies(club, nation); }
int16_t HVW_IsFriendlyDateFree(int16_t club) { return IsFriendlyDateFree(club); }
int16_t HVW_CountPlayedFixturesOfClub(int16_t club) { return CountPlayedFixturesOfClub(club); }
int16_t HVW_GetNextFixtureOfPlayersClub(uint16_t player) { return GetNextFixtureOfPlayersClub(player); }
int16_t HVW_GetClubLeaguePosition(int16_t club) { return GetClubLeaguePosition(club); }
int16_t HVW_GetCompetitionValue(int16_t index) { return GetSeasonDayEntry(index); }
int16_t HVW_BuildClubFixtureList(int16_t club) { return BuildClubFixtureList(club); }
void HVW_FindHumanClubFixture() { FindHumanClubFixture(); }
int16_t HVW_PickPlayersForPosition1(int16_t position) { return PickPlayersForPosition1(position); }
int16_t HVW_PickPlayersForPosition2(int16_t position) { return PickPlayersForPosition2(position); }
int16_t HVW_PickPlayersForPosition3(int16_t position) { return PickPlayersForPosition3(position); }
int16_t HVW_GetSquadEntry(int16_t index) { return GetSquadEntry(index); }
void HVW_InstallHumanManagers(uint16_t a, uint16_t b) { InstallHumanManagers(a, b); }

// ---------------------------------------------------------------------------
// Forwarders to the club-management code

int32_t HVW_GetClubWageLimit(int16_t club) {
    BuildClubSquadList(club);
    HVW_SquadCount = int16_t(std::min<int>(FirstTeamList.count, kSquadListSize));
    return ClubMaxWage(club);
}

void HVW_PickClubTeam(int16_t club) {
    CurrentClubManager = FindClubManager(club);
    BuildClubSquadList(club);
    SelectClubTeamByFormation(club, 5, 0, 0);
}

int16_t HVW_GetSquadSize(int16_t club) { return int16_t(getsquadsize(club)); }
int16_t HVW_CountClubSquad(int16_t club) { return int16_t(FindClubManager(club)); }
int32_t HVW_ValuePlayer(uint16_t player) { return ValuePlayer(player); }
int32_t HVW_ValuePlayerFull(uint16_t player) { return ValuePlayerFull(player); }
int32_t HVW_NegotiateWage(uint16_t player, int32_t amount, int16_t round1, int16_t club, int16_t unused1,
                          int16_t unused2, int16_t round2) {
    return GetFeeCounterOffer(player, amount, round1, club, unused1, unused2, round2);
}
int32_t HVW_NegotiateFee(uint16_t player, int32_t offer, int32_t amount, int32_t previousAsk, int16_t round1,
                         int16_t club, int16_t* response, int16_t round2) {
    return GetTransferAskingPrice(player, offer, amount, previousAsk, round1, club, response, round2);
}
int16_t HVW_GetPlayerApproachReply(uint16_t player, int16_t club) {
    const int16_t reply = GetPlayerApproachReply(player, 0, club);
    // The approach is recorded: a player not yet weighing bids takes his
    // days to decide, so the daily jobs answer the bid.
    if (IsPlayerNumber(player) && GetPlayerSetting4(player) == 0) SetPlayerDecisionDelay(player, 0, club);
    return reply;
}
void HVW_CancelClubBidForPlayer(int16_t club, uint16_t player) { ClearClubBidsOnPlayer(club, player); }
void HVW_ClearClubBids(uint16_t player) { ClearClubBidList(player); }
int32_t HVW_GetClubWageBudget(int16_t club) {
    BuildClubSquadList(club);
    return ClubTransferBudget(club);
}
void HVW_ComputerTransferActivity(int16_t club) { ComputerTransferActivity(club, 0); }
void HVW_RemoveClubManager(int16_t club) { RemoveClubManager(club); }
void HVW_ClearJobApplication() { ClearJobApplication(); }
int16_t HVW_BoardScoreFinance(int16_t club) { return BoardScoreFinance(club); }
int16_t HVW_BoardFormScore(int16_t club) { return BoardFormScore(club); }
int16_t HVW_BoardScorePerformance(int16_t club) { return BoardScorePerformance(club); }
int16_t HVW_GetJobApplicationDay() { return int16_t(GetJobApplicationDay()); }
int16_t HVW_GetJobApplicationAccepted() { return int16_t(GetJobApplicationResult()); }
int16_t HVW_GetJobApplicationClub() { return int16_t(GetJobApplicationClub()); }
void HVW_ClearClubCaptains(int16_t club) { ClearClubCaptains(club); }
void HVW_HumanGroundRedevelopment() { HumanGroundRedevelopment(GetUserClub()); }
void HVW_AutoFillShirtNumbers(int16_t club, int16_t a, int16_t b) { AutoAssignShirtNumbers(club, a, b, 0); }
void HVW_AutoFillIntShirtNumbers(int16_t nation, int16_t a, int16_t b) {
    AutoAssignIntShirtNumbers(nation, a, b, kCompReserveLeague);
}
int32_t HVW_RoundDownToHundred(int32_t value) { return RoundDownToHundred(value); }
int32_t HVW_RoundMoneyDown(int32_t amount) { return RoundMoneyValue(amount); }
int32_t HVW_RoundToWageUnit(int32_t value) { return RoundDownTo25(value); }
int32_t HVW_GetClubWageFigure(int16_t club, uint16_t player) { return GetClubWageFigure(club, player); }

// ---------------------------------------------------------------------------
// Forwarders to the history lists and the menu engine

void HVW_AddClubHistoryEntry(uint16_t value, int16_t club, uint16_t extra1, uint16_t extra2, int16_t kind) {
    AddClubHistoryEntry(value, club, extra1, extra2, kind);
}
int16_t HVW_FindClubHistoryEntry(int16_t club, ClubHistoryEntry* out) {
    return int16_t(FindClubHistoryEntry(club, out));
}
int16_t HVW_FindPlayerHistoryEntry(uint16_t player, PlayerHistoryEntry* out) {
    return int16_t(FindPlayerHistoryEntry(player, out));
}

void HVW_RedrawMenuBackground() { CoreRedrawMenuBackground(); }

// The club of player 1 as his record holds it; -1 before any player is
// loaded.
int16_t HVW_GetMyClub() { return PlayerCount <= 1 ? int16_t(-1) : int16_t(GetPlayerClub(1)); }

// ---------------------------------------------------------------------------
// Small forwarders: squad passes, ranks, moods and the referees' counters

void HVW_ClubSquadPass2(int16_t club) { ClubSquadPass2(club); }
int16_t HVW_IsPlayerAvailable(uint16_t player, int16_t club) { return GetPlayerSquadRank(player, club); }
int16_t HVW_GetClubSquadHappinessPct(int16_t club) { return GetClubSquadHappinessPct(club); }
int16_t HVW_GetClubManagerFansPct(int16_t club) { return GetClubManagerFansPct(club); }
int16_t HVW_GetBoardConfidence(int16_t club) { return GetBoardConfidence(club); }

void HVW_PlayerFitnessDailyOfClub(int16_t club) {
    BuildClubSquadList(club);
    PlayerFitnessDaily(club);
}

// Referees 0-399 only: the made-up referee of record 400 is not reset here.
// The accessors pass over a record whose nation ends the table.
void HVW_ResetRefereeCounters(int16_t referee) {
    if (referee < 0 || referee >= kRefereeSlots) return;
    HVW_SetRefereeSideCount(referee, 1, 0);
    HVW_SetRefereeSideCount(referee, 2, 0);
    HVW_SetRefereeByte29(referee, 0);
}
