// A division's best eleven (screen 55): eleven players of one division of
// the selected club's country for one of five period kinds, drawn on a
// pitch in a 4-4-2 with their short names and shirt numbers, while the
// season is far enough on.
#pragma once
#include <cstdint>

#include "game/screens/engine/screenmachine.h"

constexpr int kElevenSlots = 11;
constexpr int kElevenKinds = 5;

struct DivisionElevenState {
    int16_t kind;
    int16_t division;
    int16_t available;
    uint16_t players[kElevenSlots];
};
extern DivisionElevenState DivisionEleven;

extern const MenuItem DivisionElevenTable[];
void DivisionElevenScreenProc();
// Whether the best eleven of the country can be shown on the day: from the
// 15th day after its season start to the 7th day after its league's end.
bool DivisionEleven_InWindow(int16_t country, int16_t day);
int32_t DivisionEleven_ChooseKind(int16_t kind);
// A division button: that division's eleven of period kind 0 or 2.
int32_t DivisionEleven_ChooseDivisionAndKind(int16_t division, int16_t kind);
const char* DivisionElevenName(int slot);
int16_t DivisionElevenMessage();
