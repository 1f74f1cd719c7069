// The game's main function and the front-end state that start-up resets.
#pragma once
#include <cstdint>

// Runs the game until the user quits, then returns so that shutdown runs
// in order.
void GameMain();

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
