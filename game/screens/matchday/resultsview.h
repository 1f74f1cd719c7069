// The post-match statistics pages of the results loop: the player chart
// (screen 97, the results loop's view 2), the front-end twin of the
// in-match player chart with five bar columns a view over gradient panels,
// and the team statistics (view 4): each player of one side with two
// counters and a third value in four views.  Both read the user's kept
// match, never the live blocks that the day's later fixtures overwrite.
#pragma once
#include <cstdint>

#include "core/match/matchresult.h"
#include "core/match/matchsetup.h"
#include "game/match3d/playerstatsmenu.h"
#include "game/screens/engine/screenmachine.h"

// The match the post-match pages show: its set-up and result blocks and its
// fixture slot (-1 when it has none: the goals are then the reports').
struct PostMatchView {
    const EnterGameInfo* setup;
    const MatchResultBlock* result;
    int16_t fixture;
};
PostMatchView PostMatch_Shown();
// A side's goals of the shown match, from its fixture when it has one.
int PostMatch_Goals(const PostMatchView& match, int side);
// The side the pages show first: the user's side of the kept match
// (LastMatch_UserSide).
uint16_t PostMatch_FirstSide(const PostMatchView& match);
// A side's team name, cut to the block's 50 characters.
const char* PostMatch_TeamName(const PostMatchView& match, int side,
                               char (&out)[gameinfo::kTeamNameLength + 1]);
// The player report of line-up entry e of a side, and whether he played.
const uint8_t* PostMatch_Report(const PostMatchView& match, int side, int entry);
bool PostMatch_Played(const PostMatchView& match, int side, int entry);

// ---- Player chart (screen 97) ----
// The page's own view word (0, 1, 2, 4, 5 or 7; 7 on entry) and side.
extern uint16_t ResultsViewWhatViewing;
extern uint16_t ResultsViewSide;
extern const MenuItem ResultsViewTable[];
void ResultsViewMenu();
// The six view buttons (result 1 for the view shown).
int32_t ResultsView_PickView(uint16_t view);
// The bottom buttons and the back icon: MatchDayResultsView 3, 1, 0 and -1.
int32_t ResultsView_SetPage(int16_t page);
// The other side's name button: the match graph.
int32_t ResultsView_OpenGraph(MenuHotItem* item);
// The button face of a shown row's number cell.
void ResultsView_DrawRowButton(int x, int y, int width, int height);

struct ResultsViewRow {
    int16_t entry;     // line-up entry, -1 a blank row
    uint16_t player;   // record number
    int16_t number;    // the player's field-92 number
    int16_t position;  // text id, -1 none
    char name[gameinfo::kPlayerNameLength + 1];
};
const ResultsViewRow& ResultsViewShownRow(int row);
const IgChartState& ResultsViewChart();
const char* ResultsViewHeader();
int16_t ResultsViewHeading(int column);
// One frame of the bars' growth (the chart's timer runs it).
void ResultsView_Animate();

// ---- Team statistics (results loop view 4) ----
constexpr int kTeamStatsRows = 14;
extern uint16_t TeamStatsSide;
extern uint16_t TeamStatsView;
extern const MenuItem TeamStatsTable[];
void TeamStatsMenu();
int32_t TeamStats_ToggleSide(PopupCallBlock* call);
int32_t TeamStats_SetView(PopupCallBlock* call);
// The exit entries: 0 the player chart, 1 the result board, 2 the share
// chart.
int32_t TeamStats_Exit(PopupCallBlock* call);

struct TeamStatsRow {
    int16_t shirt;  // entry + 1
    uint16_t player;
    int16_t minutes;
    int16_t values[3];  // -1 blank
};
int TeamStatsRowCount();
const TeamStatsRow& TeamStatsShownRow(int row);
// The scales of the first two values and of the third.
int16_t TeamStatsScale(int which);
int16_t TeamStatsHeading(int column);
