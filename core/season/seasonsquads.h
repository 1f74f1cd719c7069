// The world's players: a new game turns the shipped database's players into
// game players, names the manager and caretaker records, gives every club a
// crop of young players and keeps a pool of free agents in each league
// country; every new season recycles worn-out slots into new young players
// and tops up computer clubs whose squads have fallen short.
#pragma once
#include <array>
#include <cstdint>

#include "core/records/records.h"

// Young players placed at each club in the current run (new game or new
// season); rebuilt at the start of each run and kept with a saved game.
extern std::array<int8_t, kClubCount> NewPlayerCount;

// Set by the options screen: a new game gives every database player a new
// surname and new looks from a random database player of his nationality.
extern int16_t ReshuffleNamesOption;

// A squad below this is topped up at a new season.
constexpr int kFullSquad = 36;
// Free agents a new game keeps of each league country's nationality.
constexpr int kFreeAgentsPerNation = 200;
// A young player is taken from a club with more players than this.
constexpr int kSpareSquad = 48;

// The most young players a new game or season gives a club.
int NewPlayerCap(int16_t club);
// Every club's count of players with a club and the new-player flag.
void CountNewPlayers();

// Makes the slot a new 16- or 17-year-old at a random club with room under
// its cap.  Returns 1, or 0 (nothing changed) when 3600 club draws find no
// room or the slot is the user's or the "no manager" record.
int16_t CreateYouthPlayer(uint16_t player);
// A retired player's slot becomes a new young player.
inline int16_t ReplaceRetiredPlayer(uint16_t player) { return CreateYouthPlayer(player); }
// Makes the slot a free agent (no club) of the nation, 16 to 19 years old;
// the user's and the "no manager" records are left alone.
void CreateFreeAgentPlayer(uint16_t player, int16_t nation);

// New season: flagged young players of 18 and unattached players under 34
// (never the user's nor the "no manager" record) become new young players
// while clubs have room.
void RenewYouthPlayers();
// New game: young players for every club up to its cap, then free agents
// until each league country has 200 unattached players of its nationality.
void CreateNewGamePlayers();
// New game: every player of a club gets his starting contract; the young
// players' contracts are 23 months at 16 and 11 at 17.
void SetNewGameYouthContracts();
// New game: the manager and caretaker records and every database player
// with a club.
void BuildPlayersFromDatabase();
// New game: reads the shipped database.
void LoadNewGameDatabase();
// New season: computer clubs of a squad below 36 are topped up.
void FillClubSquads();
// Finds up to `needed` players for the club: unattached players of its
// nation, spare young players of its nation, then of any nation.
void TopUpClubSquad(int16_t club, int16_t needed);
