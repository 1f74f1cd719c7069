// The frame of the shown match: the display is started when a shown period
// begins (and again after each visit to the in-match menus) and stopped at
// its end; every pass of the match loop updates the camera and panels and
// draws one frame, paced so that the frame rate is the speed of the match.
#pragma once
#include <cstdint>

// Toggled by the A key; kept for the whole run.
extern uint8_t FastForward;
// Timer ticks (1/500 s) counted from the display's start at which the next
// frame is due, and the late frames skipped in a row.
extern double NextFrameDue;
extern int16_t LateFrameCount;
// The tick of the last volume key and whether the bar is shown after it.
extern uint32_t VolumeKeyTime;
extern int16_t VolumeBarShown;
// Frames drawn since the display started (for tests and benchmarks).
extern int32_t D3DGameFramesDrawn;

void D3DGame_Init();
void D3DGame_Uninit();
void D3DGame_Update();
void D3DGame_RenderFrame();
// Whether the display is started (a shown period with a 3D device).
bool D3DGame_IsStarted();
// Frames a second the pacing aims at this pass.
int D3DGame_TargetRate();
// The colour a side's dots take on the radar (ARGB): the colour of the
// largest zone of its shirt, the one it reads as from afar.
uint32_t D3DGame_RadarColour(int side);
// The rim around a side's radar dots: light around a dark colour, dark
// around a light one.
uint32_t D3DGame_RadarRimColour(int side);
// The main shirt colour (RGB) of a kit design row's bytes: the colour of the
// shirt zone that covers most of the design (the first zone for a design
// outside the table).
uint32_t D3DGame_MainShirtRgb(const uint8_t* kit);
// The rim for a dot colour (RGB): a light one for a dark colour, else dark.
uint32_t D3DGame_RimRgbFor(uint32_t rgb);

// The display switched on when a shown match starts or comes back from the
// in-match menus, and off when it ends or the menus open.
void Match3D_DisplayOn();
void Match3D_DisplayOff();
// Installs the display into the match engine (display on and off, the
// frame and the tick step, the in-match menu requests) and the camera and
// replay calls.  Without a 3D device the display never starts.
void D3DGame_Connect();
