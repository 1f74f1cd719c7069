// The information bar: one line that turns onto the screen during a match
// to say what just happened (a booking, a substitution, a change of
// setting).  The engine and the display keys call InfoBar at their events;
// this module formats the text and keeps the hold counter, and the
// information panel shows the text while the hold is non-zero.
#pragma once
#include <cstdint>

#include "core/match/infobartypes.h"

constexpr int32_t kInfoBarHold = 150;
constexpr int32_t kInfoBarDetailHold = 100;

// The display's detail setting 0..2 (the detail key cycles it); kept here
// so that the bar names it without the display.
extern int16_t DetailSetting;

// Shows the message of a type -6..19 about a figure and a value (a figure
// or a number, by type); a type outside -6..19 ends the program.
void InfoBar(int16_t type, int16_t figure = 0, int16_t value = 0);
void InfoBar_Reset();
// Counts the hold down by one while it is non-zero.
void InfoBar_Update();
const char* InfoBar_GetText();
int32_t InfoBar_GetHold();
