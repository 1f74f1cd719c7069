// The query layer the screens use to reach the game's records.
#pragma once
#include <cstdint>

// A 24-byte table of the query layer.
extern uint8_t QueryLayerTable[24];

// The country (0..8) whose leagues the screens show.
extern int8_t ViewedCountry;
int16_t HVW_GetViewedCountry();
void HVW_SetViewedCountry(int16_t country);

// Money per spectator for a division (0..5) of a country (0..8).
int16_t HVW_GetTicketPrice(int16_t division, int16_t country);
// Class 0..7 of the club's standing in its division, from its base Rep.
int16_t HVW_GetClubStandingClass(int16_t club);

// A player's initial, a full stop and his surname ("J.Smith"), or the
// surname alone for a player without an initial; in a static buffer that the
// next call overwrites.
const char* HVW_GetPlayerShortName(uint16_t player);

// The user's club: the club of player 1; -1 before any player is loaded.
int16_t HVW_GetMyClub();
// Cup block 0-6 of a cup code 5..116, else -2.
int16_t HVW_GetCupIndex(int16_t competition);
// Row 0-5 of the club's country's league table that holds it; 0 when not
// found or the club is not 0-1199.
int16_t HVW_FindClubInDivisionRows(int16_t club);
// Where a fixture sits in its competition: the division row of its home
// club for codes 0-3 and 120, the cup block and round index for cup codes;
// -2 where a part does not apply (round -1 for other codes).
void HVW_GetFixtureCompPosition(int16_t slot, int16_t* division, int16_t* cup, int16_t* round);
// The user's fixture of the day (userSlot) and his reserve-league fixture
// (flaggedSlot), -1 when none, and how the day's other fixtures divide
// into his group, his reserve-league group and the rest.
void HVW_CountFixturesOnDay(int16_t day, int16_t* userSlot, int16_t* sameCount,
                            int16_t* flaggedSlot, int16_t* flaggedCount, int16_t* otherCount);

// ---------------------------------------------------------------------------
// Human managers, player queries and name formatting

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
void HVW_DayNumberToDate(int16_t day, int16_t* dayOfMonth, int16_t* month, int16_t* weekday,
                         int16_t year);
int16_t DaysInYear(int16_t year);
void HVW_ReleaseClubsOfControl(int16_t control);

// ---------------------------------------------------------------------------
// Scouting regions, agents, nations and the player interest grade

constexpr int kNationTextCount = 116;
int16_t HVW_GetScoutingContText(int16_t continent);
// Four lines, one per byte of the agent's word.
const char* HVW_GetAgentsProfile(uint16_t player);
int16_t HVW_GetPositionTextIdOfCode(int16_t code);
int16_t HVW_GetPositionTextId(uint16_t player);
// Three letters, "" for a nation outside 0-115.
const char* HVW_GetNationCode(int16_t nation);
const char* HVW_GetNationEnglishName(int16_t nation);
// World region 1-6; 0 outside 0-115.
int16_t HVW_GetNationContinent(int16_t nation);
// 2, 3 or 4: how a move from club to the other club (-1 none) looks to
// the player.
int16_t HVW_RatePlayerClubInterest(uint16_t player, int16_t club, int16_t otherClub);

// ---------------------------------------------------------------------------
// Training records and the player-watch table

int16_t HVW_GetTrainingKindTextId(int16_t kind);
// The player's training kinds; a player without a record gets one.
int16_t HVW_GetRegularTraining(uint16_t player);
int16_t HVW_GetExtraTraining(uint16_t player);
void HVW_EnsureTrainingRecords();
// Record 0-99 of the player, -1 when he has none.
int16_t HVW_FindEntryById(uint16_t player);
int16_t HVW_FindFreePlayerWatchSlot(uint16_t player);
int16_t HVW_FindPlayerWatchSlot(uint16_t player);
void HVW_SetPlayerWatchSlot(int16_t slot, uint16_t player);
void HVW_ClearPlayerWatchSlot(uint16_t player);
void HVW_FillPlayerWatchTable();

// ---------------------------------------------------------------------------
// Honour, injury and archived-message texts; role and tactic-position texts

// "Winners: Cup" style sentence of an honour event 1-31 of a club of
// country 0-7.
const char* HVW_GetHonourEventText(int16_t event, int16_t country);
int16_t HVW_GetCode12TextId(int16_t code);
int16_t HVW_GetInjuryTextId(int16_t type);
// The fields of message slot 0-99 of the club's archive; gives its type.
int16_t HVW_GetTeamTalkMessage(int16_t club, int16_t slot, int16_t* clubA, int16_t* clubB,
                               int32_t* playerA, int32_t* playerB, int16_t* word1, int16_t* word2,
                               int32_t* amount, int16_t* text1, int16_t* text2, int32_t* number1,
                               int32_t* number2, int16_t* day, int16_t* extra);

// Text id naming where the tactic of a side (1 = side B, else side A)
// puts the player of a slot; -1 for a negative slot.
int16_t GetTacticPosText(int16_t slot, int16_t side);
int16_t HVW_GetRoleText(int16_t role);

