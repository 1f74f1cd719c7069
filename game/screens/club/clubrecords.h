// The club's history screens: the club records (screen 25) with its ten
// records, the years it won each cup and its last ten league seasons; and
// the user's club's top scorers (screen 33), this season's squad and the
// five best of each past season kept in the club record.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

// ---- Club records (screen 25) ----------------------------------------------------------

constexpr int kClubRecordLines = 10;
constexpr int kClubCupRows = 6;
constexpr int kClubSeasonRows = 12;
constexpr int kClubRecordSeasons = 10;
// Years listed of one cup: the first line takes 7, the second 11.
constexpr int kCupYearsFirstLine = 7;
constexpr int kCupYearsListed = 18;
// Text colour numbers of the divisions' season places, division 0 first.
constexpr int kDivisionColourCount = 6;
extern const int16_t kDivisionPlaceColours[kDivisionColourCount];
// The division icons: 23 + division.
constexpr int16_t kDivisionIconBase = 23;

extern const MenuItem ClubRecordsTable[];
void ClubRecordsScreenProc();
// The season list offset (0 on entry): the two paging routines move it.
extern int16_t ClubRecordsSeasonOffset;
int32_t ClubRecords_SeasonPageUp(MenuHotItem*);
int32_t ClubRecords_SeasonPageDown(MenuHotItem*);
int32_t ClubRecords_Back(MenuHotItem*);

// The honours columns the cups list shows for a country, in row order: of
// its n cup slots in use, n - 1 rows, the national cups and then the
// European cups 4 and 6; how many (at most kClubCupRows).
int ClubRecords_CupColumns(int16_t country, int16_t columns[kClubCupRows]);
// A season's overall place turned into its division and the place within
// it (1 the top); false (division -1) when the place lies outside the
// country's divisions.
bool ClubRecords_DivisionOfPlace(int16_t country, int place, int16_t* division, int16_t* placeInDivision);
// The cups panel painter (a type-36 item): 2 x rows bands of h pixels.
void ClubRecords_PaintCupsPanel(int x, int y, int w, int h);

// ---- Views (tests) -----------------------------------------------------------------
const char* ClubRecordLine(int line);
int16_t ClubRecordLabel(int line);
int16_t ClubRecordsCupRowCount();
const char* ClubRecordsCupName(int row);
const char* ClubRecordsCupYears(int row, int line);
// Row place 0-11 of the season table.
struct ClubSeasonRowView {
    bool filled;
    const char* season;
    const char* place;
    int16_t colour;  // text colour number; -1 without a division
    int16_t icon;    // 0 without a division
    int16_t played, won, drawn, lost, goalsFor, goalsAgainst, points;
};
ClubSeasonRowView ClubRecordsSeasonRow(int row);

// ---- Top scorers (screen 33) ---------------------------------------------------------

constexpr int kScorerColumns = 8;
constexpr int kScorerRows = 5;
constexpr int kPresentScorers = 32;

extern const MenuItem TopScorersTable[];
void TopScorersScreenProc();
int32_t TopScorers_Back(MenuHotItem*);

// The present squad's scorers (goals above 0, no goalkeeper), most goals
// first, squad order among equal goals; how many.
int TopScorers_PresentScorers(int16_t club, uint16_t players[kPresentScorers]);

// Views (tests): column 0-7 (0 this season, each further one season back),
// row 0-4.
const char* TopScorersName(int column, int row);
int16_t TopScorersGoals(int column, int row);
// The column's season label: first and second year, 0x8000 when empty.
int16_t TopScorersFirstYear(int column);
int16_t TopScorersSecondYear(int column);
