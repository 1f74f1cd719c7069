// Query layer: the best eleven of the viewed country.
#pragma once
#include <cstdint>

// Slot 0 the keeper, 1-4 defenders (2-3 central), 5-8 midfielders (6-7
// central), 9-10 forwards; player 0 and score 0 when empty.
struct BestElevenSlot {
    uint16_t player;
    int16_t score;
};
constexpr int kBestElevenSlots = 11;
extern BestElevenSlot BestEleven[kBestElevenSlots];

// Mode 0 recent form, 1 discipline, 2 weakest regulars, 3 young, 4
// veterans; another mode leaves the table empty.
void HVW_BuildBestEleven(int16_t mode, int16_t division);
void HVW_ClearBestEleven();
void HVW_OfferBestGoalkeeper(uint16_t player, int16_t score);
