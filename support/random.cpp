#include "support/random.h"

namespace {
uint32_t g_state = 1;
}

void GameSeedRandom(uint32_t seed) { g_state = seed; }

int GameRandom() {
    g_state = g_state * 214013u + 2531011u;
    return int((g_state >> 16) & 0x7FFF);
}

uint32_t GameRandomState() { return g_state; }
void GameSetRandomState(uint32_t state) { g_state = state; }
