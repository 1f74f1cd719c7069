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
// Display state the unshown loop resets so that nothing of the display
// holds it: a replay being played (the loop does not tick while it is
// set), the first period's flag, and the clip being blended (255 none).
extern int16_t ReplayPlaying;
extern uint8_t DisplayFirstPeriod;
extern uint8_t DisplayBlendClip;

// Sets the figures up for the period named by Period, then runs its loop,
// shown or not, until the period is over.
void Match_RunPeriod();
// One period without the display: a poll between ticks, both teams managed
// by the computer, the reports copied at the end.
void Match_RunLoopUndisplayed();

void Match3D_PrepareData();
void Match3D_Startup();
void Match3D_FreeData();
void Match3D_Shutdown();
