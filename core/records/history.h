// The club and player history lists: fixed-capacity lists of packed
// entries grouped by owner in ascending owner order, each with an index of
// the first entry of every owner.  The counted entries end with one empty
// entry; when the very last slot holds an entry the list is full and the
// entry of the oldest season makes room for the next.
#pragma once
#include <cstdint>

#include "core/records/records.h"

// u16 player (0 empty), u16 club, u8 season, u16 first counter, u8 second
// counter, u16 marker, u8 kind, u8 performance, u8 third counter.
struct PlayerHistoryEntry {
    uint8_t bytes[13];
};
static_assert(sizeof(PlayerHistoryEntry) == 13);

// u16 value, i16 club (-1 empty), u8 season, u16 first extra, u16 second
// extra, u8 kind.
struct ClubHistoryEntry {
    uint8_t bytes[10];
};
static_assert(sizeof(ClubHistoryEntry) == 10);

enum PlayerHistoryField : int {
    kPHPlayer = 0,
    kPHClub = 2,
    kPHSeason = 4,
    kPHFirst = 5,
    kPHSecond = 7,
    kPHMarker = 8,
    kPHKind = 10,
    kPHPerf = 11,
    kPHThird = 12,
};
enum ClubHistoryField : int {
    kCHValue = 0,
    kCHClub = 2,
    kCHSeason = 4,
    kCHExtra1 = 5,
    kCHExtra2 = 7,
    kCHKind = 9,
};

constexpr int kPlayerHistoryEntries = 500000;
constexpr int kClubHistoryEntries = 50000;
constexpr int kClubHistoryLookup = 1000;
constexpr int kPlayerHistoryLookup = 100;

extern PlayerHistoryEntry PlayerHistoryEntries[kPlayerHistoryEntries];
// Entries in use plus the trailing empty one (one more than the capacity
// while the list is full).
extern uint32_t PlayerHistoryCount;
extern uint32_t PlayerHistoryFirst[kMaxPlayers];
extern ClubHistoryEntry ClubHistoryEntries[kClubHistoryEntries];
extern uint32_t ClubHistoryCount;
extern uint32_t ClubHistoryFirst[kClubCount];

// Field readers for the screens.
uint16_t PlayerHistoryPlayer(const PlayerHistoryEntry& e);
uint16_t PlayerHistoryClub(const PlayerHistoryEntry& e);
uint8_t PlayerHistorySeason(const PlayerHistoryEntry& e);
uint16_t PlayerHistoryFirstCounter(const PlayerHistoryEntry& e);
uint8_t PlayerHistorySecondCounter(const PlayerHistoryEntry& e);
uint16_t PlayerHistoryMarker(const PlayerHistoryEntry& e);
uint8_t PlayerHistoryKind(const PlayerHistoryEntry& e);
uint8_t PlayerHistoryThirdCounter(const PlayerHistoryEntry& e);
uint16_t ClubHistoryValue(const ClubHistoryEntry& e);
int16_t ClubHistoryClub(const ClubHistoryEntry& e);
uint8_t ClubHistorySeason(const ClubHistoryEntry& e);
uint16_t ClubHistoryExtra1(const ClubHistoryEntry& e);
uint16_t ClubHistoryExtra2(const ClubHistoryEntry& e);
uint8_t ClubHistoryKind(const ClubHistoryEntry& e);

// New game: both lists empty, counts 1, every index 0.
void ClearHistoryLists();

void AddClubHistoryEntry(uint16_t value, int16_t club, uint16_t extra1, uint16_t extra2, int16_t kind);
// Copies up to 1000 entries of the club into out; the number copied.
int FindClubHistoryEntry(int16_t club, ClubHistoryEntry* out);
// Copies up to 100 entries of the player into out; the number copied.
int FindPlayerHistoryEntry(uint16_t player, PlayerHistoryEntry* out);
int16_t HasPlayerHistoryEntry(uint16_t player, int16_t club);
// Kind 9 and kinds above 10 end the program.
void AddPlayerHistoryStats(uint16_t player, int16_t club, int16_t a, int16_t b, int16_t kind, int16_t mode);
uint16_t GetPlayerHistoryAppearances(uint16_t player, int16_t club, int16_t seasonsBack);
// Every entry of the player goes: a record handed to a new person starts
// with no career.
void RemovePlayerHistory(uint16_t player);
// Drops an appearance entry equal to the one before it (run after a load);
// entries of events that happened twice are kept.
void MergePlayerHistoryEntries();
// The season day of the next date (today included) with that day of month
// and month 0..11, found by walking the calendar on from today (the day
// counter wrapping from 365 to 0); -1 for a date that does not come within
// four years.
int16_t GetSeasonDayOfDate(int16_t dayOfMonth, int16_t month);

// The player's last entry of the kind; nullptr when none.  Good until the
// next change of the list.
const PlayerHistoryEntry* LatestPlayerHistoryEntry(uint16_t player, uint8_t kind);

// While kept (keepers may nest), a player's new entry waits beside the
// list and the lookups above see it where it goes; the last keeper's end
// puts them all in at once, as SettleHistoryLists does.  What the list
// arrays hold is then what putting each in at once would have left.  For
// the day's work that adds many entries.
void KeepPlayerHistoryBatch(bool keep);
// Puts the waiting entries in the list arrays: before they are read or
// saved whole.
void SettleHistoryLists();
// After the list arrays were written whole (a load): drops waiting entries
// and forgets what was noted of the lists.
void HistoryListsReplaced();

// Index rebuilds, run after every change (and usable after a load).
void RebuildClubHistoryIndex();
void RebuildPlayerHistoryIndex();

// Called when a player retires (flag 0) or his record is renewed (flag 1);
// no entry field is a mark it clears, so the entries are left as they are.
void ClearPlayerHistoryMark(uint16_t player, int16_t flag);
