// The result board and the match statistics of the user's last match, the
// screens of the results loop after it, with the tab bar that steers the
// loop through MatchDayResultsView.  Both read the kept copy of his match
// (game/screens/matchday/lastmatch.h), never the live blocks.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

// The views of the results loop, the values of MatchDayResultsView.
enum ResultsView : int16_t {
    kResultsLeave = -1,
    kResultsBoard = 0,
    kResultsStats = 1,
    kResultsPlayerChart = 2,
    kResultsShareChart = 3,
};

extern const MenuItem ResultBoardTable[];
extern const MenuItem MatchStatsTable[];
// The tab bar as a nested table, with icon 153 that leaves the loop: the
// tab of the current view is marked and does nothing (result 1); the
// others name their view and close the screen.
extern const MenuItem ResultsTabBar[];

void ResultBoardMenuProc();
void MatchStatsMenuProc();
// Painters of the two screens.
void ResultBoardGoals(int x, int y, int w, int h);
void ResultBoardLineUps(int x, int y, int w, int h);
void MatchStatsBars(int x, int y, int w, int h);
void MatchStatsZones(int x, int y, int w, int h);

// The header of the result board, also shown by the share chart: the score
// lines, the attendance and referee lines and both sides' goal lists.
// Built from the kept match by ResultBoard_BuildHeader.
void ResultBoard_BuildHeader();
const char* ResultBoardHomeLine();
const char* ResultBoardAwayLine();
const char* ResultBoardAttendanceLine();
const char* ResultBoardRefereeLine();
const char* ResultBoardGoalText(int side);
// The header's items, nested by the board and the share chart.
extern const MenuItem ResultBoardHeader[];
// Marks the tab of the view on entry (draw parameter 1 or 2 set to 9).
void ResultsTabBar_Mark(int16_t view, int32_t drawParam);

// A home share in per cent of home against away: 50 when both are 0.
int ResultsShare(int64_t home, int64_t away);

// What the statistics screen shows, for tests: the three zone strings, the
// zone bar shares and the seven rows' home shares and texts.
struct ResultsStatsShown {
    char zonePercent[3][16];
    int zoneShare[3];
    int rowShare[7];
    char rowHome[7][16];
    char rowAway[7][16];
};
const ResultsStatsShown& MatchStatsShown();
// The statistics screen's two score lines.
const char* MatchStatsHomeLine();
const char* MatchStatsAwayLine();
