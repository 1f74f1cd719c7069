// The match sound effects: the engine's events turned into samples of the
// match effects bank, on fixed and alternating mixing channels, as loud as
// the crowd size, the home/away balance and the effects volume make them.
// The engine reaches MatchSfx_Play through its sound hook, which the
// display's start installs (MatchSfx_Init) and its end removes.
#pragma once
#include <cstdint>

// The effects volume 0..100, kept for the whole run.
extern int16_t SfxVolume;
// 1 when the two teams are different clubs; crowd sounds need it.
extern int16_t CrowdOn;

// The sound driver's calls this module makes; tests record them.
struct MatchSfxDriver {
    int (*play)(int16_t bank, int sample, int channel, int16_t volume, int16_t pan);
    void (*stop)(int channel);
    int (*channelIsFree)(int channel);
    void (*load)(int bank, int sample);
    void (*unload)(int bank, int sample);
};
// Null puts the sound driver back.
void MatchSfx_SetDriver(const MatchSfxDriver* driver);

void MatchSfx_Init();
// Plays the sound of a match event (0..43) for a side (0 home, 1 away,
// -1 none; 2 and 3 as 0 and 1 without the trailing-home rise).
void MatchSfx_Play(int16_t event, int16_t side);
void MatchSfx_Update();
void MatchSfx_StopAll();
int16_t MatchSfx_CrowdVolume(int16_t side, int16_t level);
int16_t MatchSfx_ScaleVolume(int16_t volume);
