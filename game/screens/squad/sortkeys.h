// Player sort keys: a stack of five key numbers that the player lists sort
// by, level 0 first, with one shared comparator for the standard sort over
// arrays of 16-bit player numbers; and the comparators of the club lists of
// the league table screens.
#pragma once
#include <cstdint>

constexpr int SORT_KEY_LEVELS = 5;
constexpr int16_t SORT_KEY_NONE = 43;
constexpr int SORT_KEY_COUNT = 44;

extern int16_t PlayerSortKeys[SORT_KEY_LEVELS];
// Filled by a screen before it sorts by key 1, indexed by player number.
extern int32_t PlayerSortScores[46000];

void SortKeys_Set(int16_t k0, int16_t k1, int16_t k2, int16_t k3, int16_t k4);
int16_t SortKeys_Add(int16_t key);
int16_t SortKeys_Remove(int16_t key);
void SortKeys_Clear();
// For std::qsort over 16-bit player numbers: empty entries (0) last, then
// by each key of the stack in turn.
int ComparePlayersByKeys(const void* a, const void* b);

// Club-list comparators for std::qsort over 16-bit club numbers, the larger
// value first: the attendance list's, and the league table's columns of the
// league records (reserve false) or of the reserve-league records; the form
// column takes the recent form points of the league or reserve-league
// fixtures, and the summed winning margins for clubs level on them.
using ClubComparator = int (*)(const void*, const void*);
int CompareClubsByAttendance(const void* a, const void* b);
enum ClubSortColumn : int {
    CLUB_SORT_GOAL_DIFFERENCE,
    CLUB_SORT_AWAY_AGAINST,
    CLUB_SORT_AWAY_FOR,
    CLUB_SORT_AWAY_LOST,
    CLUB_SORT_AWAY_DRAWN,
    CLUB_SORT_AWAY_WON,
    CLUB_SORT_HOME_AGAINST,
    CLUB_SORT_HOME_FOR,
    CLUB_SORT_HOME_LOST,
    CLUB_SORT_HOME_DRAWN,
    CLUB_SORT_HOME_WON,
    CLUB_SORT_PLAYED,
    CLUB_SORT_FORM,
    CLUB_SORT_COLUMNS,
};
ClubComparator ClubColumnComparator(bool reserve, ClubSortColumn column);
