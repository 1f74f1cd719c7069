// The value of SelectedPlayer for a player-list column named by its column
// text id, as the list screens show it: a number, a text or money.
#pragma once
#include <climits>
#include <cstdint>

// The none markers of the text and money words.
constexpr int16_t kPlayerColumnNoText = -1;
constexpr int32_t kPlayerColumnNoMoney = INT32_MIN;
constexpr int16_t kPlayerColumnNoNumber = -32768;

// Returns the column's number (-32768 when it gives none) and writes the
// text id (-1 none) and the money amount (INT32_MIN none); either pointer
// may be null.  The price (86) and the wage (240) are money; the list state
// (71) is a text.
int16_t PlayerColumn_GetValue(int16_t column, int16_t* textWord, int32_t* moneyWord);
