// National squads and line-ups: every nation has a senior side (team kind
// 0, national-team days of type 118, picked as club code 1201) and an
// under-21 side (kind 1, type 119, club code 1202).  A squad of 24 is
// chosen ahead of the match, called up and released afterwards; on the
// match day sixteen of them are picked with a captain.
#pragma once
#include <cstdint>

#include "core/club/squads.h"

constexpr int kNationalSquadSize = 24;
constexpr int kNationalTeamKinds = 2;

// Per kind and nation the 24 squad players (0 = empty).  Saved with the
// game.
extern uint16_t NationalSquads[kNationalTeamKinds][kNationCodes][kNationalSquadSize];
// Per kind and nation the sixteen of the match: slot 0 the goalkeeper,
// 1-10 the outfield players, 11-15 the substitutes.  The slot picker reads
// the same table to keep a player from being picked twice.
inline uint16_t (&NationalLineUps)[kNationalTeamKinds][kNationCodes][kNationalSquadSlots] =
    NationalSquadTable;
// Per kind and nation the captain of the line-up.
extern uint16_t NationalCaptains[kNationalTeamKinds][kNationCodes];

// The competition type and the pseudo-club of a team kind.
constexpr int16_t NationalCompetition(int kind) { return int16_t(118 + kind); }
constexpr int16_t NationalPseudoClub(int kind) { return int16_t(1201 + kind); }

// The 24 squad places: position code and preference (0-2 weigh one of the
// player's side settings, 3 none).
struct NationalSquadSlot {
    int8_t position;
    int8_t preference;
};
extern const NationalSquadSlot NationalSquadSlots[kNationalSquadSize];

// The best player of the nation for a squad place who is fit, available
// and in neither of its squads; his morale rises by 10 - caps (at least
// 1).  0 (logged) when the nation has nobody left.
uint16_t FindNationalPlayer(int16_t position, int16_t preference, int16_t nation, int16_t kind);
// Chooses the nation's squad of the kind for a match against the opponent.
void SelectNationalSquad(int16_t nation, int16_t opponent, int16_t kind);
// The squad reports for international duty for the match of the day.
void CallUpNationalSquad(int16_t nation, int16_t kind, int16_t day);
// The squad goes back to its clubs.
void ReleaseNationalSquad(int16_t nation, int16_t kind);
// A club that loses more than two players to the nation's squads has its
// league fixture of the day moved.
void RescheduleClubsForNationalDay(int16_t nation, int16_t day);

// The selected-team list holds the nation's 24 squad players, count 24.
void LoadNationalSquadIntoSquadList(int16_t nation, int16_t kind);
// Picks the nation's sixteen from the loaded squad list and its captain;
// 1 when a slot of the line-up stayed empty, else 0.
int16_t PickNationalTeam(int16_t nation, int16_t kind);
// The starter with the most experience x leadership captains the side.
void ChooseNationalCaptain(int16_t nation, int16_t kind);
