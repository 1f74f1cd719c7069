// The world's clubs by region: ten region buttons, the nations of the
// chosen region (highest number first, some nations left out), and the
// chosen nation's clubs in two columns; a club opens its squad.  Region 9
// lists the viewed country's clubs below its leagues instead of nations.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kClubsByNationRegions = 10;
constexpr int kClubsByNationNations = 40;
constexpr int kClubsByNationShownNations = 20;
constexpr int kClubsByNationClubs = 200;
constexpr int kClubsByNationRows = 17;

extern const MenuItem ClubsByNationTable[];

void ClubsByNationScreenProc();
void ClubsByNationDrawNations(int x, int y, int w, int h);
// Region 7, no nation, the top of the list; at front-end start and at every
// new game.
void ClubsByNation_Reset();

int32_t ClubsByNation_ChooseRegion(int16_t region);
int32_t ClubsByNation_ChooseNationRow(int row);
// A click on the left (column 0) or right (1) club field of row r.
int32_t ClubsByNation_OpenClub(int row, int column);
int32_t ClubsByNation_ScrollUp(MenuHotItem*);
int32_t ClubsByNation_ScrollDown(MenuHotItem*);
int32_t ClubsByNation_Back(MenuHotItem*);

// ---- Views (tests) ------------------------------------------------------
int16_t ClubsByNationRegion();
int16_t ClubsByNationNation();
int16_t ClubsByNationScroll();
// The nation list after the screen function (-1 empty entries).
int16_t ClubsByNationListedNation(int index);
int16_t ClubsByNationClub(int index);
int ClubsByNationClubCount();
// The club shown in a row's field, -1 none.
int16_t ClubsByNationShownClub(int row, int column);
