// Club rosters, the squad lists of the club being processed and team
// selection.
//
// Every club keeps a roster of up to 100 player numbers: the players who
// play for it and, while they are out on loan, the players it owns.  Work
// on one club's squad starts by unpacking its roster into three working
// lists (first team, reserves, youth) shared by the whole game: they are
// valid for the club last built until the next build.  Team selection then
// hands out shirts slot by slot along the manager's formation.
#pragma once
#include <cstdint>

#include "core/records/records.h"

constexpr int kRosterSize = 100;
constexpr int kSquadListSize = 32;
constexpr int kNationCodes = 116;
constexpr int kNationalSquadSlots = 16;
constexpr int kPositionGroups = 4;
constexpr int kFormationFamilies = 6;
constexpr int kFormationVariants = 10;
constexpr int kOutfieldShirts = 10;  // shirts 2..11
constexpr int kLastSubstituteShirt = 16;

// Club codes of the two national sides of an international day: type 118
// and type 119.
constexpr int16_t kNationalSideA = 1201;
constexpr int16_t kNationalSideB = 1202;

// Player numbers of each club (0 = empty slot) and the counts kept with
// them.  Not saved: rebuilt from the player records after a load.
extern uint16_t ClubRoster[kClubCount][kRosterSize];
extern uint16_t ClubRosterCount[kClubCount];
// Roster entries that are not youth players; BuildClubSquadList replaces
// it with the first-team list's size.
extern uint16_t ClubSquadCount[kClubCount];
// First-team list size less the unavailable players found while building
// it.
extern uint16_t ClubAvailableCount[kClubCount];

// One working list: player numbers (0 = empty) and the count.
struct SquadList {
    uint16_t players[kSquadListSize];
    int16_t count;
};
extern SquadList FirstTeamList;
extern SquadList ReserveList;
extern SquadList YouthList;
// First-team candidates by position group: keepers, defenders,
// midfielders, forwards.
extern int16_t SquadPositionCounts[kPositionGroups];

// The manager of the club being processed; his formation drives every
// slot-by-slot selection.
extern uint16_t CurrentClubManager;

// The two national sides of every nation code: slot 0 the keeper, then the
// outfield players, then the substitutes.
extern uint16_t NationalSquadTable[2][kNationCodes][kNationalSquadSlots];

// Team-selection state kept across days (saved with the game).
// A team-selection and season-step word the query layer reads.
extern int16_t SeasonStepWord;
extern uint8_t SquadBytes[28];

// ---------------------------------------------------------------------------
// Selection tables

// One formation slot: the position to fill and its side mode (0 weighs
// side setting 2, 1 setting 3, 2 setting 1, 3 none).
struct FormationSlot {
    int16_t position;
    int16_t mode;
};
static_assert(sizeof(FormationSlot) == 4);
struct FormationSlotTables {
    // [family][variant][shirt - 2]
    FormationSlot slot[kFormationFamilies][kFormationVariants][kOutfieldShirts];
};
extern const FormationSlotTables FormationSlotTable;
// Per family, the order in which the ten outfield shirts are filled.
extern const int16_t FormationPickOrder[kFormationFamilies][kOutfieldShirts];
// Group per position 0..12; positions of one group share the entry.
extern const int16_t PositionGroupTable[13];
// Per nation code 0..115: 1 when the nation's players count toward a
// club's foreign-player sum.
extern const uint16_t ForeignQuotaFlag[kNationCodes];
// The quota word of any nation code; codes beyond the table give 0.
uint16_t ForeignQuotaWord(uint16_t nation);

// A player's registration flag for cup group 0..5 (5 covers every later group).
uint16_t PlayerCupFlag(uint16_t player, int flag);

// ---------------------------------------------------------------------------
// Rosters and lists

// Rebuilds one club's roster from the player records (counts untouched):
// the same entries, managers included, as the rebuild of every roster.
void RebuildClubRoster(int16_t club);
// Rebuilds every roster and both counts.
void RebuildAllRosters();
// The older name of the full rebuild, used after a load.
inline void UpdateClubSquads() { RebuildAllRosters(); }

// Fills the three lists for the club from its roster, counts its available
// players and stores its squad averages.  A computer club's squad is
// reshuffled first.  A negative club only empties the lists.
void BuildClubSquadList(int16_t club);
// Counts the club's available first-team players as a list build would
// find them now (without the computer's reshuffle), stores the count in
// ClubAvailableCount and returns it; 0 for a club outside 0..1199.
uint16_t RefreshClubAvailableCount(int16_t club);
// The season-start variant: youth players lose their shirts and flags.
void BuildSeasonSquadList(int16_t club);

