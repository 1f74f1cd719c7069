// Screen 6: one club's facts (manager, board, ground, money, its ranks in
// its country) and, when the user came to take a job, the buttons that do.
#pragma once
#include <cstdint>

#include "game/screens/engine/frontendloop.h"
#include "game/screens/engine/screenmachine.h"

// The screen the back button returns to.
extern int16_t ClubInfoPrevious;
// A player whose shirt the job change clears (0 none): the manager a
// waiting job offer named, set when the day's messages show the offer and
// cleared when the offer is turned down.
extern uint16_t TakeJobShirtPlayer;

// ClubPickedFlag when the club the user applied to has accepted him: its
// information screen offers the job, taken at once without applying again.
constexpr int16_t kClubPickAccepted = 3;

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
// club's job offer still waits; with kClubPickAccepted, when the club's
// acceptance of the user's application still stands.
bool ClubPicksHoldFor(int16_t club);
// Drops ClubPickedFlag and ClubInfoPickedFlag: the road they were handed
// over on has been left.  The division list's own word stays.  An accepted
// application given up this way is spent.
void DropClubPicks();
// The day's messages show the club that accepted the user's application:
// its information screen is the accepted job's, for that club alone.
void ShowAcceptedJob(int16_t club);
// The accepted job is taken or its road left: the application is spent.
void GiveUpAcceptedJob();
// Forgets the picks and the offer's shirt word of the game that was
// running, when a game is loaded or a new one starts; the application
// record is the loaded or new game's own and stays.
void ClubInfo_Forget();

int32_t ClubInfoBack(MenuHotItem* item);
int32_t ClubInfoSquad(MenuHotItem* item);
int32_t ClubInfoTakeJob(MenuHotItem* item);

// The user takes the job of SelectedClub; MenuOption tells where he goes on.
void TakeManagerJob();
// Clears the scouting of every player and the scouting assignments.
void Scout_ResetAll();
