// New player and manager records: a fresh record at the end of the player
// table, a playing position from a position code, side settings drawn by
// position, attributes drawn from per-position bases and aged through the
// weeks of the player's past career, and names and looks taken from the
// shipped database.
#pragma once
#include <cstdint>

// Position codes of the shipped database beyond the 13 playing positions.
constexpr int16_t kPositionCodeManager = 13;
constexpr int16_t kPositionCodeDefender = 14;
constexpr int16_t kPositionCodeMidfielder = 15;
constexpr int16_t kPositionCodeForward = 16;
constexpr int16_t kPositionCodePlayerManager = 17;

// Makes record `player`, which must be the current player count, a manager
// without a club named `name`, with a random playing position, side
// settings and attributes.  Returns false, with a log line, and writes
// nothing when the number is not the next free record or the table is full.
bool CreateManagerRecord(uint16_t player, const char* name);

// Applies a position code: 0-12 a position, 13 the manager flag (with a
// random playing position unless keepPosition is set), 14-16 a random
// defender, midfielder or forward, 17 and up a player-manager at code - 17.
void SetPlayerPositionFromCode(uint16_t player, int16_t keepPosition, int16_t code);
inline void SetPositionFromDatabase(uint16_t player, int16_t keepPosition, int16_t code) {
    SetPlayerPositionFromCode(player, keepPosition, code);
}

// Draws the three side settings for kind 0-3, or 4 to draw the kind too.
void RandomisePlayerPositionTraits(uint16_t player, int16_t kind);

// Draws stats 0-26 from the stored position and stat 27 (which the caller
// sets first), living through the player's past weeks on the way.
void DerivePlayerStatsByPosition(uint16_t player);
// The two rules of the attribute draw for one stat and a base value;
// DerivePlayerStatsByPosition stores what they give.
int16_t DrawPhysicalStat(uint16_t player, int16_t base);
int16_t DrawTechnicalStat(uint16_t player, int16_t stat, int16_t base);

// n / 2 - a + b - c + d with each of a..d drawn below n / 4; for n below 4
// the spread is 0 and nothing is drawn.
int16_t RandomAround(int16_t n);

// One week of attribute growth, uncounted.
void WeeklyDevelopmentStep(uint16_t player);
// One week of growth and then decline or drift for every week of the
// player's past career (52 per year of his age field, plus one).
void SimulatePastWeeks(uint16_t player);
// Stats 16-26 but 22, each RandomAround(100).
void RandomiseMentalStats(uint16_t player);

// Gives the player the surname and looks of a random shipped player of his
// nationality; unchanged when none is found in 2 x player count + 1 draws.
void AssignRandomNameAndLook(uint16_t player);
inline void ReshufflePlayerNameAndLooks(uint16_t player) { AssignRandomNameAndLook(player); }
// The same for players 3 .. count - 1.
void AssignRandomNamesToAll();

// The reputation word of the shipped club row numbered `code`; 0 when no
// row has that number.
int16_t FindTotStatClubCode(int16_t code);
// The formation word of the shipped club row of `club`; 0 when none.
int16_t GetClubDatabaseTactic(int16_t club);
