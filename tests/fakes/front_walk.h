// A walk of the front end by a seeded random user: from the club screen of
// a running game (the front end running, the scripted user of menu_user.h
// attached) it clicks what the screen on show really offers (buttons, rows,
// pop-up rows, the title bar, back icons, right clicks), read from the
// engine's test views, and plays days with Continue so that the day's
// messages open offers, sales, talks, job offers and job answers.  The
// weights take it through the deal, club and squad screens often.
//
// The walk keeps its own account of what each opener asked for (which
// player's profile the offer came from, which club's squad was asked for,
// which road a screen was reached by), and after every step it checks the
// screen on show against that account:
//   (a) the game is on a real front-end screen;
//   (b) an offer shows the player its opener named: the profile's player,
//       the day's sale or pending deal, or the kept offer on the deal's own
//       way back; an offer reached any other way has no exchange player, no
//       adjustments and no resumed deal;
//   (c) a back icon leads to the screen its opener named, to the offer only
//       on the deal's own way back, or home;
//   (d) club information shows job buttons only for a club with a live
//       pick, offer or accepted application, and does show them for an
//       accepted application;
//   (e) talks are locked only when the contract screen opened them;
//   (f) the squad list and the shortlist show what their opener asked for.
//
// RunFrontWalk only queues the first step; the walk runs from the engine's
// frames and calls options.done once it has made its steps or failed.  A
// fatal error of the game prints the walk's seed and last steps before the
// program ends.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace testenv {

struct FrontWalkOptions {
    uint32_t seed = 1;
    int steps = 300;
    // The long days (the run on) are left out when false.
    bool runOn = false;
    // The boards say yes to every application lodged: early in a season
    // the user has no form, and a board without it accepts nobody.
    bool boardsAccept = true;
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
    int days = 0;
    int offers = 0;
    int backIcons = 0;
    // Applications lodged and the answer days that accepted one.
    int applications = 0;
    int acceptances = 0;
};

std::shared_ptr<FrontWalkReport> RunFrontWalk(FrontWalkOptions options);

// One line of what the walk did: steps, days, offers, screens and checks.
std::string FrontWalkSummary(const FrontWalkReport& report);

}  // namespace testenv
