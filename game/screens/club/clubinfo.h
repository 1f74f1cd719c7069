// Screen 6: one club's facts (manager, board, ground, money, its ranks in
// its country) and, when the user came to take a job, the buttons that do.
#pragma once
#include <cstdint>

#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/screenmachine.h"

// The screen the back button returns to.
extern int16_t ClubInfoPrevious;
// A player whose shirt the job change clears (0 none): the manager a
// waiting job offer named, set when the day's messages show the offer.
extern uint16_t TakeJobShirtPlayer;

extern const MenuItem ClubInfoTable[];
void ClubInfoScreenProc();
// The screen's first-entry work: buttons, rank lists and value texts of
// SelectedClub.
void ClubInfoBuild();

// The shown club's place (1 = first) among its country's listed clubs by
// reputation and by worth; 0 when it is not listed.
int16_t ClubInfoReputationRank();
int16_t ClubInfoWorthRank();
// The value texts of the screen, captions 1..10 in order.
const char* ClubInfoValueText(int caption);
// The caption texts ("%s:"), captions 1..10 in order.
const char* ClubInfoCaptionText(int caption);
bool ClubInfoShowsJobButtons();

// The vacancy list and the division list hand their picks (ClubPickedFlag 1,
// ClubInfoPickedFlag) over for one club: they hold for that club alone.
void HandClubPicksOver(int16_t club);
// True when the picks are for the club; with ClubPickedFlag 2, when the
// club's job offer still waits.
bool ClubPicksHoldFor(int16_t club);
// Drops ClubPickedFlag and ClubInfoPickedFlag: the road they were handed
// over on has been left.  The division list's own word stays.
void DropClubPicks();

int32_t ClubInfoBack(MenuHotItem* item);
int32_t ClubInfoSquad(MenuHotItem* item);
int32_t ClubInfoTakeJob(MenuHotItem* item);

// The user takes the job of SelectedClub; MenuOption tells where he goes on.
void TakeManagerJob();
// Clears the scouting of every player and the scouting assignments.
void Scout_ResetAll();
