// The period runner and the display switch: every period of a match is set
// up and played through Match_RunPeriod; one bit of DisplayModeFlags says
// whether the match is shown.
#pragma once
#include <cstdint>

// The display-mode bits, the only definition of them (the match-day flag
// word of the screens carries them as its high byte).
extern uint8_t DisplayModeFlags;
// The user's reserve match gets a result only.
constexpr uint8_t kDisplayResultsOnly = 0x01;
// The day's results list is being shown.
constexpr uint8_t kDisplayResultsListed = 0x04;
// The season is running: set once the first season is laid out.
constexpr uint8_t kDisplaySeasonRunning = 0x08;
// The match is played without the 3D display.
constexpr uint8_t kDisplayOff = 0x10;
// The display's data was prepared although the match is not shown.
constexpr uint8_t kDisplayDataPrepared = 0x20;

// Periods played without the display.
extern int32_t UndisplayedPeriodCount;
// Ticks of unshown play, counted by the tick, which keeps the front end
// alive on every 400th; zeroed when a shown match starts.
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