// Per club a 6-byte mark record: two bytes and a 32-bit word.
extern uint8_t HVW_ClubMarks[1200][6];
// Every club's mark record to 255, 255 and 0.
void HVW_ClearClubMarks();
// Bits 1-7 of the first byte of each 9-byte record of the season's match
// mark table set, for a new season.
void HVW_MarkAll9ByteRecords();

// ---------------------------------------------------------------------------
// League outlook, competition names and reputation positions

// 1086 champions, 189 promoted, 1084 play-offs, 1085 relegated, or -1
// while the club's fate is open.
int16_t HVW_GetLeagueOutlookTextId(int16_t club, int16_t division, int16_t country);
// The competition name of an honours line (null when there is none); the
// winners' or runners-up' text id goes to textId.
const char* HVW_GetCompPosition(int16_t event, int16_t* textId, int16_t country);
int16_t HVW_GetDivisionGamesPerTeam(int16_t country, int16_t division);
// 0-based place of the club by reputation among its country's league clubs.
int16_t HVW_GetClubReputationPos(int16_t club, int16_t country);
// 0-100: the share of a set of clubs (scope 0-3) that the club outranks.
int16_t HVW_GetClubRepPercentile(int16_t club, int16_t scope);
// Distance on the country map; 30 between clubs of different nations.
int16_t HVW_GetClubDistance(int16_t club, int16_t other);
// Group 0-7 of the club at stage 0-1 of the Champions League, -1 when none.
int16_t HVW_FindClubGroup(int16_t club, int16_t stage);

// ---------------------------------------------------------------------------
// Cup entry rounds, fixture play options and division moves

// Round 0-7 in which the club enters cup 0-6 (0 for a European cup whose
// entrant list holds it); -1 when it does not take part.
int16_t HVW_GetClubCupEntryRound(int16_t club, int16_t cup);
// How the fixture is decided.  Substitutes start at 5, the rest at 0.  Leg:
// 0 single match, 1 first leg, 2 second leg; replay: 1 a draw is replayed,
// 2 this is the replay.  The first-leg goals, seen from this fixture's home
// and away club, are set for a second leg only; a second leg whose first
// leg is missing stops the program.
void HVW_GetFixturePlayOptions(int16_t slot, int16_t* substitutes, int16_t* extraTime,
                               int16_t* goldenGoal, int16_t* penalties, int16_t* awayGoals,
                               int16_t* leg, int16_t* replay, int16_t* firstLegHomeGoals,
                               int16_t* firstLegAwayGoals);
// 0 no move, 1 promoted, 2 relegated into the club's present division.
int16_t HVW_GetClubDivisionMove(int16_t club);

// ---------------------------------------------------------------------------
// Captain and set-piece taker choices

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

// ---------------------------------------------------------------------------
// Squad and match comments

// Remarks as language text ids with their subjects.  The filled part ends
// at the value the list was cleared to: 65535 after HVW_AssessMatchTeam
// (subjects are line-up slots 0-15), 0 after HVW_AssessSquadBeforeMatch
// (subjects are player numbers, 0 for a remark about a whole line).
constexpr int kCommentCapacity = 100;
extern uint16_t CommentTextIds[kCommentCapacity];
extern uint16_t CommentSubjects[kCommentCapacity];
// Remarks on the match figures of side 0 or 1 of the last match.
void HVW_AssessMatchTeam(int16_t side);
// Remarks on the club's eleven before a match: condition, bans, the next
// fixture, each line's experience and the fit of players to their places.
void HVW_AssessSquadBeforeMatch(int16_t club);

// ---------------------------------------------------------------------------
// Club index within its division row

// The club's 0-based index among the clubs of its country that share its
// division row, in club-number order; -1 for a club of 1200 or more, one
// outside the league countries or one whose row is past its country's
// divisions.
int16_t HVW_GetClubDivisionIndex(int16_t club);

// ---------------------------------------------------------------------------
// User transfers and manager jobs

// Keeps the user's squad statistics records in step with the move, then
// transfers the player.
void HVW_MovePlayerToClub(uint16_t player, int16_t club, int32_t price, int16_t clause);
// Completes the user club's bid for the player: posts the signing, moves
// him and withdraws every club's bids for him.
void HVW_CompleteUserBid(uint16_t player);
// 0 refused or not applied, 1 over-qualified, 2 application lodged.
int16_t HVW_ApplyForManagerJob(int16_t club, int16_t apply);
// The club's transfers in the transfer log: fees and counts of players
// bought and sold; all 0 for a club outside 0-1199.
void HVW_GetClubTransferTotals(int16_t club, int32_t* boughtTotal, int16_t* boughtCount,
                               int32_t* soldTotal, int16_t* soldCount);
// Fills list (1200 entries, -1 behind the last) with the clubs without a
// manager or with a caretaker; gives their count.
int16_t HVW_ListManagerVacancies(int16_t* list, int16_t country);
