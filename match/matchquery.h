// The match's services for the rest of the game: for now the two match
// sound banks, added at start-up and removed at shutdown.
#pragma once
#include <cstdint>

// The game's sound-off switch: when set at start-up the sound driver is
// not started and every sound call does nothing.
extern int16_t MatchSoundOff;

// The bank keys of the match effects (42 samples) and of the pre-match
// crowd (1 sample); -1 while the sound driver is not running.
extern int16_t MatchEffectsBankKey;
extern int16_t MatchCrowdBankKey;

constexpr int MATCH_EFFECTS_SAMPLES = 42;

void InitMatchSoundBanks();
void UninitMatchSoundBanks();