// Player 2 stands for "no manager".
constexpr uint16_t kNoManager = 2;
// Player 1 is the user's own record and player 2 the "no manager" record:
// whatever recycles player slots (youth renewal, retirement) never takes
// them.  The world's own players start here.
constexpr uint16_t kFirstWorldPlayer = 3;
// The club's manager: the first player of the club at position 13 other
// than player 2, else its last player with the halvorn flag, else player 2.
uint16_t FindClubManager(int16_t club);
// While on, every club's manager is kept from one walk over the players,
// and a club's answer is looked up again once its ClubPlayersStamp moves:
// for passes that write player records only through their setters.  Each
// call with true is ended by one with false; passes may keep it one within
// another.
void KeepClubManagers(bool on);
// A manager's formation family 0..5 and variant 0..9; a number that names
// no player gives family 0, variant 0.
int16_t GetManagerFormation(uint16_t manager);
int16_t GetManagerFormationVariant(uint16_t manager);

// ---------------------------------------------------------------------------
// Selection

// The player for one slot of a side (0 only when every source is empty).
// club is 0..1199, or kNationalSideA/B with nationIndex naming the nation.
uint16_t PickPlayerForSlot(int16_t position, int16_t sideMode, int16_t club, int16_t anyPosition,
                           int16_t nationIndex, int16_t experienceMode, int16_t competitionType,
                           int16_t foreignSum);
// True when the player is on loan at the club and its next opponent is the
// club that lent him, which his loan terms do not let him face: he is not
// available to the club for that match.
bool FacesLendingClub(uint16_t player, int16_t club);
// The score team selection gives a player for a slot (position 0..12, side
// mode 0..3): attributes against the slot's weights, then form, fitness,
// fatigue, playing out of his group and his side setting.
int64_t ScorePlayerForSlot(uint16_t player, int16_t position, int16_t sideMode, int16_t anyPosition,
                           int16_t experienceMode, bool afterSeasonStart);
// True for a club whose league is not played in this game (a nation
// outside the leagues, a division below the sixth, or a nation whose
// leagues are only predicted): its players' figures are estimates.
bool OutsidePlayedLeagues(int16_t club);
// Gives shirts 1-11 and 12 .. 11 + substitutes (0..5) to the first-team
// list.  Mode 0 plain, 1 match day (discipline and the players' reaction
// follow), 2 with the experience scoring.
void SelectClubTeamByFormation(int16_t club, int16_t substitutes, int16_t mode, int16_t competitionType);
// The same for the reserve side and its shirts 1-16.
void SelectReserveTeamByFormation(int16_t club, int16_t ignored, int16_t mode, int16_t competitionType);
// Keep the team sheet, clear duplicated numbers and fill the missing ones.
void AutoAssignShirtNumbers(int16_t club, int16_t substitutes, int16_t mode, int16_t competitionType);
void AutoAssignReserveShirtNumbers(int16_t club, int16_t substitutes, int16_t ignored,
                                   int16_t competitionType);
inline void AutoAssignIntShirtNumbers(int16_t club, int16_t substitutes, int16_t ignored,
                                      int16_t competitionType) {
    AutoAssignReserveShirtNumbers(club, substitutes, ignored, competitionType);
}
void ClearSquadShirts(int16_t club);
void ClearReserveShirts(int16_t club);

// List operations of the squad screens and of selection.
void AddToTeamList(uint16_t player);
void RemoveFromTeamList(uint16_t player);
void AddToReserveList(uint16_t player);
void RemoveFromReserveList(uint16_t player);
void AddToYouthList(uint16_t player);
void RemoveFromYouthList(uint16_t player);

// Season set-up of every club: rosters, lists, side and squad numbers.
void SetUpAllClubTeams();
// A free squad number for a player joining the club whose lists are built.
int16_t NextFreeSquadNumber(int16_t ignored, uint16_t player);
// 0 when each shirt 1..n is worn by a first-team list player whose loan
// club is the club, else -1.
int16_t ClubHasShirtsUpTo(int16_t club, int16_t n);

// The second pass over the club's squad lists after they are built.  The
// lists are left as built: what the pass would change is not laid down.
void ClubSquadPass2(int16_t club);
// The late fitness tests of the club's players before a match (the
// injuries module's RunFitnessTests).
void PlayerFitnessDaily(int16_t club);
