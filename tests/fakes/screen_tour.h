// The screen tour: from the club screen of a running game (the front end
// running, the scripted user of menu_user.h attached), the scripted user
// visits once each family of screens, clicking only what the engine's test
// views say a screen offers (title-bar lists, items, pop-up rows); a few
// screens that no screen leads to are opened by setting their id.  On each
// family's main screen it takes a grab (Scroll Lock) and checks it; along
// the way it checks what the actions change in the game and that refused
// actions change nothing in the saved blocks.
//
// RunScreenTour only queues the first step: the tour runs from the
// engine's frames, one step after another, and fills the report as it
// goes; report->finished is set once it is back on the club screen (or has
// given up), and options.done is called then.  Call it with nothing else
// queued for the scripted user.  A running day user (day_user.h) is held
// for the tour and runs again after it.
//
// What the tour leaves changed in the game: two of the user's players swap
// squad numbers, his first trainee has another training type, the last of
// his spare list with a contract is released and a player of another club
// of his division bought (fee and pay-off paid from the club's own money),
// and the options' save, sacking (undone: he takes his club back) and soak.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace testenv {

struct ScreenTourOptions {
    // Screen 98 loads the game saved in slot 0 at a click: the tour saves
    // the game there first through the save screen, then opens 98 and
    // clicks.  Off, the tour neither saves nor loads.
    bool saveAndLoadSlotZero = false;
    // A sacking prepared by the tour: the board sacks the user at the day's
    // end and the vacancies screen offers jobs; he takes his club back.
    bool sacking = false;
    // The test screens' soak: this many weeks played on by the soak (0:
    // the soak screen visited, no soak).
    int soakWeeks = 0;
    // The short form (a checked tree): the first screen of each family
    // only, and neither the purchase nor the soak.
    bool shortForm = false;
    // Last, the shared rows list, whose way back leads to the start screen,
    // where the tour ends.
    bool endOnStartScreen = false;
    // Called once the tour has ended.
    std::function<void()> done;
};

struct ScreenTourReport {
    bool finished = false;
    // Screen ids seen up, with their own screen table, while the tour (or
    // ScreenTourWatch) watched.
    std::set<int16_t> visited;
    // The families toured to their end, in order.
    std::vector<std::string> families;
    std::vector<std::string> failures;
    int grabs = 0;
    // What each grab shows, in order ("screen 3", ...).
    std::vector<std::string> grabbed;
    int refusals = 0;
    // What was refused, in order.
    std::vector<std::string> refused;
    bool messageTester = false;
    // Per screen id seen up: whether its table has the title bar (and with
    // it the news ticker), whether a selectable item of it reaches into the
    // ticker's strip, whether it filled the ticker's text (its title flags),
    // and whether the ticker moved while it stood.
    struct Ticker {
        bool titleBar = false;
        bool stripTaken = false;
        bool text = false;
        bool moved = false;
    };
    std::map<int16_t, Ticker> ticker;
};

// Starts the tour; see above.
std::shared_ptr<ScreenTourReport> RunScreenTour(ScreenTourOptions options = {});

// Starts watching which screens come up (a poll function) before a tour,
// e.g. along the start screen's road; RunScreenTour keeps the ids seen.
void ScreenTourWatch();

// The ids of the controller's screen table (those with a screen of their
// own), ascending.
std::vector<int16_t> ScreenTourTableIds();
// Why no tour reaches the id by clicks alone, or nullptr when one does.
const char* ScreenTourUnreachable(int16_t id);
// The parts of the program no screen offers.
std::vector<std::string> ScreenTourOfferedByNoScreen();
// One line per id of the table: visited, or not reachable and why, or
// missed.  missed counts the ids that are neither.
std::string ScreenTourAccount(const ScreenTourReport& report, int* missed);

// A hash of the saved game's blocks in memory, but the club screens' word
// (block 44) that loads and screens set.
uint64_t SavedBlocksHash();
// The hash of one block, each block's, and the blocks (but 44) whose hash
// is no longer the one given.
uint64_t SavedBlockHash(int block);
std::vector<uint64_t> SavedBlockHashes();
std::vector<int> ChangedSavedBlocks(const std::vector<uint64_t>& before);

}  // namespace testenv
