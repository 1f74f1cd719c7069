// The player search (screen 19): the user edits the search screen's working
// filter through pop-up lists, digit buttons and draggable attribute bars
// and sees at once the players who pass it, ranked and paged 16 to a page.
// A right click on a name opens the player profile, which comes back here;
// the eight filter presets are named, stored and loaded from here too.
// The row formatting is shared with the shortlist screen.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

#include "game/screens/engine/screenmachine.h"
#include "game/screens/squad/searchfilter.h"

constexpr int kSearchListMax = 46000;
constexpr int kSearchPageRows = 16;
constexpr int kSearchShownKinds = 5;
constexpr int kSearchExtraChoices = 10;  // sort columns 1-10
constexpr int kSearchMaxDivisions = 6;
constexpr int32_t kSearchPriceCap = 99999000;
constexpr int32_t kSearchWageCap = 99999;

extern uint16_t SearchCandidates[kSearchListMax];
extern int32_t SearchCandidateCount;
extern uint16_t SearchResults[kSearchListMax];
extern int32_t SearchResultCount;
extern int32_t SearchTopRow;  // wide enough for the longest list
extern uint32_t SearchDirty;
extern uint16_t SearchResortPending;
extern uint32_t SearchRedrawPending;
extern uint16_t SearchShowAttributes;
extern int16_t SearchChosenKinds[kSearchLimitedKinds];
extern int16_t SearchChosenCount;
extern int16_t SearchFirstKind;
extern int16_t SearchExtraColumn[2];
// Divisions of the user's nation offered in the club-and-place list.
extern int16_t SearchDivisionCount;

extern const MenuItem PlayerSearchTable[];

// Start-up state: extra columns wage and price, club view, first kind and
// page 0.
void SearchMenu_InitState();
void SearchResultsMenuProc();
// The first-entry steps: candidates, the division list and the wage budget.
void PlayerSearch_Enter();
void PlayerSearch_CollectCandidates();
// The search over the candidates with its sort, as a filter change makes
// it (the page back to the top).
void PlayerSearch_Search();

// Key of a player for the working filter's sort column: the score, or the
// column's money value, else its number.
int64_t SearchResults_SortValue(uint16_t player);
// 1 when a sorts below b (the highest key first), -1 above, 0 equal.
int32_t SearchResults_Compare(uint16_t a, uint16_t b);

// What a shown row holds (player 0: the row is hidden).
struct SearchRowView {
    uint16_t player;
    int16_t clubText;  // -1 none
    char attributes[kSearchShownKinds][8];
    char extra[2][24];
};
const SearchRowView& PlayerSearch_Row(int row);
// Fills a row for the player: the club when asked, the values of the given
// attribute kinds (-1 blank; no kinds: none) and the two extra columns (sort
// column numbers).  SelectedPlayer is left on the player.
void PlayerSearch_FillRow(SearchRowView& row, uint16_t player, bool showClub, const int16_t* kinds,
                          const int16_t extraColumns[2]);
// Where a list screen puts a row's cells.
struct SearchRowLayout {
    int listX, listWidth;
    int attributeX[kSearchShownKinds];
    int extraX[2];
};
// Paints shown row r at y: the shaded band, the name, the settings, the
// club and the value columns; rowPlayers are the shown rows' players.
void PlayerSearch_PaintRow(const SearchRowView& row, std::span<const int32_t> rowPlayers, int r, int y,
                           const SearchRowLayout& layout);
const char* PlayerSearch_PageText();
const char* PlayerSearch_WageBudgetText();
// The label of the column-set button (-1 hidden) and heading i's text id.
int16_t PlayerSearch_ColumnLabel();
int16_t PlayerSearch_Heading(int column);
// The long text heading extra column 0 or 1.
int16_t PlayerSearch_ExtraHeading(int which);

// Writes what a list column shows for SelectedPlayer: a number, a text or
// money; empty when the column gives nothing.
void PlayerSearch_FormatColumn(int16_t column, char* out, size_t size);

// Pop-up choices by row (separators counted); each answers the handler's
// result.
int32_t PlayerSearch_ListA(int row);
int32_t PlayerSearch_ListB(int row);
int32_t PlayerSearch_ListC(int row);
int32_t PlayerSearch_ListD(int row);
int32_t PlayerSearch_ColumnSet(int row);
int32_t PlayerSearch_ExtraColumn(int which, int row);
// Price digit 0-4 (ten millions to thousands), wage digit 0-4 (ten
// thousands to units): add with the first button, subtract with the second.
int32_t PlayerSearch_PriceDigit(int digit, bool add);
int32_t PlayerSearch_WageDigit(int digit, bool add);
int32_t PlayerSearch_KindLeft(MenuHotItem* item);
int32_t PlayerSearch_KindRight(MenuHotItem* item);
int32_t PlayerSearch_PageUp(MenuHotItem* item);
int32_t PlayerSearch_PageDown(MenuHotItem* item);
// A click on row's name with the menu buttons word.
int32_t PlayerSearch_NameClick(int row, int buttons);
// The bars' mouse handling each frame, with the pointer and the buttons
// (bit 0 the first).
void PlayerSearch_BarMouse(int x, int y, int buttons);
int16_t PlayerSearch_DraggedKind();
