// The club fixtures screen (screen 8): every fixture of SelectedClub this
// season with date, venue, opponent, score from the club's side, crowd and
// competition, in four views (all but the reserve league, cups, league,
// reserve league), 19 rows a page; and the European qualification view
// (screen 12): per division of the viewed country last season's honours,
// the clubs entered in the European cups and the play-off clubs.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kClubFixtureRows = 19;
constexpr int kEuroQualifyRows = 15;
// The title click's mouse-button masks, one per step (bit 0 the first
// button, bit 1 the second): left, left, right, left, right.
constexpr uint16_t kTitleClickMasks[5] = {1, 1, 2, 1, 2};

// 1 all but the reserve league, 2 cups, 3 league, 4 reserve league.
extern int16_t ClubFixturesView;

extern const MenuItem ClubFixturesTable[];
extern const MenuItem EuroQualifyTable[];
void ClubFixturesMenu();
void EuroQualifyMenu();

int32_t ClubFixtures_SetView(int16_t view);
int32_t ClubFixtures_PageDown(MenuHotItem*);
int32_t ClubFixtures_PageUp(MenuHotItem*);
int32_t ClubFixtures_PickOpponent(int row);
int32_t ClubFixtures_Back(MenuHotItem*);
int32_t ClubFixtures_TitleClick(MenuHotItem*);
int32_t EuroQualify_SetDivision(int16_t division);
int32_t EuroQualify_ToClubMain(MenuHotItem*);

// ---- Views (tests) ----------------------------------------------------------
struct ClubFixtureRow {
    int16_t slot;  // -1 an empty row
    int16_t opponent;
    int16_t venueText;
    int16_t ownGoals, opponentGoals;  // -32768 blank
    int16_t separatorText;
    int16_t style;
    int16_t icon;
    char date[15];
    char attendance[40];
    char competition[200];
};
const ClubFixtureRow& ClubFixturesShownRow(int row);
int16_t ClubFixturesTop();
int16_t ClubFixturesViewCount();
int16_t ClubFixturesHeadingText();
// Counts of the club's fixtures: all, league, cups, reserve league.
void ClubFixturesCounts(int16_t* all, int16_t* league, int16_t* cups, int16_t* flagged);
bool ClubFixturesTitleArmed();
int ClubFixturesTitleStep();
bool ClubFixturesTitleUnlocked();
// Forgets the unlocking (tests).
void ClubFixtures_ResetTitleClick();

struct EuroQualifyRow {
    char label[100];
    char club[100];
};
const EuroQualifyRow& EuroQualifyShownRow(int row);
int16_t EuroQualifyDivision();
