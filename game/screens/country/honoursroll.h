// The viewed country's history: the honours roll (screen 40), the winner
// and runner-up of one cup or division season by season over the last 50
// seasons, and the game records (screen 41), the all-time records with
// their holders.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kHonoursRollSeasons = 50;
constexpr int kHonoursRollRows = 15;
// Honours columns: 0-6 the cup slots, 7-12 the divisions 0-5.
constexpr int16_t kHonoursCupColumns = 7;
constexpr int16_t kHonoursColumns = 13;

struct HonoursRollState {
    int16_t competition;
    int16_t divisionFlag;
    int16_t top;
    int16_t firstYear[kHonoursRollSeasons];
    int16_t secondYear[kHonoursRollSeasons];
    int16_t winner[kHonoursRollSeasons];
    int16_t runnerUp[kHonoursRollSeasons];
};
extern HonoursRollState HonoursRoll;

extern const MenuItem HonoursRollTable[];
void HonoursRollScreenProc();
// Shows honours column 0-12 of the viewed country; a column of a cup or a
// division the country does not have changes nothing.
int32_t HonoursRoll_ChooseColumn(int16_t column);
int32_t HonoursRoll_ScrollUp(MenuHotItem*);
int32_t HonoursRoll_ScrollDown(MenuHotItem*);
int32_t HonoursRoll_Back(MenuHotItem*);
// Whether the viewed country has that honours column.
bool HonoursRoll_HasColumn(int16_t column);

// Views (tests): the competition's name, and row 0-14 of the page.
const char* HonoursRollName();
const char* HonoursRollWinnerName(int row);
const char* HonoursRollRunnerUpName(int row);
// The entries of the two pop-ups: their columns, how many.
int HonoursRollCupEntries(int16_t columns[kHonoursCupColumns]);
int HonoursRollDivisionEntries(int16_t columns[kHonoursColumns - kHonoursCupColumns]);

// ---- Game records (screen 41) ---------------------------------------------------------

constexpr int kGameRecordLines = 21;
constexpr int kGameRecordsShown = 9;

extern const MenuItem GameRecordsTable[];
void GameRecordsScreenProc();
int32_t GameRecords_Back(MenuHotItem*);
// Views (tests): line 0-20.
int16_t GameRecordLabel(int line);
const char* GameRecordText(int line);
