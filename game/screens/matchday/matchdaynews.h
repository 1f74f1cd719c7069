// The panels of a live match day: the team news of the user's match (and of
// his reserve-league match) with both team sheets, the opponent panel that
// sizes up the other club, the news-flash panel, and the small waits and
// texts the match-day module shares.
#pragma once
#include <cstdint>

#include "core/query/europeangroups.h"
#include "game/screens/engine/hotspot.h"
#include "game/screens/matchday/matchpreview.h"

// The team news of the user's fixture (and of his reserve-league fixture).
struct TeamNewsSheet {
    int16_t home, away;
    int16_t fixtureFlag;  // bit 10 of the fixture's score word
    int16_t substitutes;
    uint16_t lineUp[2][16];  // by shirt - 1; 0 an empty place
    char names[2][41];
    char shortNames[2][16][21];
    char titles[2][kTitleLineSize];  // the competition and the day
};
extern TeamNewsSheet TeamNewsBlock;

// One player of the opponent's lists: his status kind (0 in the team, 1 a
// substitute, 2 available, 3 suspended, 4 injured, 5 away with his nation)
// and his performance or goal figure.
struct OpponentListEntry {
    uint16_t player;
    uint16_t kind;
    int16_t value;
};
constexpr int kOpponentListSize = 10;
constexpr int kOpponentResults = 5;
// The other club of the user's ordinary fixture, filled with the team news.
struct OpponentFigureBlock {
    int16_t club;
    int16_t homeRecord[5];  // won, drawn, lost, for, against
    int16_t awayRecord[5];
    int16_t results[kOpponentResults];  // latest league fixtures before today, newest first; -1 none
    OpponentListEntry performanceList[kOpponentListSize];
    OpponentListEntry scorerList[kOpponentListSize];
};
extern OpponentFigureBlock OpponentFigures;

// The opponent's figures for the user's fixture in the slot.
void MatchDay_FillOpponentFigures(int16_t slot);
// Both clubs' squads, automatic shirts, line-ups and names for the user's
// ordinary fixture of today (and the opponent's figures); nothing when he
// has none.
void MatchDay_PrepareTeamNews();
// The same for his reserve-league fixture.
void MatchDay_PrepareTeamNews120();
// The two team-news panels (events 0 and 4) and their team sheets (kind 0
// the ordinary fixture, 1 the reserve-league fixture).
void MatchDay_TeamNews();
void MatchDay_TeamNews120();
void MatchDay_DrawTeamSheet(int16_t kind);
// Orders two lists of 32 players by shirt number; negative places are
// empty and stay where they are.
void MatchDay_SortByShirt(int16_t (&first)[32], int16_t (&second)[32]);
// The panel's regions: the list emptied and the table added (a region of
// width 0 or below sized to its text, regions sharing a spot laid side by
// side), then every region drawn, on a button face from kind 500 up.
void MatchDay_SetButtons(const HotRegion* table);
void MatchDay_DrawButtons(const HotRegion* table);

// The opponent panel (event 1) and its parts.
void PreviewPanel_Draw();
void PreviewPanel_DrawOpponentName();
// The integer mean of the marks above 0 that the club's players got in the
// fixture, as the store of recent match marks keeps them for the club's
// row; 0 when the store holds no record of the fixture or no mark.
int16_t PreviewPanel_MeanMark(int16_t slot, int16_t club);
// The badge of a list entry: icon, shirt number (0x8000 none) and text id
// (always -1).
void PlayerStatusBadge(const OpponentListEntry& entry, int16_t* icon, int16_t* number, int16_t* text);

// Every row of both tables empty: club -1, totals and mark 0.
void PreviewPanel_ClearExtracts(TableExtractPair& pair);
// The preview's group table: the four rows of a European group's standings.
extern GroupStandings PreviewGroupTable;
// Every row's club -1; for a fixture of the third European cup's group
// rounds (0 or 1), the standings of the user's group in stage n when he has
// one.
void PreviewPanel_SetGroupEntries(int16_t fixture, int16_t n);

// The new-day preview as a routine of its own: the ordinary and the
// reserve-league fixture slots (-1 none).  Returns 6.
int32_t MatchDay_PreviewLoop(int16_t fixture, int16_t reserveFixture);
// Waits for a click strictly inside the exit icon's square at (570-610,
// 436-476); a closed window ends the wait.
void MatchDay_WaitForIcon();
// Waits until n timer ticks (1/500 s) have passed, polling; a closed
// window or a stopped timer ends the wait.
void MatchDay_WaitTicks(uint32_t ticks);
// Replaces the first occurrence of find in the text (a buffer of at least
// 300 bytes), keeping at most 299 characters.
void ReplaceFirstText(char* text, const char* find, const char* replacement);
// Text id of the ordinal suffix of n (263 st, 264 nd, 265 rd, 266 th).
int16_t OrdinalSuffixText(int32_t number);
// A money figure from the club's reputation (the same for every kind).
int32_t ClubReputationMoney(int16_t club, int16_t kind);

// The news-flash panel: the five queued flashes, oldest first, over whatever
// is on the screen.
void MatchDay_ShowMessages();
