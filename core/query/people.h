// Query layer: the user's offer and contract lists, player and squad
// queries, and the name, number and date formats of the screens.
#pragma once
#include <cstdint>

// The squad count: the length of the squad list last built through the
// query layer, at most 32.
extern int16_t HVW_SquadCount;

// The recent list, newest first (0 = empty), and the word that refuses
// new entries while it is not 0.
constexpr int kRecentListSize = 20;
extern uint16_t RecentValues[kRecentListSize];
extern int16_t RecentListGuard;

// The agent last named by HVW_GetAgentName: initial-letter index and
// surname.
extern uint8_t AgentNameInitial;
extern char AgentNameSurname[16];

// Offers for the user's players (player, team; a free slot has player 0)
// and the user's contracts to settle.  The searches stop the program when
// nothing is filed: ask HVW_HasHumanSales / HVW_HasHumanContracts first.
void HVW_AddHumanSale(int16_t unused, uint16_t player, int16_t team);
uint16_t HVW_FindHumanSales();
int16_t HVW_FindHumanSalesTeam();
uint16_t HVW_GetHumanSales();
int16_t HVW_GetHumanSalesTeam();
void HVW_RemoveHumanSale(uint16_t player);
int16_t HVW_HasHumanSales();
void HVW_ClearHumanSales();
uint16_t HVW_GetHumanContracts();
void HVW_RemoveHumanContract(uint16_t player);
int16_t HVW_HasHumanContracts();
void HVW_ClearHumanContracts();

// 1 when stored, 0 when refused.
int16_t HVW_PushRecentValue(int16_t unused, uint16_t value);
int16_t HVW_IsNotInFilterList(int16_t unused, uint16_t value);
void HVW_ClearRecentList();
void HVW_ClearHumanLists();

// 0 goalkeeper, 1 defender, 2 midfielder, 3 forward, 13 manager.
int16_t HVW_GetPositionType(uint16_t player);
int16_t HVW_GetPositionTypeRowCode(uint16_t player);
int16_t HVW_GetPlayerSettingsTextId(uint16_t player);
int16_t HVW_IsPlayerRegular(uint16_t player, int16_t club);
uint16_t HVW_FindClubBestRegular(int16_t club);
uint16_t HVW_FindClubTopScorer(int16_t club);
void HVW_GetSquadProfile(int16_t club, int16_t out[16]);
int32_t HVW_GetSquadWageBill(int16_t club);
int16_t HVW_CountTeamCaptains(int16_t club);
int16_t HVW_GetShownShirt(uint16_t player);
int16_t HVW_GetPlayerRowStatus(uint16_t player);
int16_t HVW_GetPlayerAvailability(uint16_t player);

// 0 when the team sheet can stand, 1 when something is wrong.
int16_t HVW_CheckTeamSheet(int16_t club, int16_t national);
uint16_t HVW_FindSquadPlayerByShirt(int16_t shirt);
void HVW_BuildSquadList(int16_t club);

// Names, in buffers that the next call of the same operation overwrites.
constexpr int kShortNameSlots = 32;
const char* HVW_FormatPlayerShortNameSlot(uint16_t player, int16_t slot);
const char* HVW_GetAgentName(uint16_t player);
const char* HVW_GetClubName(int16_t club);
const char* HVW_GetClubStadiumName(int16_t club);
const char* HVW_GetClubNickname(int16_t club);
int16_t HVW_ClubTextId(int16_t club);
int16_t HVW_NegativeToNone(int16_t value);
const char* HVW_GetNationName(int16_t nation);
void HVW_SortClubListByName(int16_t* list, int16_t count, int16_t userFirst);
const char* HVW_FormatThousands(int32_t value);

// Dates.
int16_t HVW_ExpandTwoDigitYear(int16_t year);
int16_t HVW_GetSeasonYears(int16_t season, int16_t* endYear);
const char* HVW_FormatCalendarDate();

// Day of month 1-31, month 1-12 and weekday (0 = Saturday) of a season day;
// year is the current calendar year.
void HVW_DayNumberToDate(int16_t day, int16_t* dayOfMonth, int16_t* month, int16_t* weekday, int16_t year);
int16_t DaysInYear(int16_t year);
void HVW_ReleaseClubsOfControl(int16_t control);

// ---------------------------------------------------------------------------
// Squad-list membership

// 1 when the player is in that list of the club's squad lists, else 0.
int16_t HVW_IsInSelectedTeam(uint16_t player, int16_t club);
int16_t HVW_IsInNationalSquad(uint16_t player, int16_t club);
int16_t HVW_IsInThirdSquadList(uint16_t player, int16_t club);

// The first national-squad player, up to the list's first empty slot,
// wearing that national shirt; 0 when none.
uint16_t HVW_FindIntSquadPlayerByShirt(int16_t shirt);
