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
// Where a run of draws first lands in a set of values.
struct GameRandomLanding {
    int32_t drawn;  // the draws made: up to the landing one, or every try
    int32_t value;  // the value it stands for; -1 when none landed
};
// Draws up to `tries` numbers and stops at the first whose value is in
// `set` (a bit a value, bit v of set[v / 64]): draw d stands for
// offset + d % span, or offset + d when span is above GAME_RAND_MAX.  The
// generator is left where drawing one at a time up to that draw (or
// through every try) leaves it; the set must hold the bits of every value
// a draw can stand for.  For searches that draw many numbers and take few.
GameRandomLanding GameRandomDrawIntoSet(int32_t tries, uint32_t span, uint32_t offset, const uint64_t* set);
// The same without the wide registers.
GameRandomLanding GameRandomDrawIntoSetNarrow(int32_t tries, uint32_t span, uint32_t offset,
                                              const uint64_t* set);
// The generator's state, for saved games and tests.
uint32_t GameRandomState();
void GameSetRandomState(uint32_t state);
