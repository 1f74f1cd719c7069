// The road a player takes from the start of the program to his club, for
// the scripted user (menu_user.h): the start pictures GameMain shows first,
// the start screen, the video options and the name editors looked at and
// left, a new game from the played countries, a club taken from the
// division list and its job applied for, the manager's surname typed, to
// the club screen; or, for a game saved before, the start screen's "Load
// Game" and a row of the load screen, to the club screen.
//
// The Queue functions only queue the steps: run the program's front end
// with StartPathRunGameMain afterwards (the steps run from its frames).
// The caller queues what comes after the club screen from the function it
// hands over, which runs once the club screen is up.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace testenv {

struct StartPathNewGame {
    // Look at the video options (F11) before the new game, leaving them by
    // their own back button.
    bool videoOptions = true;
    // On the video options, leave by OK with the smallest screen mode they
    // offer at the colour depth in use (the 3D display draws at that size)
    // instead of by cancel.  The choice stands for the rest of the process.
    bool smallestVideoMode = false;
    // Click "Edit Names" before the new game and see the start screen stay.
    bool nameEditors = true;
    // The row (0-7, not 4, which cannot be changed) of the played-countries
    // screen whose home box is ticked; -1 keeps the home country the screen
    // starts with.
    int homeCountryRow = -1;
    // Rows (0-7, not 4) of the played-countries screen whose right box is
    // clicked once: a country played by default is switched off.
    std::vector<int> toggledCountryRows;
    // The club taken: this row of the division list's left column.
    int clubRow = 0;
    // Typed as the manager's surname: capital letters only.
    std::string surname = "HOLM";
};

// Links the shipped database's folder ("stats") into the working folder,
// where the start screen and the new game read it; false when it cannot.
bool StartPathLinkGameData(const std::string& gameDir);

// The new game by the start screen, then atClub once the club screen is up.
void StartPathQueueNewGame(const StartPathNewGame& choices, std::function<void()> atClub);

// The game saved in the row (0-9) loaded by the start screen's "Load Game",
// then atClub once the club screen is up.
void StartPathQueueLoadGame(int row, std::function<void()> atClub);

// Runs the front end as the program does, from its start pictures until the
// user quits (or the window closes).  The menus a screen test started are
// released for the run and started again after it.
void StartPathRunGameMain();

}  // namespace testenv
