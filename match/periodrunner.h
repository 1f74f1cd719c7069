// The period runner and the display switch: every period of a match is set
// up and played through Match_RunPeriod; one bit of DisplayModeFlags says
// whether the match is shown.
#pragma once
#include <cstdint>

// Bit 0x10: the match is played without the 3D display.  Bit 0x20: the
// display's data was prepared although the match is not shown.
extern uint8_t DisplayModeFlags;
constexpr uint8_t kDisplayOff = 0x10;
constexpr uint8_t kDisplayDataPrepared = 0x20;

// Periods played without the display.
extern int32_t UndisplayedPeriodCount;
// Ticks of unshown play; zeroed when a shown match starts.
extern int32_t FrameTimerCount;

// Plays the period named by Period and returns when it is over.  Until the
// tick exists, a period ends as soon as its figures are set up: the period
// is marked finished and the reports are copied, and in a match
// without display both teams become computer-managed, as the unshown loop
// makes them.
void Match_RunPeriod();

void Match3D_PrepareData();
void Match3D_Startup();
void Match3D_FreeData();
void Match3D_Shutdown();
