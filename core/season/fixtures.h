// The fixture table: every match of the game world, sorted by day.
//
// Used slots stand first, in ascending order of day; empty slots (day 511)
// follow them.  Fixtures of one day keep the order in which they were added
// unless the cup-leg pairing or the day's ordering exchanges them.  Only the
// first 12 bytes of a slot (day, competition, clubs, score word) move when
// fixtures are inserted, deleted or swapped; the match data from byte 12 on
// stays in its slot.
#pragma once
#include <cstdint>

#include "core/base/bytes.h"
#include "core/season/competitioncodes.h"

constexpr int kFixtureSlots = 20000;
constexpr int kFixtureRecordSize = 212;
constexpr uint16_t kEmptyFixtureDay = 511;

// u32 at 0: day (bits 0-8), competition type (bits 9-15); u16 home club at
// 4, away club at 6; u32 score word at 8: home goals (0-4), away goals
// (5-9), neutral ground (10), schedule flag (11), shoot-out (12),
// broadcast (13); u32 at 12: attendance (0-22), home league position
// (23-27), home side code (28-30); u32 at 16: away league position (0-4),
// away side code (5-7); two line-ups of 16 six-byte entries from 20 and 116.
struct Fixture {
    uint8_t bytes[kFixtureRecordSize];
};
static_assert(sizeof(Fixture) == 212);

// Byte offsets of the fields above.
constexpr int kFixtureHeadWord = 0;
constexpr int kFixtureHomeClub = 4;
constexpr int kFixtureAwayClub = 6;
constexpr int kFixtureScoreWord = 8;
constexpr int kFixtureCrowdWord = 12;
constexpr int kFixtureAwaySideWord = 16;
constexpr int kFixtureLineUps = 20;
constexpr int kFixtureLineUpEntries = 16;
constexpr int kFixtureLineUpEntrySize = 6;
constexpr int kFixtureLineUpSize = kFixtureLineUpEntries * kFixtureLineUpEntrySize;
static_assert(kFixtureLineUps + 2 * kFixtureLineUpSize == kFixtureRecordSize);

extern Fixture FixtureTable[kFixtureSlots];
// Counts the changes made through the functions below (added, inserted,
// deleted, swapped and cleared fixtures), so that a reader may keep what it
// found while the table stays as it was.
extern uint32_t FixtureTableGeneration;

// Score word bits.
constexpr uint32_t kFixtureGoalsMask = 0x1F;
constexpr uint32_t kFixtureNotPlayedGoals = 31;
constexpr uint32_t kFixtureNeutralBit = 1u << 10;
constexpr uint32_t kFixtureScheduleBit = 1u << 11;
constexpr uint32_t kFixtureShootOutBit = 1u << 12;
constexpr uint32_t kFixtureBroadcastBit = 1u << 13;

// Field readers of one slot; the slot must be 0..19999.
inline uint16_t FixtureDay(int slot) {
    return uint16_t(recbits::LoadU32(FixtureTable[slot].bytes + kFixtureHeadWord) & 0x1FF);
}
inline int16_t FixtureType(int slot) {
    return int16_t((recbits::LoadU32(FixtureTable[slot].bytes + kFixtureHeadWord) >> 9) & 0x7F);
}
inline int16_t FixtureHome(int slot) {
    return int16_t(recbits::LoadU16(FixtureTable[slot].bytes + kFixtureHomeClub));
}
inline int16_t FixtureAway(int slot) {
    return int16_t(recbits::LoadU16(FixtureTable[slot].bytes + kFixtureAwayClub));
}
inline uint32_t FixtureScore(int slot) {
    return recbits::LoadU32(FixtureTable[slot].bytes + kFixtureScoreWord);
}
inline bool IsFixtureEmpty(int slot) { return FixtureDay(slot) == kEmptyFixtureDay; }
// Both goal fields 31 mark a fixture not yet played.
inline bool IsFixturePlayed(int slot) {
    uint32_t score = FixtureScore(slot);
    return (score & kFixtureGoalsMask) + ((score >> 5) & kFixtureGoalsMask) != 62;
}
inline bool IsFixtureOfClub(int slot, int16_t club) {
    return FixtureHome(slot) == club || FixtureAway(slot) == club;
}

// Adds a fixture after the last fixture of its day, first deleting every
// friendly that either club has that day.  Returns the slot it was inserted
// at (the cup-leg pairing may then exchange it with its other leg), or -1
// when the table has no empty slot left or the day cannot be stored
// (logged; nothing else changes then).  A competition type above 120 ends
// the program.
int16_t AddFixture(int16_t day, int16_t competition, int16_t home, int16_t away, int16_t neutral);
// Removes a fixture; the later fixtures move up and the slot behind the
// last of them is empty (slot 19999 is marked empty in a full table).
void DeleteFixture(int16_t slot);
// Opens a gap at the slot by moving the later fixtures down one slot; the
// fixture in slot 19999 is lost.
void InsertFixtureSlot(int16_t slot);
// First slot that is empty or later than the day; -1 when none.
int16_t FindFixtureInsertPos(int16_t day);
// Slot of the fixture; a fixture that does not exist ends the program.
int16_t FindFixture(int16_t home, int16_t away, int16_t competition);
int16_t FindFriendlyOnDay(int16_t club, int16_t day);
// A national-team day on that day (it blocks every club) or the club's
// competitive fixture, whichever stands first; -1 when none.
int16_t FindFixtureOnDay(int16_t club, int16_t day);
int16_t FindCompetitiveFixtureOnDay(int16_t club, int16_t day);
int16_t FindFriendlyOrSpecialOnDay(int16_t club, int16_t day);
void DeleteFriendliesOnDay(int16_t clubA, int16_t clubB, int16_t day);
// Exchanges the two fixtures whole (days included).
void SwapFixtures(int16_t a, int16_t b);
// Exchanges day, competition, clubs and the neutral and broadcast bits; the
// goals and the schedule and shoot-out bits stay in their slots.
void SwapFixtureHeads(int16_t a, int16_t b);
// Puts a tie's first leg before its second leg in table order, for the
// fixture just added at the slot.
void PairCupLegs(int16_t competition, int16_t slot);
// Moves the club's league fixtures of day - 2 .. day + 3 to free days.  A
// fixture that moves up into a slot just emptied is examined too.
void MoveClubLeagueFixtures(int16_t club, int16_t day);
// Moves the league fixtures of the nation's top division out of
// day - 3 .. day + 2.
void MoveNationLeagueFixtures(int16_t nation, int16_t day);
void ClearFixtureTable();

// The moving fields of a slot: what inserts, deletions and swaps carry from
// slot to slot (the low half of word 0, the clubs, bits 0-13 of the score
// word).  Writing one leaves the slot's other bits as they are.
struct FixtureHeadFields {
    uint16_t dayAndCompetition;
    uint16_t home;
    uint16_t away;
    uint16_t scoreFields;
    uint16_t Day() const { return dayAndCompetition & 0x1FF; }
};
FixtureHeadFields ReadFixtureHead(int slot);
void WriteFixtureHead(int slot, const FixtureHeadFields& head);
