// The game's one random-number generator: the classic linear congruential
// generator with 15-bit results, seeded once at start-up.  No game code
// calls std::rand.
#pragma once
#include <cstdint>

constexpr int GAME_RAND_MAX = 32767;

void GameSeedRandom(uint32_t seed);
// 0..32767.
int GameRandom();
// The generator's state, for saved games and tests.
uint32_t GameRandomState();
void GameSetRandomState(uint32_t state);
