// The shortlist and scout report screen (screen 64): in the shortlist view
// the user's shortlist, from which players can be removed; in the scout
// view, opened from the scouting screen, the players the scouts recommend
// in the chosen region.  Rows as the player search shows them: name,
// settings, club, five chosen attribute columns and two chosen extra
// columns; a name opens the player profile.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"
#include "game/screens/transfers/playersearch.h"

constexpr int kScoutListMax = 1000;
constexpr int kShortlistRows = 18;

extern int16_t ShortlistAttrColumn[kSearchShownKinds];  // attribute kind, -1 none
extern int16_t ShortlistExtraColumn[2];                 // sort columns 1-10
extern uint16_t ScoutList[kScoutListMax];
extern uint16_t ScoutCount;
extern int16_t ShortlistTopRow;
extern uint16_t ShortlistRemoveMode;

extern const MenuItem ShortlistTable[];

// Start-up state: no attribute columns, extra columns wage and price, top.
void ShortlistScreen_Reset();
void ShortlistMenu();
// The first-entry steps: the view's title, the scout list, remove mode off.
void Shortlist_Enter();

const SearchRowView& Shortlist_Row(int row);
int16_t Shortlist_Title();
int16_t Shortlist_AttrHeading(int column);
bool Shortlist_ScrollShown();

// The attribute-column pop-up's choice for the column under the mouse x it
// opened at (row 20: none); the extra columns' choices.
int32_t Shortlist_ChooseAttr(int mouseX, int row);
int32_t Shortlist_ChooseExtra(int which, int row);
// A click on a row's name (the remove question is asked in remove mode).
int32_t Shortlist_NameClick(int row);
int32_t Shortlist_RemoveSwitch(MenuHotItem* item);
int32_t Shortlist_ScrollUp(MenuHotItem* item);
int32_t Shortlist_ScrollDown(MenuHotItem* item);
int32_t Shortlist_Back(MenuHotItem* item);
