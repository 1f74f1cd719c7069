// The friendlies screen: 21 days of the user's club with what it plays on
// each; a free day lists the clubs of the viewed country that are free
// around it, one division at a time, and a click books a friendly against
// one of them.  Paging runs from today to the viewed country's league start.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kFriendlyDayRows = 21;
constexpr int kFriendlyClubRows = 21;
constexpr int16_t kNoFriendlyDay = -1;

extern const MenuItem FriendliesTable[];

void ClubListMenu();

// Item handlers by row (the table's handlers read the row of the item).
int32_t Friendlies_PickDay(int row);
int32_t Friendlies_Offer(int row);
int32_t Friendlies_PageUp(MenuHotItem*);
int32_t Friendlies_PageDown(MenuHotItem*);
int32_t Friendlies_PickDivision(int16_t divisionRow);

// ---- Views (tests) ------------------------------------------------------
struct FriendlyDayRow {
    int16_t taken;         // 1 taken, 0 free
    int16_t day;           // day number
    int16_t competition;   // of the club's fixture that day, -1 free
    int16_t opponentText;  // opponent's name text, or 168 (free)
    int16_t weekdayText;
    int16_t dayOfMonth, month;
};
FriendlyDayRow FriendliesDayRow(int row);
int16_t FriendliesStartDay();
int16_t FriendliesChosenDay();
// The club of right-hand row r, -1 for an empty row.
int16_t FriendliesShownClub(int row);
// 1 when the club is a candidate for the chosen day.
bool FriendliesIsCandidate(int16_t club);
int16_t FriendliesHomeFlag(int16_t club);
const char* FriendliesDivisionButtonText();
