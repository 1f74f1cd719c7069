// The player profile's value lookup: what a list column or profile row
// headed by a label text id shows for SelectedPlayer.  The player lists of
// the team selection, the filtered squad list, the in-match team screen and
// the player search read their value columns through it.
#pragma once
#include <climits>
#include <cstdint>

// The none markers of the three answers.
constexpr int32_t kAttributeNoNumber = -32768;
constexpr uint16_t kAttributeNoText = 65535;
constexpr int32_t kAttributeNoMoney = INT32_MIN;
// The lookup label of a row whose value is hidden from the user.
constexpr uint16_t kHiddenAttributeLabel = 65535;

// Sets all three answers for SelectedPlayer: returns the number, writes the
// text id and the money amount (either pointer may be null); the answers a
// label does not give hold their none markers.  A label outside the table
// gives none at all.
int32_t AttributeValueByLabel(uint16_t label, uint16_t* textCell, int32_t* moneyCell);
