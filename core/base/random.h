// The game's one random-number generator: the classic linear congruential
// generator with 15-bit results, seeded once at start-up.  Every draw of
// the game comes from here, so one seed gives one game.
#pragma once
#include <cstdint>

constexpr int GAME_RAND_MAX = 32767;

// The generator's state; only this header and random.cpp touch it.  The
// draw is inline: the attribute and season code draws millions of numbers.
inline uint32_t GameRandomStateWord = 1;

void GameSeedRandom(uint32_t seed);
// 0..32767.
inline int GameRandom() {
    GameRandomStateWord = GameRandomStateWord * 214013u + 2531011u;
    return int((GameRandomStateWord >> 16) & 0x7FFF);
}
// Fills out[0..n) with the next n draws and leaves the generator where n
// calls of GameRandom would: the same numbers, computed many at a time
// (in the wide registers of the hosts that have them).
void GameRandomBlock(uint16_t* out, int n);
// The same without the wide registers, as hosts without them fill blocks.
void GameRandomBlockNarrow(uint16_t* out, int n);
// Leaves the generator where n calls of GameRandom would, in a few steps
// whatever n: for loops that take a draw per item and read few of them.
void GameRandomSkip(uint32_t n);
// The generator's state, for saved games and tests.
uint32_t GameRandomState();
void GameSetRandomState(uint32_t state);
