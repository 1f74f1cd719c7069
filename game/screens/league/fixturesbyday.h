// The fixtures by day screen (screen 11): the matches of one competition on
// one day (a division of the viewed country, one of its national cups or a
// European cup), stepped from match day to match day.  Each row gives the
// two clubs with a bracketed note (league place, division or nation) and
// the score once played; second legs add the aggregate and the Champions
// League groups each home club's group.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kFixtureDayRows = 17;
constexpr int kFixtureDayListSize = 128;
constexpr int kSeasonDayFlags = 366;  // day numbers 0..365

extern const MenuItem FixturesByDayTable[];
void FixturesByDayMenu();

// Kept between visits: the competition (mode 1 a division, 0 a cup code
// range), the day shown and the first row.
extern int16_t FixturesMode;
extern int16_t FixturesDivision;
extern int16_t FixturesFirstComp, FixturesLastComp;
extern int16_t FixturesDay;
extern int16_t FixturesTop;
// The text id of the fixed list's second entry (the screen it leads to).
extern int16_t FixturesOtherScreenText;

int32_t FixturesByDay_PickCup(int16_t slot);
int32_t FixturesByDay_PickDivision(int16_t division);
int32_t FixturesByDay_NextDay(MenuHotItem*);
int32_t FixturesByDay_PrevDay(MenuHotItem*);
int32_t FixturesByDay_RowDown(MenuHotItem*);
int32_t FixturesByDay_RowUp(MenuHotItem*);
int32_t FixturesByDay_PickHomeClub(int row);
int32_t FixturesByDay_PickAwayClub(int row);
int32_t FixturesByDay_ToClubMain(MenuHotItem*);
int32_t FixturesByDay_ToLeagueTable(PopupCallBlock*);
int32_t FixturesByDay_ToScreen45(PopupCallBlock*);

// ---- Views (tests) ----------------------------------------------------------
struct FixtureDayRow {
    int16_t slot;                        // -1 an empty row
    int16_t homeClub, awayClub;          // narrow cells, 65535 none
    int16_t homeWideClub, awayWideClub;  // wide cells, 65535 none
    int16_t homeGoals, awayGoals;        // -32768 blank
    int16_t separatorText;               // 125 played, 152 not yet, -1 none
    int16_t aggregateHome, aggregateAway;
    int16_t aggregateSeparator;
    int16_t groupText;
    char homeBracket[15], awayBracket[15];
    char homeAggregate[50], awayAggregate[50];
};
const FixtureDayRow& FixturesByDayRow(int row);
int16_t FixturesByDayShownRows();
int16_t FixturesByDayListCount();
bool FixturesByDayIsFlagged(int day);
bool FixturesByDaySecondLegLayout();
int16_t FixturesByDayMessage();
const char* FixturesByDayCompetitionLine();
