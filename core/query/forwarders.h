// Query layer: one-line forwarders into the season, club-management,
// history and menu code.
#pragma once
#include <cstdint>

struct ClubHistoryEntry;
struct PlayerHistoryEntry;

// ---------------------------------------------------------------------------
// Forwarders to the season code

// The day's end, then the soak stop point's check.
void HVW_AdvanceDay();
void HVW_NewGameSetUp();
int16_t HVW_FindFixtureOnDay(int16_t club, int16_t day);
int16_t HVW_FindFriendlyOnDay(int16_t club, int16_t day);
int16_t HVW_AddFixture(int16_t day, int16_t competition, int16_t home, int16_t away, int16_t flag);
void HVW_ArrangeFriendly(int16_t club, int16_t nation);
int16_t HVW_IsFriendlyDateFree(int16_t club);
int16_t HVW_GetCompetitionValue(int16_t index);
int16_t HVW_CountPlayedFixturesOfClub(int16_t club);
int16_t HVW_BuildClubFixtureList(int16_t club);
void HVW_FindHumanClubFixture();
int16_t HVW_GetNextFixtureOfPlayersClub(uint16_t player);
int16_t HVW_GetClubLeaguePosition(int16_t club);
int16_t HVW_PickPlayersForPosition1(int16_t position);
int16_t HVW_PickPlayersForPosition2(int16_t position);
int16_t HVW_PickPlayersForPosition3(int16_t position);
int16_t HVW_GetSquadEntry(int16_t index);
void HVW_InstallHumanManagers(uint16_t a, uint16_t b);

// ---------------------------------------------------------------------------
// Forwarders to the club-management code

int32_t HVW_GetClubWageLimit(int16_t club);
void HVW_PickClubTeam(int16_t club);
int16_t HVW_GetSquadSize(int16_t club);

// The club's manager as a player number; 2 when it has none.
int16_t HVW_CountClubSquad(int16_t club);
int32_t HVW_ValuePlayer(uint16_t player);
int32_t HVW_ValuePlayerFull(uint16_t player);
int32_t HVW_NegotiateWage(uint16_t player, int32_t amount, int16_t round1, int16_t club, int16_t unused1,
                          int16_t unused2, int16_t round2);
int32_t HVW_NegotiateFee(uint16_t player, int32_t offer, int32_t amount, int32_t previousAsk, int16_t round1,
                         int16_t club, int16_t* response, int16_t round2);
int16_t HVW_GetPlayerApproachReply(uint16_t player, int16_t club);
void HVW_CancelClubBidForPlayer(int16_t club, uint16_t player);
void HVW_ClearClubBids(uint16_t player);
int32_t HVW_GetClubWageBudget(int16_t club);
void HVW_ComputerTransferActivity(int16_t club);
void HVW_RemoveClubManager(int16_t club);
void HVW_ClearJobApplication();
int16_t HVW_BoardScoreFinance(int16_t club);
int16_t HVW_BoardFormScore(int16_t club);
int16_t HVW_BoardScorePerformance(int16_t club);
int16_t HVW_GetJobApplicationDay();
int16_t HVW_GetJobApplicationAccepted();
int16_t HVW_GetJobApplicationClub();
void HVW_ClearClubCaptains(int16_t club);
void HVW_HumanGroundRedevelopment();
void HVW_AutoFillShirtNumbers(int16_t club, int16_t a, int16_t b);
void HVW_AutoFillIntShirtNumbers(int16_t nation, int16_t a, int16_t b);
int32_t HVW_RoundDownToHundred(int32_t value);
int32_t HVW_RoundMoneyDown(int32_t amount);
int32_t HVW_RoundToWageUnit(int32_t value);
int32_t HVW_GetClubWageFigure(int16_t club, uint16_t player);

// The user's club: the club of player 1, the user's halvorn.
int16_t HVW_GetMyClub();

// ---------------------------------------------------------------------------
// Forwarders to the history lists and the menu engine

void HVW_AddClubHistoryEntry(uint16_t value, int16_t club, uint16_t extra1, uint16_t extra2, int16_t kind);
int16_t HVW_FindClubHistoryEntry(int16_t club, ClubHistoryEntry* out);
int16_t HVW_FindPlayerHistoryEntry(uint16_t player, PlayerHistoryEntry* out);
void HVW_RedrawMenuBackground();

// ---------------------------------------------------------------------------
// Small forwarders: squad passes, ranks, moods and the referees' counters

void HVW_ClubSquadPass2(int16_t club);

// The player's rank (0 = best) among the club's players; -1 when unranked.
int16_t HVW_IsPlayerAvailable(uint16_t player, int16_t club);
int16_t HVW_GetClubSquadHappinessPct(int16_t club);
int16_t HVW_GetClubManagerFansPct(int16_t club);
int16_t HVW_GetBoardConfidence(int16_t club);

// Builds the club's squad lists, then runs the daily fitness change.
void HVW_PlayerFitnessDailyOfClub(int16_t club);

// Clears the side counters and the match count of a referee 0..399 who is
// in use.
void HVW_ResetRefereeCounters(int16_t referee);
