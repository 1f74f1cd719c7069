// A walk of the front end by a seeded random user: from the club screen of
// a running game (the front end running, the scripted user of menu_user.h
// attached) it clicks what the screen on show offers (buttons, rows, pop-up
// rows, the title bar, back icons, right clicks), read from the engine's
// test views, plays days with Continue, and now and then saves the game on
// the save screen and loads it again from the start screen.
//
// Every expectation comes from the walk's own clicks: the strings the
// clicked row showed (a player's or a club's name), the road of screens the
// walk went through, what the day's lists held when it chose Continue.
// After every step it checks the screen on show against them:
//   (a) the game is on a real front-end screen, or playing a day; a
//       Continue with nothing waiting plays the day;
//   (b) an offer shows the player its opener named: the profile's player,
//       the day's sale or deal, the kept offer on the deal's own way back;
//       an offer from a profile or the day's sale holds nothing of another;
//   (c) a back icon leads to the screen the user came from, or home, or the
//       one screen its rule names (one table, kBackRules);
//   (d) club information shows job buttons only for a club picked, offering
//       or accepting the user, and does show them for an acceptance;
//   (e) talks are locked only when the contract screen opened them;
//   (f) a screen opened from a row shows the row's player or club; the
//       squad list and the shortlist show what their opener asked for;
//   (g) what the day's messages announce (a sale, a deal, a contract, a job
//       offer, a job answer) is shown before the next day is played, and a
//       job he is told he can take can be taken;
//   (h) a loaded game is the game saved, and its front end starts clean.
//
// RunFrontWalk only queues the first step; the walk runs from the engine's
// frames and calls options.done once it has made its steps or failed.  The
// program running the walk calls FrontWalkBetweenRounds after each round of
// the controller: the walk's own errands outside the screens (the start
// screen it loads from, a day nobody is at the keys for) happen there.  A
// fatal error of the game prints the walk's seed and last steps.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace testenv {

struct FrontWalkOptions {
    uint32_t seed = 1;
    int steps = 300;
    // The long days (the run on) are left out when false.
    bool runOn = false;
    // Saves and loads now and then.
    bool saves = true;
    std::function<void()> done;
};

struct FrontWalkReport {
    bool finished = false;
    int steps = 0;
    // The first broken rule, with the steps that led to it; empty when none.
    std::string failure;
    // The last steps, one line each (kept for the failure's account).
    std::vector<std::string> trail;
    // Screens seen up (by id) and how often each rule was checked.
    std::map<int16_t, int> screens;
    std::map<char, int> checks;
    // Coverage: days played, season turns, offers by their opener, the
    // screens whose back icon was checked, applications lodged and
    // answered, saves and loads.
    int days = 0;
    int seasonTurns = 0;
    int dealsAtTurn = 0;  // the deals waiting over a season's turn
    int offersFromProfile = 0;
    int offersByDay = 0;
    int offersOnWayBack = 0;
    std::set<int16_t> backScreens;
    int backIcons = 0;
    int applications = 0;
    int accepted = 0;
    int refused = 0;
    int jobsTaken = 0;
    int saves = 0;
    int loads = 0;
};

std::shared_ptr<FrontWalkReport> RunFrontWalk(FrontWalkOptions options);

// Runs the walk's errands between two rounds of the controller.
void FrontWalkBetweenRounds();

// Plays one day as the soak does, with nobody at the keys: what the day
// brings for the user waits for his next day at the screens.
void FrontWalkPlayUnattendedDay();

// One line of what the walk did: steps, days, offers, screens and checks.
std::string FrontWalkSummary(const FrontWalkReport& report);

}  // namespace testenv
