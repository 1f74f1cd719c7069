// The history browser: today's fixtures of the user's country with their
// scores, before the day's matches (title 887) or after them as the day's
// results (title 1558), and its leave controls.
#pragma once
#include <cstdint>

#include "menus/machine.h"

// 1 when the browser was opened before the day's matches.
extern uint16_t HistoryOpenedFromContinue;
// Set by the leave controls.
extern int16_t HistoryLeaveFlag;

extern const MenuItem HistoryBrowserTable[];
void HistoryMenuProc();
// Runs the browser's table with the title text and the opened-from-Continue
// word.
void RunHistoryBrowser(int16_t titleText, uint16_t openedFromContinue);

// Leave controls: to the club screen (the saved-goal count cleared), and
// to the club screen with every saved goal replay deleted.
int32_t HistoryBrowser_LeaveToClub(MenuHotItem* item);
int32_t HistoryBrowser_LeaveAndClearGoals(MenuHotItem* item);

// The lines shown: fixture slots in list order (-1 ends).
constexpr int kHistoryShownLines = 20;
extern int16_t HistoryShownFixtures[kHistoryShownLines + 1];
