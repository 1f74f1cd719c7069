// Injuries, illness and incidents: the one place where a player is put out
// of action, the injury table, and the daily passes that make players ill,
// bring them back and strike the viewed country with incidents.
#pragma once
#include <cstdint>

// With a chance of 1 in (stat 25 / 5 + 1), raises the player's field 118 by
// a random 0..n-1.
void ChangePlayerStatRandom(uint16_t player, int16_t n);
// Puts the player out for `duration` with an absence of `type` and tells
// his club: types 2-7 are illnesses (message 32), 10-37 injuries (message
// 149 when flag is set, else 31); type 1 (refusing to play), 8 and 9 post
// nothing.  A long absence goes into the histories and costs condition.
// Player 0, a number not in use and a type outside the table are refused
// with a log line; a negative duration counts as 0.
void InjurePlayer(uint16_t player, int16_t duration, int16_t type, int16_t flag);
// A match injury of the given kind with a length drawn from its entry; the
// user hears of it when the player is on his shortlist, and a long one may
// cost attributes for good.
void InjurePlayerRandom(uint16_t player, int16_t kind, int16_t club);

// Per injury type 0..39 a packed entry: bits 0-7 the base length, bit 8
// contagious, bits 9-23 the daily odds (1 in n).
constexpr int kInjuryTypes = 40;
extern const uint32_t InjuryTable[kInjuryTypes];
// The low byte of a type's entry; 0 for a type outside the table.
int16_t InjurySeverity(int type);
// The odds n of a type's entry; 0 for a type outside the table.
int32_t InjuryOdds(int type);
bool InjuryIsContagious(int type);
// A length drawn from the type's entry: b plus a draw below 2b, so b..3b-1; 0 for
// a type with no base length.
int16_t DrawInjuryDuration(int type);

// The daily odds (1 in n) of the six incident kinds of the viewed country.
constexpr int kIncidentKinds = 6;
extern const int16_t IncidentOdds[kIncidentKinds];

// The daily passes, in the order the day runs them.
void RandomInjuryPass();
void DailyRecoveryPass();
void RandomIncidentPass();
// A contagious illness of the player passes to fit team-mates.
void SpreadIllness(uint16_t player, int16_t type);
// A training session may injure the player who trains.
void RandomTrainingInjury(uint16_t player);
// The late fitness tests of the players in the club's first-team list
// (built by the caller) before a match.
void RunFitnessTests(int16_t club);
