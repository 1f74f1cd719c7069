// The game's main function and the front-end state that start-up resets.
#pragma once
#include <cstdint>

#include "menus/machine.h"

// Runs the game until the user quits, then returns so that shutdown runs
// in order.
void GameMain();

// The front end: the start pictures, then one screen after another by
// MenuOption until it is -1 (or the window is closed).
void EnterFrontEnd();
void DoMainMenu();
// One round of the controller: the action of the current MenuOption.
void DoMainMenuOption();
// Pushes the table and runs it until it closes.
int32_t RunMenuSet(const MenuItem* table);

// Front-end words.
extern int16_t PreviousMenuOption;
extern int16_t ReturnMenuOption;
extern int16_t SelectedPlayer;
extern int16_t MenuFollowUp;  // 1 on to the squad screen, 2 on to the transfers
extern int32_t SaveLoadMode;  // 1 the save-slot screen loads, 0 it saves
extern int16_t SquadListSecond;
extern int16_t SquadListSpare;
extern int16_t SavedGoalIndex;
extern int16_t FrontEndViewWord;
// On while a game is on: the filtered pop-ups show only then.
extern int32_t PopupSwitch;

// Button text ids and the screen each leads to (-1 handled by the
// default handler itself), ended by {0, 0}.
struct MenuOptionPair {
    uint16_t textId;
    int16_t option;
};
constexpr int kMenuOptionPairs = 48;
extern const MenuOptionPair MenuOption_TextNumber[kMenuOptionPairs + 1];

// The recent screens behind the back buttons.
constexpr int kHistorySize = 6;
extern int16_t ScreenHistory[kHistorySize];
extern int16_t ScreenHistoryCount;
// Mode 0 clears, 1 goes back (MenuOption becomes the screen before), 2
// pushes the id.
void UpdateScreenHistory(int16_t id, int16_t mode, int16_t limit);

// Title bar: bit 0 the viewed club's badge, bit 1 the date strings, bit 2
// the second (empty) layout.
extern char TitleString1[40];
extern char TitleString2[40];
extern int16_t TitleClub;
extern int16_t TitleMode;
void SetMenuTitleDate(int16_t flags);
// The title bar every screen includes as a one-row group: the date strings
// and the five caption buttons with their navigation lists.
extern const MenuItem TitleBarTable[];

int32_t MenuOption_DefaultHandler(PopupCallBlock* call);
int32_t MenuHandler_Redraw(MenuHotItem* item);
int32_t MenuHandler_Accept(MenuHotItem* item);
int32_t MenuHandler_Close(MenuHotItem* item);

// Puts the human manager's waiting notices in front of him after the day.
void ProcessHalvornDayMessages();

// Least form of the screens later work builds: the background, the title
// bar, the caption of the screen's button and the back icon.
extern const MenuItem LeastScreenTable[];
// Least form of the match day's continue: back to the club.
void MatchDay_ContinueDays();

// Set up the menu engine (its buffers and the menu display), and free it
// again; every engine operation answers 0xF001 in between.
int32_t RestartMenus();
int32_t ReleaseMenuBuffers();

// Front-end values that start-up clears before the game starts.
extern int16_t OptionsScreenFirstEntry;
extern int32_t MatchDayScreensToggle;
extern uint8_t SquadScreenFlag;
void ResetFrontEndValues();

// The screen id the front-end loop shows; -1 ends the front end.
extern int16_t MenuOption;

// The first and second colour numbers (kit palette) of a club's colours.
int16_t GetClubColour1(int16_t club);
int16_t GetClubColour2(int16_t club);
