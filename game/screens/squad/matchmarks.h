// The squad's match marks (screen 82): the user's players against his
// club's last league matches, one cell per player and match coloured by the
// mark's band; a click on a cell with a mark shows that player's match.
#pragma once
#include <cstdint>

#include "game/screens/club/incomeforecast.h"
#include "game/screens/engine/screenmachine.h"

constexpr int kMarksListSlots = 32;
constexpr int kMarksRows = 17;
constexpr int kMarksColumns = 10;
constexpr int16_t kMarksNone = int16_t(0x8000);
constexpr int16_t kMarksEmptyIcon = 125;
constexpr uint8_t kMarksNoColumn = 0xFF;

// The icon of a mark's band: below 40 icon 4, then one icon per ten up to
// 90 and above; no mark (below 1) the empty icon.
int16_t MatchMarkIcon(int32_t mark);

extern const MenuItem MatchMarksTable[];
void MatchMarksScreenProc();

// The listed fixture slots of the matches, oldest first.
const int16_t* MatchMarksSlots();

// ---- The grid's state, for tests ---------------------------------------------
struct MatchMarksState {
    int8_t top;
    int8_t count;
    uint16_t selectedPlayer;
    uint8_t selectedColumn;  // kMarksNoColumn none
    uint16_t players[kMarksListSlots];
    int16_t matches;  // recent matches listed, 0-10
};
extern MatchMarksState MatchMarks;
int16_t MatchMarksCellMark(int row, int column);
int16_t MatchMarksCellIcon(int row, int column);
const char* MatchMarksCaption(int column);
bool MatchMarksScrollShown();
// The panel of the selected match: its date, opponent and venue, score
// and the player's figures (empty while nothing is selected).
const char* MatchMarksPanelLine(int line);
int16_t MatchMarksPanelIcon();
