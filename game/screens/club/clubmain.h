// The club main screen (screen 3): the user's desk between match days.  A
// division's clubs, the picked club's league-place graph, its facts or
// bids and next fixtures, a rotating panel of tables, scorers and the next
// league day, and the Continue button whose pop-up starts the day loop.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

// The day-loop flag the screen keeps: set on entry while the user's club
// has a fixture today.
constexpr uint16_t kDayLoopPlaysToday = 0x0004;

extern const MenuItem ClubMainTable[];
void ClubInfoMenu();

// The Continue entries: one day, run on, play today's match.
int32_t ClubMain_OneDay(PopupCallBlock* call);
int32_t ClubMain_RunOn(PopupCallBlock* call);
int32_t ClubMain_PlayMatch(PopupCallBlock* call);

// ---- Views of the screen's state, for tests ----------------------------------
constexpr int kClubMainListSlots = 24;
constexpr int kClubMainShownRows = 17;
constexpr int kClubMainFacts = 7;
constexpr int kClubMainBidRows = 8;
constexpr int kClubMainFixtureLines = 3;
constexpr int kClubMainPanelSlots = 18;
constexpr uint16_t kClubMainEmpty = 0xFFFF;

// The viewed division's clubs by name (65535 empty) and their count.
const uint16_t* ClubMainClubList();
int16_t ClubMainClubCount();
int16_t ClubMainListTop();
// 1 club facts, 0 bids.
int16_t ClubMainMode();
const char* ClubMainFactLine(int line);
uint32_t ClubMainBidPlayer(int row);
const char* ClubMainBidPrice(int row);
const char* ClubMainFixtureLine(int line);
// The Continue pop-up's entry texts and whether each can be chosen.
int16_t ClubMainContinueText(int entry);
// The rotating panel: its sequence of kinds (65535 ends it) and the kind
// shown (0-5 a division table, 6-11 scorers, 12-17 the next league day;
// anything else an empty panel).
const uint16_t* ClubMainPanelSequence();
uint16_t ClubMainPanelKind();
// Position graph: the league place after each past league match (65535
// none).
uint16_t ClubMainGraphPlace(int entry);
