// The game's main function and the front-end state that start-up resets.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenids.h"
#include "game/screens/engine/screenmachine.h"

// Runs the game until the user quits, then returns so that shutdown runs
// in order.
void GameMain();

// The front end: the start pictures, then one screen after another by
// MenuOption until it is -1 (or the window is closed).
void EnterFrontEnd();
void DoMainMenu();
// One round of the controller: the action of the current MenuOption.
void DoMainMenuOption();
// True when the controller shows a screen of its own for the id.
bool MenuOptionHasScreen(int16_t id);
// What the screens keep of the running game (the match kept for the
// after-match screens, a player deal left open, the job screens' picks),
// left behind when a game is loaded or a new one starts.
void ForgetTheRunningGame();
// Loads the slot's game (LoadGame's result): a game that loaded leaves
// nothing of the running one behind; a refused file leaves the running game
// as it was.
int LoadSavedGame(int16_t slot);
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
extern int16_t FrontEndViewWord;

// Button text ids and the screen each leads to (-1 handled by the
// default handler itself), ended by {0, 0}.
struct MenuOptionPair {
    uint16_t textId;
    int16_t option;
};
constexpr int kMenuOptionPairs = 55;
extern const MenuOptionPair MenuOption_TextNumber[kMenuOptionPairs + 1];

// The recent screens behind the back buttons.
constexpr int kHistorySize = 6;
extern int16_t ScreenHistory[kHistorySize];
extern int16_t ScreenHistoryCount;
// Mode 0 clears, 1 goes back (MenuOption becomes the screen before), 2
// pushes the id.
void UpdateScreenHistory(int16_t id, int16_t mode, int16_t limit);
// A road starts afresh (home, or a navigation row): no back icon leads into
// the one left by its recent screens or the squad list's previous screen.
void ForgetTheRoad();

// Title bar: bit 0 the viewed club's badge, bit 1 the date strings, bit 2
// the second (empty) layout, bit 3 the ticker (the live results while the
// in-match menus are up, else the national headlines).
extern char TitleString1[40];
extern char TitleString2[40];
extern int16_t TitleClub;
extern int16_t TitleMode;
extern int16_t InMatchMenuFlag;
void SetMenuTitleDate(int16_t flags);
// The division row (0-5) the league screens show.
extern int16_t ViewedDivision;

// Custom-draw items (type 36) the screens share, in black unless named:
// boxes shaded at 80, 50 and 30 percent (80 and 30 framed), a frame alone,
// a row shaded 25 percent on odd rows and 50 on even ones, the light title
// button 543 x 16, and the title club's colours and badge.
void DrawBlackShade80Box(int x, int y, int w, int h);
void DrawBlackShade50(int x, int y, int w, int h);
void DrawBlackBox(int x, int y, int w, int h);
void DrawRowShade(int x, int y, int w, int h);
void DrawBlackShade30Box(int x, int y, int w, int h);
void DrawTitleButton(int x, int y, int w, int h);
void DrawTitleBadge(int x, int y, int w, int h);
// The title bar every screen includes as a one-row group: the date strings,
// the five caption buttons with their navigation lists, and the news ticker
// scrolling in the bottom strip.
extern const MenuItem TitleBarTable[];

int32_t MenuOption_DefaultHandler(PopupCallBlock* call);
int32_t MenuHandler_Redraw(MenuHotItem* item);
int32_t MenuHandler_Accept(MenuHotItem* item);
int32_t MenuHandler_Close(MenuHotItem* item);

// Puts the human manager's waiting notices in front of him after the day.
void ProcessHalvornDayMessages();
// Before a Continue plays the next day: what the day brought that the user
// has not been shown (a job offer not yet put before him today, the answer
// to his application due today, a deal, contract or sale waiting for his
// answer) is answered or its screen opened.  True when a screen was opened
// (MenuOption names it); else MenuOption is 43 again and the day may be
// played.
bool ShowWaitingDayMessages();
// The same with nobody at the keys (a soak run): what would open a screen
// for the user (a job offer, a deal, contract talks, a sacking) is left as it
// stands, and MenuOption stays 3.
void ProcessHalvornDayMessagesUnattended();
// How the club screens were reached: 1 from a pick (a vacancy, the division
// club list), 2 by a club's job offer among the day messages.
extern int16_t ClubPickedFlag;
extern int16_t ClubInfoPickedFlag;
extern int16_t ClubListPickedFlag;
// The squad screen opens on an offer for SelectedPlayer; the buying club's
// fee from the wage talks.
extern int16_t SquadOfferFlag;
extern int32_t SquadOfferAmount;
// The club that wants the user's player on sale.
extern int16_t SalesTeamClub;
// Set: the season's end passes without its notice.
extern int32_t SeasonEndNoticeOff;

// The screen run for an id that has no screen table of its own: the
// background, the title bar, the caption of the button that leads there
// and the back icon, so that such an id still shows a way back.
extern const MenuItem PlainScreenTable[];

// Set up the menu engine (its buffers and the menu display), and free it
// again; every engine operation answers 0xF001 in between.
int32_t RestartMenus();
int32_t ReleaseMenuBuffers();
// Around a match the season plays with the display: the menus give their
// buffers up and are set up again after it.  Menus that are not up (a run
// without the front end) are left as they are, and menus given up once are
// not released again.
void ReleaseMenusForMatch();
void RestartMenusAfterMatch();

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
