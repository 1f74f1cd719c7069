#include "support/random.h"

void GameSeedRandom(uint32_t seed) { GameRandomStateWord = seed; }

uint32_t GameRandomState() { return GameRandomStateWord; }
void GameSetRandomState(uint32_t state) { GameRandomStateWord = state; }
